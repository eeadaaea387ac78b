// Check boxes, buttons with a second picture and caption, and the string
// list label.
#include "ui/check_box.h"

#include <gtest/gtest.h>

#include <memory>

#include "core/font.h"
#include "tests/support/screen/controls_rig.h"
#include "ui/inks.h"
#include "ui/list_label.h"

namespace {

using controls_test::ControlsRig;

TEST(CheckBoxFace, BoxWidthsKeepAGapBetweenPictureAndCaption)
{
    struct Case {
        int32_t face, picture, caption;
        uint8_t align;
        int32_t pictureBox, gap, captionBox;
    };
    const Case cases[] = {
        {100, 16, 40, AlignCentre, 36, 4, 40},  // (100 - 60) / 2 + 16
        {100, 16, 40, AlignStart, 16, 4, 80},
        {100, 16, 40, AlignEnd, 16, 4, 80},
        {100, 16, 0, AlignStart, 100, 0, 0},  // no caption: the picture box fills the face, no gap
        {100, 0, 40, AlignCentre, 0, 0, 100},
        {50, 16, 40, AlignCentre, 11, 4, 40},  // (50 - 60) / 2 rounds toward minus infinity
    };
    for (const Case& c : cases) {
        const CheckBoxBoxes boxes = CheckBoxFaceBoxes(c.face, c.picture, c.caption, c.align, 4);
        EXPECT_EQ(boxes.picture, c.pictureBox) << c.face << " " << c.picture << " " << c.caption;
        EXPECT_EQ(boxes.gap, c.gap) << c.face << " " << c.picture << " " << c.caption;
        EXPECT_EQ(boxes.caption, c.captionBox) << c.face << " " << c.picture << " " << c.caption;
    }
}

TEST(ButtonExFace, PicturesAndCaptionsInAColumn)
{
    const PackedRect client(0, 0, 99, 29);
    // No column, no caption: the picture is centred.
    ButtonExPlacement alone = PlaceButtonEx(client, 20, 10, 0, 0, 0, 6);
    EXPECT_EQ(alone.pictureX, 40);
    EXPECT_EQ(alone.pictureY, 10);
    // One column width: captions start at the same x whatever the picture.
    ButtonExPlacement narrow = PlaceButtonEx(client, 10, 10, 30, 10, 30, 6);
    ButtonExPlacement wide = PlaceButtonEx(client, 20, 10, 30, 10, 30, 6);
    EXPECT_EQ(narrow.captionX, wide.captionX);
    EXPECT_EQ(narrow.captionX, 30);
    // The picture ends half a space before the column's end.
    EXPECT_EQ(narrow.pictureX, 30 - 10 - 3);
    // No picture: the caption at the client's top-left.
    ButtonExPlacement text = PlaceButtonEx(PackedRect(4, 2, 99, 29), 0, 0, 30, 10, 0, 6);
    EXPECT_FALSE(text.drawPicture);
    EXPECT_EQ(text.captionX, 4);
    EXPECT_EQ(text.captionY, 2);
}

class CheckBoxTest : public ControlsRig {
protected:
    void SetUp() override
    {
        ControlsRig::SetUp();
        ASSERT_TRUE(pack.AddFile("Skin/cb/checked", "img", controls_test::Picture(16, 16, 9)));
        ASSERT_TRUE(pack.AddFile("Skin/cb/unchecked", "img", controls_test::Picture(16, 16, 8)));
        ASSERT_TRUE(pack.AddFile("Skin/cb2/checked", "img", controls_test::Picture(12, 12, 9)));
        ASSERT_TRUE(pack.AddFile("Images/Btn/gem", "img", controls_test::Picture(10, 10, 5)));
        Mount({{0, "Main", {}},
               {1, "CbA", {1, 0, 10, 10, 100, 20, "cb", "CbKey", 1, 4}},
               {1, "CbB", {1, 0, 10, 40, 100, 20, "cb2", "Other", 3, 5}},
               {1, "BtnEx", {1, 0, 10, 70, 100, 30, "gem", "Caption2", ""}},
               {1, "Lst", {1, 0, 10, 110, 100, 30, "S1", "S2", 3, 3, 6}}},
              "CbKey=check\r\nCaption2=more\r\nS1=first\r\nS2=second\r\n");
    }
};

TEST_F(CheckBoxTest, PictureFollowsTheDrawnDownState)
{
    CCheckBox box(Root(), CStr("/Main/CbA"), true);
    EXPECT_STREQ(box.Text().Chars(), "check");
    EXPECT_EQ(box.Caption().foreground, 4);
    EXPECT_EQ(box.frameDrawn, 0);
    EXPECT_EQ(box.Picture().Image().header, box.UncheckedImage().header);
    // Centred, with a blank of the caption's font between the picture and
    // the caption so that the two never touch.
    const int32_t blank = SelectFont(0).GetGlyph(' ').width;
    ASSERT_GT(blank, 0);
    EXPECT_EQ(box.Picture().OuterWidth(), (100 - 16 - blank - 30) / 2 + 16);
    EXPECT_EQ(box.Caption().OuterWidth(), 30);
    EXPECT_EQ(box.CaptionLeft(), box.Picture().OuterWidth() + blank);

    PenDown(15, 15);
    EXPECT_TRUE(box.IsDrawnDown());
    EXPECT_EQ(box.Picture().Image().header, box.CheckedImage().header);
    PenUp(15, 15);
    EXPECT_TRUE(box.IsChecked());
    EXPECT_EQ(box.Picture().Image().header, box.CheckedImage().header);
    PenDown(15, 15);  // a checked box shows "unchecked" while held
    EXPECT_EQ(box.Picture().Image().header, box.UncheckedImage().header);
    PenUp(15, 15);
    EXPECT_FALSE(box.IsChecked());

    // A reload keeps the caption but takes skin, alignment and colour.
    box.Link().SetPath(CStr("/Main/CbB"));
    ASSERT_TRUE(box.Link().Reload(true));
    EXPECT_STREQ(box.Text().Chars(), "check");
    EXPECT_EQ(box.Caption().foreground, 5);
    EXPECT_EQ(box.Caption().Alignment() & 0x0F, AlignEnd);
    EXPECT_FALSE(box.UncheckedImage().HasHeader());  // "cb2" has no "unchecked"
    EXPECT_EQ(box.CheckedImage().Width(), 12);
}

TEST_F(CheckBoxTest, ButtonExReadsItsPictureAndSecondCaption)
{
    CButtonEx button(Root(), CStr("/Main/BtnEx"));
    ASSERT_TRUE(button.ExtraPicture().HasHeader());
    EXPECT_EQ(button.ExtraPicture().Width(), 10);
    EXPECT_STREQ(button.Caption2().Text().Chars(), "more");
    EXPECT_EQ(button.Caption2().foreground, kInkOnButtonFace);
    const ButtonExPlacement place = button.Placement();
    // Picture and caption (24 wide) centred together in the 100-wide client.
    EXPECT_EQ(place.pictureX, (100 - 10 - 24) / 2);
    EXPECT_EQ(place.captionX, place.pictureX + 10);
}

TEST_F(CheckBoxTest, ListLabelReadsItsStrings)
{
    CListLabel label(Root(), CStr("/Main/Lst"), 2, true);
    EXPECT_STREQ(label.Text().Chars(), "first");
    ASSERT_EQ(label.Strings().Count(), 2);
    EXPECT_STREQ(label.Strings().GetString(1).Chars(), "second");
    EXPECT_EQ(label.TextElement().foreground, 6);
    EXPECT_EQ(label.TextElement().Position().X(), 100 - 30);
    EXPECT_EQ(label.TextElement().Position().Y(), 30 - 10);
    // A reload keeps the text and appends the strings once more.
    label.SetText(CStr("shown"), false);
    ASSERT_TRUE(label.Link().Reload(true));
    EXPECT_STREQ(label.Text().Chars(), "shown");
    EXPECT_EQ(label.Strings().Count(), 4);
    // No strings: an empty text.
    CListLabel none(Root(), CStr("/Main/Lst"), 0, true);
    EXPECT_STREQ(none.Text().Chars(), "");
    EXPECT_EQ(none.Strings().Count(), 0);
}

}  // namespace
