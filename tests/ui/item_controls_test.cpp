// Squad icons, resource rows and squad buttons. Font 1 (the numbers') is
// 4 wide, so the gap is 1.
#include <gtest/gtest.h>

#include <memory>

#include "tests/support/screen/controls_rig.h"
#include "ui/res_wnd.h"
#include "ui/squad_icon.h"

namespace {

using controls_test::ControlsRig;

class ItemControlsTest : public ControlsRig {
protected:
    void SetUp() override
    {
        ControlsRig::SetUp();
        ASSERT_TRUE(pack.AddFile("Images/Icons/golds", "img", controls_test::Picture(10, 8, 40)));
        ASSERT_TRUE(pack.AddFile("Images/Icons/stons", "img", controls_test::Picture(12, 14, 41)));
        ASSERT_TRUE(pack.AddFile("Images/knight", "img", controls_test::Picture(20, 30, 42)));
        controls_test::AddButtonSkin(pack, "sq", 40, 40, 3);
        Mount({{0, "Main", {}},
               {1, "Res", {1, 0, 0, 0, 200, 20, "", 2, 1, 3, 0}},
               {1, "ResNarrow", {1, 0, 0, 30, 60, 20, "", 2, 1, 3, 0}},
               {1, "ResCaption", {1, 0, 0, 60, 200, 20, "CapKey", 3, 1, 3, 1}},
               {1, "SqBtn", {1, 0, 0, 100, 60, 40, "sq"}}},
              "CapKey=Cost\r\n");
    }
};

TEST_F(ItemControlsTest, SquadIconNumbersAndIndent)
{
    CSquadIcon icon;
    EXPECT_EQ(icon.Gap(), 1);
    icon.SetImage("/Images/knight");
    icon.SetCount(12);
    icon.SetHealth(7);
    EXPECT_STREQ(icon.First().Text().Chars(), "12");
    EXPECT_STREQ(icon.Second().Text().Chars(), "+7");  // sign on the second number
    // Two characters: 2 × gap × (3 - 2).
    EXPECT_EQ(icon.Indent(), 2);
    icon.SetHealth(-3);
    EXPECT_STREQ(icon.Second().Text().Chars(), "-3");
    icon.SetBottomText(CStr("5"));
    EXPECT_EQ(icon.Indent(), 4);  // one digit: 4 gaps
    icon.SetBottomText(CStr("100"));
    EXPECT_EQ(icon.Indent(), 0);
    // Width: the wider number (12 = 3 × 4 for "100") + gap + picture.
    EXPECT_EQ(icon.OwnWidth(), 12 + 1 + 20);
    EXPECT_EQ(icon.OwnHeight(), 30);
    EXPECT_EQ(icon.First().OuterHeight(), 14);
    // Hidden numbers: picture plus gap.
    icon.SetShowFlags(false, false);
    EXPECT_EQ(icon.OwnWidth(), 20 + 1);
    // A sign on the first number only when asked.
    icon.flags |= SquadIconSignFirst;
    icon.SetCount(4);
    EXPECT_STREQ(icon.First().Text().Chars(), "+4");
    // Attributes, as the mark-up gives them.
    CSquadIcon tagged;
    EXPECT_FALSE(tagged.SetAttribute("icon", "/Images/none"));
    EXPECT_TRUE(tagged.SetAttribute("ICON", "/Images/knight"));
    EXPECT_TRUE(tagged.SetAttribute("toptext", "9"));
    EXPECT_FALSE(tagged.SetAttribute("colour", "3"));
    EXPECT_EQ(tagged.OwnHeight(), 30);
}

TEST_F(ItemControlsTest, ResourceRowLeavesOutEmptyAmounts)
{
    CResWnd row(Root(), CStr("/Main/Res"), true);
    const CStr codes[] = {CStr("gold"), CStr("metl"), CStr("ston")};
    const int32_t amounts[] = {120, 0, 5};
    row.SetAmounts(codes, amounts, 3, false);
    ASSERT_EQ(row.ItemCount(), 2);
    EXPECT_STREQ(row.Amount(0)->Text().Chars(), "120");
    EXPECT_STREQ(row.Amount(1)->Text().Chars(), "5");
    EXPECT_EQ(row.Icon(0)->OuterWidth(), 10);  // "golds"
    EXPECT_EQ(row.Icon(1)->OuterWidth(), 12);  // "stons"
    // Font 0 fits: W = (h + 10 + 18) + s + (h + 12 + 6), s = 6, h = 3.
    EXPECT_EQ(row.Amount(0)->Font(), 0);
    EXPECT_EQ(row.Row().OwnWidth(), 3 + 10 + 18 + 6 + 3 + 12 + 6);
    EXPECT_EQ(row.Row().OwnHeight(), 14);  // the taller icon
    // Shown zero amounts: three items; the missing icon is empty.
    row.flags |= ResShowZero;
    row.SetAmounts(codes, amounts, 3, false);
    ASSERT_EQ(row.ItemCount(), 3);
    EXPECT_FALSE(row.Icon(1)->Image().HasHeader());
    EXPECT_STREQ(row.Amount(1)->Text().Chars(), "0");
}

TEST_F(ItemControlsTest, ResourceRowShrinksItsFontToFit)
{
    CResWnd row(Root(), CStr("/Main/ResNarrow"), true);
    // 60 wide: "1234" takes 24 in font 0 (too wide with the icons), 16 in font 1.
    row.AddNumber(CStr("/Images/Icons/golds"), 1234, false);
    row.AddNumber(CStr("/Images/Icons/golds"), 5, false);
    row.Layout();
    EXPECT_EQ(row.Amount(0)->Font(), 1);
    // Nothing fits: font 2, overflowing.
    for (int i = 0; i < 4; ++i)
        row.AddNumber(CStr("/Images/Icons/stons"), 99999, false);
    row.Layout();
    EXPECT_EQ(row.Amount(0)->Font(), 2);
    EXPECT_GT(row.Row().OwnWidth(), 60);
    row.Clear(false);
    EXPECT_EQ(row.ItemCount(), 0);
}

TEST_F(ItemControlsTest, ResourceRowCaptionAndSquadButton)
{
    CResWnd row(Root(), CStr("/Main/ResCaption"), true);
    EXPECT_STREQ(row.Caption().Text().Chars(), "Cost");
    EXPECT_TRUE(row.flags & ResShowZero);
    row.AddNumber(CStr("/Images/Icons/golds"), 7, true);
    // Right-aligned: the row box ends at the window's right edge.
    EXPECT_EQ(row.Row().Position().X() + row.Row().OwnWidth(), 200);
    EXPECT_EQ(row.Row().OwnWidth(), 24 + 3 + 3 + 10 + 6);

    CSquadButton button(Root(), CStr("/Main/SqBtn"), true);
    button.Face().SetImage("/Images/knight");
    button.Face().SetCount(3);
    EXPECT_EQ(button.Face().OuterWidth(), button.ClientRect().Width());
    EXPECT_NE(button.QueryInterface(IidSquadButton), nullptr);
    EXPECT_EQ(button.QueryInterface(IidSquadIcon), static_cast<CAlignedBox*>(&button.Face()));
}

}  // namespace
