#pragma once
// The layout of mark-up texts: the handler that turns the scanner's words and
// tags into lines (MarkupLine) of elements and pages (MarkupPage) of lines of
// a window's client size.
//
// Tags (names without regard to case):
//   {p align=left|center|right valign=top|middle|bottom lineoffset=N
//      fcolor=N bcolor=N shadowcolor=N shadowsize=N shadowpos=NAME}
//                     ends the paragraph; the settings hold for later lines
//   {span ...}        the colour and shadow settings of "p" for later words
//   {s1} {/s1}        later words in colour 12, then the colour before it
//   {br}              ends the line (an empty line is one text line high)
//   {ff}              starts a new page (not inside a noff block)
//   {noff} {/noff}    keeps the lines between them together on one page
//   {img src=NAME hspace=N vspace=N}  a picture; {ico src=NAME} one of the
//                     icon folder; {ani src=NAME} an animation
//   {obj name=squad icon=NAME toptext=T bottomtext=T}  a squad icon
// Unknown tags and their attributes are ignored.
//
// A count ("12", "-12", "+5") that follows a picture goes to the next line
// with it when it does not fit: the line breaks before the picture.
//
// A build always ends with every line on a page: a tag that ends the text is
// ended as if more text followed, and a noff block left open at the end is
// closed there, so no line of the text is lost.

#include <cstdint>
#include <vector>

#include "core/packed_geometry.h"
#include "ui/layout_box.h"
#include "ui/markup_parser.h"
#include "ui/text_element.h"

class MarkupPage;

// Who owns the pages of a build: asked to repaint the part of a page where an
// animation moved (rect relative to the page's origin, the client area).
class MarkupPageOwner {
public:
    virtual ~MarkupPageOwner() = default;
    virtual void InvalidatePageArea(const PackedRect& rect) = 0;
};

class MarkupLine : public CAlignedBox {
public:
    explicit MarkupLine(int16_t width);
    ~MarkupLine() override;
    void* QueryInterface(int32_t id) override;
    void Draw(CDrawContext& dc, int32_t dx, int32_t dy) override;
    void Relayout() override {}

    // Takes ownership. Animations report their frames to the line.
    void AddElement(CDrawableElement* element);
    // Gives the last element back to the caller (null on an empty line).
    CDrawableElement* TakeLastElement();
    // Own width = the elements' advances; every element and the line take the
    // height of the tallest of them (at least the line's outer height).
    void Finish();
    void StartAnimations(bool start);
    void OnElementFrame(CAlignedBox* element);

    const std::vector<CDrawableElement*>& Elements() const { return m_elements; }
    MarkupPage* Page() const { return m_page; }
    void SetPage(MarkupPage* page) { m_page = page; }
    int16_t lineOffset = 0;

private:
    std::vector<CDrawableElement*> m_elements;
    MarkupPage* m_page = nullptr;
};

class MarkupPage : public CAlignedBox {
public:
    MarkupPage(int16_t width, int16_t height, MarkupPageOwner* owner);
    ~MarkupPage() override;
    void* QueryInterface(int32_t id) override;
    void Draw(CDrawContext& dc, int32_t dx, int32_t dy) override { DrawLines(dc, dx, dy); }
    void Relayout() override {}

    void AddLine(MarkupLine* line);
    void DrawLines(CDrawContext& dc, int32_t dx, int32_t dy);
    void Resize(int16_t width, int16_t height);
    void SetWidth(int16_t width);
    void StartAnimations(bool start);
    void InvalidateElement(int32_t x0, int32_t x1, MarkupLine* line);

    const std::vector<MarkupLine*>& Lines() const { return m_lines; }
    int16_t WidestLine() const { return m_widest; }
    MarkupPageOwner* Owner() const { return m_owner; }

private:
    std::vector<MarkupLine*> m_lines;
    int16_t m_widest = 0;
    MarkupPageOwner* m_owner;
};

// What a build takes from its window.
struct MarkupSettings {
    int16_t width = 0;
    int16_t height = 0;
    uint8_t font = 0;
    uint8_t foreground = 8;
    uint8_t background = 0;
    uint8_t alignH = AlignCentre;
    uint8_t alignV = AlignStart;
};

// Kinds of the last tag.
enum MarkupTagKind : uint32_t {
    MarkupTagNone = 0,
    MarkupTagObj = 1,
    MarkupTagImg = 2,
    MarkupTagIco = 3,
    MarkupTagAni = 4,
    MarkupTagP = 5,
    MarkupTagSpan = 6,
    MarkupTagBr = 7,
    MarkupTagFf = 8,
    MarkupTagNoff = 9,
    MarkupTagEndNoff = 10,
};

// One build: appends the pages of a text to `pages`. The pages, their lines
// and elements then belong to the caller.
class MarkupLayout : public MarkupHandler {
public:
    MarkupLayout(const MarkupSettings& settings, MarkupPageOwner* owner, std::vector<MarkupPage*>& pages);
    ~MarkupLayout() override;
    MarkupLayout(const MarkupLayout&) = delete;
    MarkupLayout& operator=(const MarkupLayout&) = delete;

    // Lays out the text; an empty text gives no page.
    void Build(const char* text, int32_t length = -1);

    void OnWord(const char* word) override;
    void OnTag(const char* name) override;
    void OnAttribute(const char* name, const char* value) override;
    void OnSpaces(uint16_t count) override;
    void OnTagEnd() override;
    void OnFinish() override;

private:
    void PlaceWord(const char* word, int32_t width);
    void PlaceElement();
    // Takes off the line the icon that a count about to wrap belongs to,
    // or gives null when the count wraps alone.
    CDrawableElement* IconOfCount(const CDrawableElement* element);
    void FinishLine();
    void NewPage();
    void FlushKeptLines();
    void DropPending();
    void SpanAttribute(const char* name, const char* value);
    MarkupLine* NewLine();

    MarkupSettings m_settings;
    MarkupPageOwner* m_owner;
    std::vector<MarkupPage*>& m_pages;

    MarkupPage* m_page = nullptr;
    MarkupLine* m_line = nullptr;
    CDrawableElement* m_pending = nullptr;
    CTextElement* m_mergeCandidate = nullptr;
    int32_t m_lineWidth = 0;
    int32_t m_pageHeight = 0;
    int32_t m_pendingSpace = 0;
    int32_t m_spaceWidth = 0;
    uint8_t m_font = 0;
    uint8_t m_foreground = 0;
    uint8_t m_background = 0;
    uint8_t m_savedColour = 0;
    uint8_t m_alignH = AlignCentre;
    uint8_t m_alignV = AlignStart;
    int8_t m_lineOffset = 0;
    uint8_t m_shadowColour = 0;
    uint8_t m_shadowSize = 0;
    uint32_t m_shadowPos = 0;
    bool m_keepTogether = false;
    std::vector<MarkupLine*> m_keptLines;
    int32_t m_keptHeight = 0;
    uint32_t m_tagKind = MarkupTagNone;
    bool m_tagOk = false;
    bool m_tagOpen = false;  // a tag was read whose end has not been handled
};

// Reads a decimal value as the C library does (leading blanks, a sign,
// digits; anything else gives 0), saturated to the int32 range.
int32_t MarkupDecimal(const char* value);
