// Typing on the on-screen keyboard: keys 16 x 16, rows of 3, 4, 2, 1 and 1
// keys, in the four shift states.
#include "ui/keyboard_wnd.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/support/screen/controls_rig.h"

namespace {

using controls_test::ControlsRig;

class Typist {
public:
    void Key(CKeyboardWnd*, int8_t code) { typed.push_back(static_cast<char>(code)); }
    std::string typed;
};

class KeyboardWndTest : public ControlsRig {
protected:
    void SetUp() override
    {
        ControlsRig::SetUp();
        ASSERT_TRUE(pack.AddText("Locale/Keyboards/test", "kbd",
                                 "[LowerCase]\r\nqwe\r\nas d\r\nz\xe9\r\n1\r\n \r\n\r\n"
                                 "[UpperCase]\r\nQWE\r\nAS D\r\nZ\r\n!\r\n \r\n\r\n"
                                 "[CapsLockLower]\r\nqwE\r\nas d\r\nzx\r\n1\r\n \r\n\r\n"
                                 "[CapsLockUpper]\r\nQWe\r\nAS D\r\nZX\r\n!\r\n \r\n"));
        for (const char* name : {"Symbol", "Shift", "Caps", "Enter", "Layout", "Backsp", "Space"}) {
            controls_test::AddFixedButtonSkin(pack, std::string("kb/") + name, 16, 16, 3);
        }
        Mount({{0, "Main", {}}, {1, "Kbd", {1, 0, 0, 180, 240, 120, "test", "kb", 9}}}, "k=v\r\n");
        keyboard = std::make_unique<CKeyboardWnd>(Root(), CStr("/Main/Kbd"), true);
        keyboard->keyHandler.Bind(&typist, &Typist::Key);
    }
    void TearDown() override
    {
        keyboard.reset();
        ControlsRig::TearDown();
    }
    void Press(CButton* button)
    {
        ASSERT_NE(button, nullptr);
        const PackedRect& screen = button->GetNode()->screenRect;
        Tap(screen.Left() + 2, screen.Top() + 2);
    }
    std::unique_ptr<CKeyboardWnd> keyboard;
    Typist typist;
};

TEST_F(KeyboardWndTest, KeysAreMadeFromTheLayoutAndArranged)
{
    const int32_t counts[] = {3, 4, 2, 1, 1};
    for (int32_t r = 0; r < KeyboardRowCount; ++r)
        EXPECT_EQ(keyboard->KeyCount(r), counts[r]) << r;
    EXPECT_STREQ(keyboard->Key(1, 2)->Text().Chars(), " ");
    EXPECT_EQ(keyboard->Key(0, 0)->Caption().foreground, 9);
    // Each row starts half a key further right; specials follow the keys.
    EXPECT_EQ(keyboard->Key(0, 0)->WindowRect().Left(), 0);
    EXPECT_EQ(keyboard->Key(1, 0)->WindowRect().Left(), 8);
    EXPECT_EQ(keyboard->Key(2, 0)->WindowRect().Left(), 16);
    EXPECT_EQ(keyboard->BackspaceButton()->WindowRect().Left(), 48);
    EXPECT_EQ(keyboard->EnterButton()->WindowRect().Left(), 8 + 64);
    EXPECT_EQ(keyboard->LayoutButton()->WindowRect().Left(), 32 + 16 + 16);
    // The panel (widest row: 8 + 5 × 16 = 88; five rows of 16) is centred.
    const PackedRect& panel = keyboard->Panel()->Window()->WindowRect();
    EXPECT_EQ(panel.Width(), 88);
    EXPECT_EQ(panel.Height(), 80);
    EXPECT_EQ(panel.Left(), (240 - 88) / 2);
    EXPECT_EQ(panel.Top(), (120 - 80) / 2);
    // A missing layout changes nothing.
    EXPECT_FALSE(keyboard->LoadLayout(CStr("none"), false));
    EXPECT_EQ(keyboard->KeyCount(1), 4);
}

TEST_F(KeyboardWndTest, ShiftHoldsForOneCharacterCapsStays)
{
    Press(keyboard->ShiftButton());
    EXPECT_STREQ(keyboard->Key(0, 0)->Text().Chars(), "Q");
    Press(keyboard->Key(0, 0));
    Press(keyboard->Key(0, 1));
    EXPECT_EQ(typist.typed, "Qw");
    EXPECT_FALSE(keyboard->ShiftButton()->IsDrawnDown());

    Press(keyboard->CapsButton());
    Press(keyboard->Key(0, 2));
    Press(keyboard->ShiftButton());
    EXPECT_EQ(keyboard->State(), KeyboardCapsLockUpper);
    Press(keyboard->Key(0, 2));
    Press(keyboard->Key(0, 2));
    EXPECT_EQ(typist.typed, "QwEeE");
    EXPECT_TRUE(keyboard->CapsButton()->IsDrawnDown());
}

TEST_F(KeyboardWndTest, SpecialKeysBlanksAndEmptyCaptions)
{
    Press(keyboard->Key(1, 2));  // a blank in the row is a key
    Press(keyboard->Key(4, 0));
    Press(keyboard->Key(2, 1));  // a byte from 0x80 up arrives negative
    ASSERT_EQ(typist.typed.size(), 3u);
    EXPECT_EQ(typist.typed, std::string("  \xe9"));
    typist.typed.clear();
    Press(keyboard->ShiftButton());
    Press(keyboard->BackspaceButton());
    Press(keyboard->EnterButton());
    Press(keyboard->SpaceButton());
    Press(keyboard->LayoutButton());  // disabled, does nothing
    EXPECT_EQ(typist.typed, std::string("\b\n "));
    EXPECT_TRUE(keyboard->ShiftButton()->IsDrawnDown());  // specials leave Shift
    // The upper-case row 2 is one shorter: its second key has no caption,
    // delivers nothing and still releases Shift.
    EXPECT_STREQ(keyboard->Key(2, 1)->Text().Chars(), "");
    Press(keyboard->Key(2, 1));
    EXPECT_EQ(typist.typed, std::string("\b\n "));
    EXPECT_FALSE(keyboard->ShiftButton()->IsDrawnDown());
}

}  // namespace
