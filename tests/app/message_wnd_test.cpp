// The message box: its results by button mode (tapped as a user would, in a
// modal run and shown without one), its size rules against the layout
// node's four values, its title and sound names.

#include "ui/message_wnd.h"

#include <gtest/gtest.h>

#include "tests/app/shell_rig.h"

namespace {

using shell_test::ShellRig;

class MessageWndTest : public ShellRig {
protected:
    CMessageWnd* Make()
    {
        m_box = new CMessageWnd(nullptr);
        return m_box;
    }
    void TearDown() override
    {
        delete m_box;
        m_box = nullptr;
        ShellRig::TearDown();
    }
    CMessageWnd* m_box = nullptr;
};

TEST_F(MessageWndTest, ButtonsGiveTheResultsOfTheirModeInAModalRun)
{
    struct Case {
        uint32_t mode;
        bool tapOk;  // else Cancel
        uint16_t result;
    } cases[] = {
        {MessageOk, true, 1},       {MessageOkCancel, true, 1},  {MessageOkCancel, false, 2},
        {MessageQuestion, true, 3}, {MessageQuestion, false, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << (c.tapOk ? " ok" : " cancel"));
        CMessageWnd* box = Make();
        Script({[this, box, c] { TapOn(c.tapOk ? box->OkButton() : box->CancelButton()); }});
        box->Setup(CStr("Are you sure?"), CStr("BoxTitle"), c.mode, CStr(), true);
        EXPECT_EQ(QuitFlag, 0) << "the tap ended the run, not the script";
        EXPECT_EQ(box->ModalResult(), c.result);
        EXPECT_FALSE(box->IsVisible());
        delete box;
        m_box = nullptr;
        QuitFlag = 0;
    }
}

TEST_F(MessageWndTest, WhichButtonsShowAndWhatATapOnTheTextDoes)
{
    struct Case {
        uint32_t mode;
        bool ok, cancel;
        bool tapOnTextCloses;
    } cases[] = {
        {MessageTapToClose, false, false, true}, {MessageOk, true, false, false},
        {MessageOkCancel, true, true, false},    {MessageQuestion, true, true, false},
        {MessageNoButtons, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode);
        CMessageWnd* box = Make();
        box->Setup(CStr("Some words here"), CStr("BoxTitle"), c.mode, CStr(), false);
        ASSERT_TRUE(box->IsVisible());
        EXPECT_EQ(box->OkButton()->IsVisible(), c.ok);
        EXPECT_EQ(box->CancelButton()->IsVisible(), c.cancel);
        TapOn(box->TextWindow());
        EXPECT_EQ(!box->IsVisible(), c.tapOnTextCloses);
        EXPECT_EQ(box->ModalResult(), c.tapOnTextCloses ? 1 : 0);
        delete box;
        m_box = nullptr;
    }
}

TEST_F(MessageWndTest, ModeZeroClosesOnATapOnTheFrameAsWell)
{
    CMessageWnd* box = Make();
    box->Setup(CStr("Tap me"), CStr("BoxTitle"), MessageTapToClose, CStr(), false);
    const PackedRect& r = box->GetNode()->screenRect;
    Tap(r.Left() + 1, r.Bottom() - 1);  // the frame's border, outside the text
    EXPECT_FALSE(box->IsVisible());
    EXPECT_EQ(box->ModalResult(), 1);
}

TEST_F(MessageWndTest, BoxSizeFollowsTheLayoutValuesAndTheTitle)
{
    struct Case {
        const char* tree;
        const char* title;
        uint32_t mode;
        int minTextWidth, minTextHeight, minButton, maxButton;
    } cases[] = {
        {"main", "BoxTitle", MessageOk, 150, 50, 70, 120},
        {"main", "Hi", MessageOkCancel, 150, 50, 70, 120},
        {"wide", "Hi", MessageOk, 400, 50, 70, 120},
        {"narrow", "Hi", MessageOkCancel, 150, 50, 90, 100},
        {"bare", "Hi", MessageOk, 150, 50, 70, 120},  // the defaults
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tree);
        ASSERT_TRUE(CUIMgr::LoadUiTree(c.tree));
        CMessageWnd* box = Make();
        EXPECT_EQ(box->MinTextWidth(), c.minTextWidth);
        EXPECT_EQ(box->MaxButtonWidth(), c.maxButton);
        box->Setup(CStr("Word"), CStr(c.title), c.mode, CStr(), false);
        const int textWidth = box->TextWindow()->Width();
        const int textHeight = box->TextWindow()->Height();
        // The client is one wider than the minimum: its right edge is the width.
        EXPECT_GE(textWidth, c.minTextWidth);
        EXPECT_GE(textHeight, c.minTextHeight);
        EXPECT_GE(textWidth, box->TitleRect().Width() + 10);
        const int clientWidth = box->ClientRect().Width();
        const int expected = std::min(std::max(clientWidth / 3, c.minButton), c.maxButton);
        EXPECT_EQ(box->OkButton()->Width(), expected);
        if (c.mode == MessageOkCancel) {
            EXPECT_EQ(box->CancelButton()->Width(), expected);
            // Equal gaps left, between and right.
            const int gap = (clientWidth - 2 * expected) / 3;
            EXPECT_EQ(box->OkButton()->WindowRect().Left() - box->ClientRect().Left(), gap);
            EXPECT_EQ(box->ClientRect().Right() - box->CancelButton()->WindowRect().Right(), gap);
        } else {
            const int left = box->OkButton()->WindowRect().Left() - box->ClientRect().Left();
            EXPECT_EQ(left, (clientWidth - expected) / 2) << "centred";
        }
        // Centred on the screen.
        const PackedRect& r = box->WindowRect();
        EXPECT_LE(std::abs((r.Left() + r.Right()) - 239), 1);
        delete box;
        m_box = nullptr;
    }
}

TEST_F(MessageWndTest, TitleIsALocaleKeyOrPlainTextAndTheSoundNameIsCompleted)
{
    struct Case {
        const char* title;
        const char* shown;
        const char* sound;
        const char* soundPath;
    } cases[] = {
        {"BoxTitle", "A title of some length", "new_turn", "/Sounds/new_turn"},
        {"Not a key", "Not a key", "/Sounds/msg_info", "/Sounds/msg_info"},
        {"ShortT", "Hi", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        CMessageWnd* box = Make();
        box->Setup(CStr("Text"), CStr(c.title), MessageOk, CStr(c.sound), false);
        EXPECT_STREQ(box->Text().Chars(), c.shown);
        EXPECT_STREQ(box->SoundPath().Chars(), c.soundPath);
        EXPECT_EQ(box->titleColour, 15);
        delete box;
        m_box = nullptr;
    }
}

TEST_F(MessageWndTest, MoreLinesMakeATallerBox)
{
    CMessageWnd* box = Make();
    box->Setup(CStr(shell_test::Lines(3).c_str()), CStr("ShortT"), MessageOk, CStr(), false);
    const int shortHeight = box->TextWindow()->Height();
    // The client's bottom edge is the height, so it is one row taller.
    EXPECT_EQ(shortHeight, 51) << "three lines of 10 fit the minimum height";
    delete box;
    box = Make();
    box->Setup(CStr(shell_test::Lines(12).c_str()), CStr("ShortT"), MessageOk, CStr(), false);
    EXPECT_EQ(box->TextWindow()->Height(), 121) << "twelve lines of 10";
}

TEST_F(MessageWndTest, QuittingEndsAModalBoxWith255)
{
    CMessageWnd* box = Make();
    Script({});  // the first frame quits
    box->Setup(CStr("Waiting"), CStr("ShortT"), MessageOkCancel, CStr(), true);
    EXPECT_EQ(box->ModalResult(), 0) << "no button wrote a result";
    EXPECT_EQ(RunModal(box), 255) << "a run while quitting reports the quit";
}

}  // namespace

namespace {

TEST_F(MessageWndTest, ABoxReusedForModeFourIgnoresTapsLeftFromModeZero)
{
    CMessageWnd* box = Make();
    box->Setup(CStr("Tap me"), CStr("ShortT"), MessageTapToClose, CStr(), false);
    TapOn(box->TextWindow());
    ASSERT_FALSE(box->IsVisible());
    box->SetModalResult(0);
    box->Setup(CStr("Please wait"), CStr("ShortT"), MessageNoButtons, CStr(), false);
    TapOn(box->TextWindow());
    EXPECT_TRUE(box->IsVisible()) << "only the program closes a mode-4 box";
    EXPECT_EQ(box->ModalResult(), 0);
    box->Close();
    EXPECT_FALSE(box->IsVisible());
}

}  // namespace
