// Text elements with and without shadow, labels and menu entries.
#include <gtest/gtest.h>

#include <memory>

#include "core/draw_context.h"
#include "core/raster.h"
#include "tests/support/screen/controls_rig.h"
#include "ui/label.h"
#include "ui/text_element.h"

namespace {

using controls_test::ControlsRig;

// Counts the pixels of a colour in a surface.
int CountColour(const CDrawContext& dc, uint8_t colour, int* minX = nullptr, int* minY = nullptr)
{
    const SurfaceDesc& s = dc.Surface();
    int count = 0;
    int lowX = 1 << 20, lowY = 1 << 20;
    for (int y = 0; y < s.area.Height(); ++y) {
        for (int x = 0; x < s.area.Width(); ++x) {
            if (*s.At(x, y) == colour) {
                ++count;
                lowX = std::min(lowX, x);
                lowY = std::min(lowY, y);
            }
        }
    }
    if (minX)
        *minX = lowX;
    if (minY)
        *minY = lowY;
    return count;
}

class TextControlsTest : public ControlsRig {
protected:
    void SetUp() override
    {
        ControlsRig::SetUp();
        Mount({{0, "Main", {}},
               {1, "Lbl", {1, 0, 10, 10, 100, 30, "LblKey", 3, 1, 5}},
               {1, "Menu", {1, 0, 0, 100, 100, 20, "MenuKey", 15, 14, 7, 2, 3, 10}}},
              "LblKey=label\r\nMenuKey=menu\r\n");
    }
};

TEST_F(TextControlsTest, ElementsMeasureTheirTextAndShadow)
{
    CTextElement empty(CStr(), kUnknownSize, kUnknownSize, 1, 0, true, 0);
    EXPECT_EQ(empty.OwnWidth(), 0);
    EXPECT_EQ(empty.OwnHeight(), 10);

    struct Case {
        uint32_t position;
        uint8_t size;
        int16_t width, height, offsetX, offsetY;
    };
    const Case cases[] = {
        {ShadowBottomRight, 2, 24 + 2, 10 + 2, 2, 2},
        {ShadowTopLeft, 2, 24 + 2, 10 + 2, -2, -2},
        {ShadowNone, 3, 24 + 6, 10 + 3, 3, 3},  // left + right + bottom, drawn nowhere
        {ShadowBottomRight, 0, 24, 10, 0, 0},
    };
    for (const Case& c : cases) {
        CShadowTextElement text(CStr("abcd"), kUnknownSize, kUnknownSize, 1, 0, true, 0);
        text.shadowSize = c.size;
        text.SetShadowPos(c.position, false);
        EXPECT_EQ(text.OwnWidth(), c.width) << c.position;
        EXPECT_EQ(text.OwnHeight(), c.height) << c.position;
        EXPECT_EQ(text.ShadowOffsetX(), c.offsetX) << c.position;
        EXPECT_EQ(text.ShadowOffsetY(), c.offsetY) << c.position;
    }
}

TEST_F(TextControlsTest, ShadowIsDrawnBesideTheText)
{
    CDrawContext plain, shadowed, none;
    for (CDrawContext* dc : {&plain, &shadowed, &none}) {
        ASSERT_TRUE(dc->CreateSurface(40, 20));
        FillRect(*dc, PackedRect(0, 0, 39, 19), 0);
    }
    auto make = [](uint32_t position, uint8_t size) {
        auto* text = new CShadowTextElement(CStr("ab"), kUnknownSize, kUnknownSize, 1, 0, true, 0);
        text->shadowColour = 2;
        text->shadowSize = size;
        text->SetShadowPos(position, false);
        text->FitToContent();
        return std::unique_ptr<CShadowTextElement>(text);
    };
    make(ShadowBottomRight, 0)->Draw(plain, 4, 4);
    make(ShadowBottomRight, 2)->Draw(shadowed, 4, 4);
    make(ShadowNone, 3)->Draw(none, 4, 4);
    int textX, textY, shadowX, shadowY;
    const int textPixels = CountColour(plain, 1, &textX, &textY);
    ASSERT_GT(textPixels, 0);
    EXPECT_EQ(CountColour(shadowed, 1), textPixels);
    EXPECT_GT(CountColour(shadowed, 2, &shadowX, &shadowY), 0);
    EXPECT_EQ(CountColour(none, 2), 0);
    // The shadow's pixels start 2 right and 2 below the text's (the text is
    // drawn over it, so only its far parts may remain; compare the maxima).
    CDrawContext alone;
    ASSERT_TRUE(alone.CreateSurface(40, 20));
    FillRect(alone, PackedRect(0, 0, 39, 19), 0);
    auto shadowOnly = make(ShadowBottomRight, 2);
    shadowOnly->foreground = 0;  // the text in the background colour
    shadowOnly->Draw(alone, 4, 4);
    int aloneX, aloneY;
    EXPECT_EQ(CountColour(alone, 2, &aloneX, &aloneY), textPixels);
    EXPECT_EQ(aloneX, textX + 2);
    EXPECT_EQ(aloneY, textY + 2);
}

TEST_F(TextControlsTest, LabelReadsItsNode)
{
    CLabel label(Root(), CStr("/Main/Lbl"), true);
    EXPECT_STREQ(label.Text().Chars(), "label");
    EXPECT_TRUE(label.IsVisible());
    EXPECT_TRUE(label.HasFlag(WndSeeThrough));
    // Right edge, vertically centred, of the 100 x 30 client area.
    const CWindowCaption& caption = label.Caption();
    EXPECT_EQ(caption.Position().X(), 100 - 30);
    EXPECT_EQ(caption.Position().Y(), (30 - 10) / 2);
    EXPECT_EQ(caption.foreground, 5);
    // A missing node leaves the label as it is.
    label.Link().SetPath(CStr("/Main/None"));
    EXPECT_FALSE(label.Link().Reload(false));
    EXPECT_STREQ(label.Text().Chars(), "label");
    // A new text is measured and aligned again.
    label.SetText(CStr("ab"), false);
    EXPECT_EQ(caption.Position().X(), 100 - 12);
}

TEST_F(TextControlsTest, MenuItemLosesItsShadowWhilePressed)
{
    CMenuItem item(Root(), CStr("/Main/Menu"), true);
    EXPECT_STREQ(item.Text().Chars(), "menu");
    CWindowCaption& caption = item.Caption();
    EXPECT_EQ(caption.shadowSize, 3);
    EXPECT_EQ(caption.shadowColour, 2);
    EXPECT_EQ(caption.foreground, 15);
    EXPECT_EQ(caption.OwnWidth(), 24 + 3);

    PenDownSignal.FirePoint(PackedPoint(50, 110));
    CWindowMgr::ProcessEvents();
    ASSERT_TRUE(item.IsDrawnDown());
    EXPECT_EQ(caption.shadowSize, 0);
    EXPECT_EQ(caption.foreground, 14);
    EXPECT_EQ(caption.OwnWidth(), 24);
    PenUpSignal.FirePoint(PackedPoint(50, 110));
    CWindowMgr::ProcessEvents();
    EXPECT_EQ(caption.shadowSize, 3);
    EXPECT_EQ(caption.foreground, 15);

    item.Enable(false, false);
    EXPECT_EQ(caption.foreground, 7);
    item.Enable(true, false);
    EXPECT_EQ(caption.foreground, 15);
}

TEST(JoinLines, EachLineEndsWithALineBreak)
{
    CStringList list;
    EXPECT_STREQ(JoinLines(list).Chars(), "");
    list.Append(CStr("a"));
    list.Append(CStr(""));
    list.Append(CStr("bc"));
    EXPECT_STREQ(JoinLines(list).Chars(), "a\r\n\r\nbc\r\n");
}

}  // namespace
