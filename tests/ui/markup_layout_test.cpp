// Laying mark-up texts out into lines and pages, with fixed-width fonts
// (font 0: 6 x 10), in a client area 100 wide.
#include "ui/markup_layout.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/support/screen/controls_rig.h"
#include "ui/squad_icon.h"

namespace {

using controls_test::ControlsRig;
using controls_test::Picture;

class Pages : public MarkupPageOwner {
public:
    ~Pages() override
    {
        for (MarkupPage* page : pages)
            delete page;
    }
    void InvalidatePageArea(const PackedRect& rect) override { invalidated.push_back(rect); }
    void Build(const char* text, int16_t width = 100, int16_t height = 200, uint8_t alignH = AlignStart)
    {
        MarkupSettings settings;
        settings.width = width;
        settings.height = height;
        settings.alignH = alignH;
        MarkupLayout layout(settings, this, pages);
        layout.Build(text);
    }
    MarkupLine* Line(size_t page, size_t line) { return pages.at(page)->Lines().at(line); }
    CTextElement* Text(size_t page, size_t line, size_t element)
    {
        return dynamic_cast<CTextElement*>(Line(page, line)->Elements().at(element));
    }
    // The words of a page, line by line ("|" between lines, "+" between elements).
    std::string Words(size_t page)
    {
        std::string out;
        for (MarkupLine* line : pages.at(page)->Lines()) {
            if (!out.empty())
                out += "|";
            bool first = true;
            for (CDrawableElement* element : line->Elements()) {
                if (!first)
                    out += "+";
                first = false;
                auto* text = dynamic_cast<CTextElement*>(element);
                out += text ? text->Text().Chars() : "#";
            }
        }
        return out;
    }
    std::vector<MarkupPage*> pages;
    std::vector<PackedRect> invalidated;
};

class MarkupLayoutTest : public ControlsRig {
protected:
    void SetUp() override
    {
        ControlsRig::SetUp();
        ASSERT_TRUE(pack.AddFile("Images/Icons/gold", "img", Picture(12, 8, 40)));
        ASSERT_TRUE(pack.AddFile("Images/coin", "img", Picture(10, 14, 41)));
        ASSERT_TRUE(pack.AddFile("Images/tall", "img", Picture(10, 50, 42)));
        ASSERT_TRUE(pack.AddFile("Images/flag", "ani", controls_test::Animation(3, 8, 6)));
        Mount({{0, "Main", {}}}, "k=v\r\n");
    }
};

TEST_F(MarkupLayoutTest, WordsShareElementsAndWrap)
{
    struct Case {
        const char* text;
        const char* words;  // page 0
    };
    const Case cases[] = {
        // A run of separators counts as one space width; the words merge.
        {"ab  \r\n  cd", "ab cd|"},
        // A word that does not fit starts a new line; 16 characters fit.
        {"aaaaaaaaaa bbbbbbbbbb", "aaaaaaaaaa|bbbbbbbbbb|"},
        // A word wider than the line is broken where the line ends.
        {"x cccccccccccccccccccc y", "x|cccccccccccccccc|cccc y|"},
        {"dddddddddddddddddddddddddddddddddd", "dddddddddddddddd|dddddddddddddddd|dd|"},
        // Two breaks after a line give an empty line.
        {"text{br}{br}more", "text||more|"},
        // A tag ends the merge, so words around it are separate elements.
        {"a {s1}b{/s1} c", "a+b+c|"},
        {"{p}one{p}two", "one|two|"},
        // Unknown tags and their attributes are ignored.
        {"a {blink rate=3}b", "a+b|"},
    };
    for (const Case& c : cases) {
        Pages pages;
        pages.Build(c.text);
        ASSERT_EQ(pages.pages.size(), 1u) << c.text;
        EXPECT_EQ(pages.Words(0), c.words) << c.text;
    }
}

TEST_F(MarkupLayoutTest, SpacingAndLineGeometry)
{
    Pages pages;
    pages.Build("ab  \r\n  cd ef gggggggggggggg h");
    // "ab cd ef" = 8 characters; "gggggggggggggg" (84) does not fit after it.
    MarkupLine* first = pages.Line(0, 0);
    ASSERT_EQ(first->Elements().size(), 1u);
    EXPECT_STREQ(pages.Text(0, 0, 0)->Text().Chars(), "ab cd ef");
    EXPECT_EQ(first->OwnWidth(), 48);
    EXPECT_EQ(first->OuterHeight(), 10);
    // The wrapped word has no leading gap; "h" after it keeps one space.
    MarkupLine* second = pages.Line(0, 1);
    EXPECT_STREQ(pages.Text(0, 1, 0)->Text().Chars(), "gggggggggggggg h");
    EXPECT_EQ(second->Elements()[0]->leftSpacing, 0);
    // The last (empty) line is zero high; the page's height is its lines'.
    EXPECT_EQ(pages.pages[0]->OwnHeight(), 20);
    EXPECT_EQ(pages.pages[0]->WidestLine(), 96);
}

TEST_F(MarkupLayoutTest, ColoursAlignmentAndShadows)
{
    Pages pages;
    pages.Build("a {s1}b{/s1} c{p align=right}right{br}still {p align=center}mid "
                "{span shadowsize=2 shadowpos=bottomright shadowcolor=3 fcolor=9}sh");
    EXPECT_EQ(pages.Text(0, 0, 0)->foreground, 8);
    EXPECT_EQ(pages.Text(0, 0, 1)->foreground, 12);
    EXPECT_EQ(pages.Text(0, 0, 2)->foreground, 8);
    // "right" and the line after it are right-aligned: 100 - 30.
    EXPECT_EQ(pages.Line(0, 1)->Position().X(), 70);
    EXPECT_EQ(pages.Line(0, 2)->Position().X(), 100 - 30);
    // Centred: "mid" + gap + "sh" = 18 + 6 + 12 (shadow not in the advance).
    EXPECT_EQ(pages.Line(0, 3)->Position().X(), (100 - 36) / 2);
    auto* shadow = dynamic_cast<CShadowTextElement*>(pages.Line(0, 3)->Elements().at(1));
    ASSERT_NE(shadow, nullptr);
    EXPECT_EQ(shadow->foreground, 9);
    EXPECT_EQ(shadow->shadowColour, 3);
    EXPECT_EQ(shadow->OwnWidth(), 14);
    EXPECT_EQ(shadow->OuterWidth(), 12);
}

TEST_F(MarkupLayoutTest, PicturesAndSquadIcons)
{
    Pages pages;
    pages.Build("a {img src=/Images/none} b {ico src=gold} {img src=/Images/coin hspace=4} "
                "{ani src=/Images/flag}{obj name=squad icon=/Images/coin toptext=12 bottomtext=3} "
                "{obj name=cart} {img} z",
                200);
    // The missing picture, the unknown object and the empty img place nothing.
    EXPECT_EQ(pages.Words(0), "a+b+#+#+#+#+z|");
    const auto& elements = pages.Line(0, 0)->Elements();
    auto* icon = dynamic_cast<CImageElement*>(elements[2]);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->OuterWidth(), 12);
    auto* coin = dynamic_cast<CImageElement*>(elements[3]);
    ASSERT_NE(coin, nullptr);
    EXPECT_EQ(coin->OuterWidth(), 18);  // 10 + 2 × 4, centred
    EXPECT_EQ(coin->Position().X(), 4);
    EXPECT_NE(dynamic_cast<CAnimElement*>(elements[4]), nullptr);
    auto* squad = dynamic_cast<CSquadIcon*>(elements[5]);
    ASSERT_NE(squad, nullptr);
    EXPECT_STREQ(squad->First().Text().Chars(), "12");
    EXPECT_GT(squad->OuterWidth(), 10);
    // The line is as high as its tallest element (the 14-high coin), and
    // every element takes that height.
    EXPECT_EQ(pages.Line(0, 0)->OuterHeight(), 14);
    for (CDrawableElement* element : elements)
        EXPECT_EQ(element->OuterHeight(), 14);
}

TEST_F(MarkupLayoutTest, ACountWrapsTogetherWithItsIcon)
{
    // The gold icon is 12 wide, a character 6, the page 100.
    const struct {
        const char* text;
        const char* words;
    } cases[] = {
        // A report's losses: the third count does not fit after its icon.
        {"{ico src=gold} -12 {ico src=gold} -5 {ico src=gold} -7", "#+-12+#+-5|#+-7|"},
        {"aaaaaaaaaaaaa {ico src=gold} 12", "aaaaaaaaaaaaa|#+12|"},
        {"aaaaaaaaaaaa {obj name=squad icon=/Images/coin toptext=1} +30", "aaaaaaaaaaaa|#++30|"},
        // A word that is no count wraps alone.
        {"aaaaaaaaaaaaa {ico src=gold} gold", "aaaaaaaaaaaaa+#|gold|"},
        // An icon that starts its line, or a pair no line could hold, stays.
        {"{ico src=gold} 1234567890123456", "#|1234567890123456|"},
        {"a {ico src=gold} 123456789012345", "a+#|123456789012345|"},
    };
    for (const auto& c : cases) {
        Pages pages;
        pages.Build(c.text);
        ASSERT_EQ(pages.pages.size(), 1u) << c.text;
        EXPECT_EQ(pages.Words(0), c.words) << c.text;
    }
    // The icon starts its new line; the count keeps its space after it.
    Pages pages;
    pages.Build("aaaaaaaaaaaaa {ico src=gold} 12");
    const auto& moved = pages.Line(0, 1)->Elements();
    ASSERT_EQ(moved.size(), 2u);
    EXPECT_EQ(moved[0]->leftSpacing, 0);
    EXPECT_EQ(moved[1]->leftSpacing, 6);
    EXPECT_EQ(pages.Line(0, 0)->OwnWidth(), 78);
    EXPECT_EQ(pages.Line(0, 1)->OwnWidth(), 12 + 6 + 12);
}

TEST_F(MarkupLayoutTest, SpacingGivenBeforeThePictureCounts)
{
    const char* texts[] = {
        "{img src=/Images/coin hspace=4 vspace=3}",
        "{img hspace=4 src=/Images/coin vspace=3}",
        "{img hspace=4 vspace=3 src=/Images/coin}",
        "{ani hspace=4 vspace=3 src=/Images/flag}",
    };
    for (const char* text : texts) {
        Pages pages;
        pages.Build(text);
        ASSERT_EQ(pages.Line(0, 0)->Elements().size(), 1u) << text;
        const CDrawableElement* picture = pages.Line(0, 0)->Elements()[0];
        EXPECT_EQ(picture->OuterWidth(), picture->OwnWidth() + 8) << text;
        EXPECT_EQ(picture->OuterHeight(), picture->OwnHeight() + 6) << text;
        EXPECT_EQ(picture->Position().X(), 4) << text;
    }
}

TEST_F(MarkupLayoutTest, AnAbsurdSpacingLeavesThePictureOnThePage)
{
    // Numbers past any int, or repeated, once wrapped the sizes around to
    // nonsense (and overflowed on the way).
    const char* texts[] = {
        "{img src=/Images/coin hspace=666666666666661}",
        "{img hspace=666666666666661 src=/Images/coin}",
        "{img src=/Images/coin hspace=1842981541 vspace=1842981541}",
        "{img src=/Images/coin vspace=-1842981541}",
        "{img hspace=9999 hspace=9999 hspace=9999 hspace=9999 hspace=9999 hspace=9999 "
        "hspace=9999 hspace=9999 hspace=9999 hspace=9999 hspace=9999 hspace=9999 "
        "hspace=9999 hspace=9999 hspace=9999 hspace=9999 hspace=9999 src=/Images/coin}",
    };
    for (const char* text : texts) {
        Pages pages;
        pages.Build(text, 100, 30);
        ASSERT_EQ(pages.pages.size(), 1u) << text;
        ASSERT_EQ(pages.Line(0, 0)->Elements().size(), 1u) << text;
        const CDrawableElement* picture = pages.Line(0, 0)->Elements()[0];
        EXPECT_GE(picture->OuterWidth(), picture->OwnWidth()) << text;
        EXPECT_LE(picture->OuterWidth(), 100) << text;
        EXPECT_GT(picture->OuterHeight(), 0) << text;
        EXPECT_LE(picture->OuterHeight(), 30) << text;
        EXPECT_GE(picture->Position().X(), 0) << text;
    }
}

TEST_F(MarkupLayoutTest, APictureTallerThanThePageKeepsItsLineOnThePage)
{
    // The page is 30 high, the picture 50: its line is the page's height and
    // the text after it goes on the next page.
    Pages pages;
    pages.Build("a{br}{img src=/Images/tall} b{br}c", 100, 30);
    for (MarkupPage* page : pages.pages)
        for (MarkupLine* line : page->Lines())
            EXPECT_LE(line->OuterHeight(), 30);
    ASSERT_EQ(pages.pages.size(), 3u);
    EXPECT_EQ(pages.Words(1), "#+b");
    EXPECT_EQ(pages.Line(1, 0)->OuterHeight(), 30);
}

TEST_F(MarkupLayoutTest, PagesBreakAndKeepBlocksTogether)
{
    // Pages 30 high hold three lines of 10.
    {
        Pages pages;
        pages.Build("l1{br}l2{noff}k1{br}k2{/noff} end", 100, 30);
        ASSERT_EQ(pages.pages.size(), 2u);
        EXPECT_EQ(pages.Words(0), "l1|l2");
        EXPECT_EQ(pages.Words(1), "k1|k2|end|");
    }
    {
        // A block that fits stays on the page.
        Pages pages;
        pages.Build("l1{noff}k1{br}k2{/noff} end", 100, 30);
        ASSERT_EQ(pages.pages.size(), 2u);
        EXPECT_EQ(pages.Words(0), "l1|k1|k2");
    }
    {
        // "ff" on a page without lines adds no empty page.
        Pages pages;
        pages.Build("{ff}abc{ff}def", 100, 30);
        ASSERT_EQ(pages.pages.size(), 2u);
        EXPECT_EQ(pages.Words(0), "abc");
        EXPECT_EQ(pages.Words(1), "def|");
    }
    {
        Pages pages;
        pages.Build("");
        EXPECT_TRUE(pages.pages.empty());
    }
    {
        // Line offsets count in the page height: 10 + 8 per line.
        Pages pages;
        pages.Build("{p lineoffset=8}a{br}b{br}c{br}d", 100, 40);
        ASSERT_EQ(pages.pages.size(), 2u);
        EXPECT_EQ(pages.Words(0), "a|b");
        EXPECT_EQ(pages.Line(0, 0)->lineOffset, 8);
    }
}

// A block or a tag at the very end of the text is not lost.
TEST_F(MarkupLayoutTest, TheEndOfTheTextEndsOpenBlocksAndTags)
{
    const struct {
        const char* text;
        const char* words;
    } cases[] = {
        {"{noff}a{br}b{/noff}", "a|b|"},
        {"x{noff}a{br}b", "x|a|b|"},
        {"abc{br}", "abc|"},
        {"abc{br}{br}", "abc||"},
        {"abc {img src=/Images/coin}", "abc+#|"},
    };
    for (const auto& c : cases) {
        Pages pages;
        pages.Build(c.text);
        ASSERT_EQ(pages.pages.size(), 1u) << c.text;
        EXPECT_EQ(pages.Words(0), c.words) << c.text;
    }
}

TEST_F(MarkupLayoutTest, AnimationFramesRepaintTheirPlace)
{
    Pages pages;
    pages.Build("one{br}ab {ani src=/Images/flag}");
    MarkupLine* line = pages.Line(0, 1);
    auto* anim = dynamic_cast<CAnimElement*>(line->Elements().at(1));
    ASSERT_NE(anim, nullptr);
    line->OnElementFrame(anim);
    ASSERT_EQ(pages.invalidated.size(), 1u);
    const PackedRect& rect = pages.invalidated[0];
    EXPECT_EQ(rect.Left(), 12 + 6);  // after "ab" and the gap
    EXPECT_EQ(rect.Right(), 12 + 6 + 8 - 1);
    EXPECT_EQ(rect.Top(), 10);
    EXPECT_EQ(rect.Bottom(), 19);
    pages.pages[0]->StartAnimations(true);
    EXPECT_TRUE(anim->IsRunning());
    pages.pages[0]->StartAnimations(false);
    EXPECT_FALSE(anim->IsRunning());
}

TEST(MarkupDecimal, ReadsLikeTheCLibrary)
{
    EXPECT_EQ(MarkupDecimal("  -12x"), -12);
    EXPECT_EQ(MarkupDecimal("+7"), 7);
    EXPECT_EQ(MarkupDecimal("x7"), 0);
    EXPECT_EQ(MarkupDecimal("99999999999"), INT32_MAX);
}

}  // namespace
