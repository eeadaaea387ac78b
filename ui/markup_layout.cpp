#include "ui/markup_layout.h"

#include <strings.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "core/font.h"
#include "core/path_mgr.h"
#include "ui/squad_icon.h"

namespace {

int16_t Clamp16(int32_t value)
{
    return static_cast<int16_t>(std::clamp<int32_t>(value, INT16_MIN, INT16_MAX));
}

bool Is(const char* a, const char* b)
{
    return strcasecmp(a, b) == 0;
}

// Advance of an element along its line.
int32_t Advance(const CDrawableElement* element)
{
    return element->leftSpacing + element->OuterWidth() + element->rightSpacing;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A number as reports write it beside an icon: "12", "-12", "+5".
bool IsCount(const CDrawableElement* element)
{
    const auto* text = dynamic_cast<const CTextElement*>(element);
    if (text == nullptr)
        return false;
    const char* chars = text->Text().Chars();
    if (chars[0] == '+' || chars[0] == '-')
        ++chars;
    return IsDigit(chars[0]);
}

}  // namespace

int32_t MarkupDecimal(const char* value)
{
    errno = 0;
    long parsed = std::strtol(value, nullptr, 10);
    return static_cast<int32_t>(std::clamp<long>(parsed, INT32_MIN, INT32_MAX));
}

// ---- MarkupLine ----

MarkupLine::MarkupLine(int16_t width) : CAlignedBox(width, 0, AlignStart, AlignCentre, 0, 0) {}

MarkupLine::~MarkupLine()
{
    for (CDrawableElement* element : m_elements)
        delete element;
}

void* MarkupLine::QueryInterface(int32_t id)
{
    return CAlignedBox::QueryInterface(id);
}

void MarkupLine::AddElement(CDrawableElement* element)
{
    m_elements.push_back(element);
    if (auto* anim = dynamic_cast<CAnimElement*>(element))
        anim->BindFrameHandler(this, &MarkupLine::OnElementFrame);
}

CDrawableElement* MarkupLine::TakeLastElement()
{
    if (m_elements.empty())
        return nullptr;
    CDrawableElement* element = m_elements.back();
    m_elements.pop_back();
    return element;
}

void MarkupLine::Finish()
{
    int32_t width = 0;
    int32_t height = std::max<int32_t>(OuterHeight(), 0);
    for (CDrawableElement* element : m_elements) {
        width += Advance(element);
        height = std::max<int32_t>(height, element->OuterHeight());
    }
    for (CDrawableElement* element : m_elements) {
        element->SetOuterSize(element->OuterWidth(), Clamp16(height));
        element->Recalc();
    }
    SetOuterSize(OuterWidth(), Clamp16(height));
    SetOwnSize(Clamp16(width), Clamp16(height));
    Recalc();
}

void MarkupLine::Draw(CDrawContext& dc, int32_t dx, int32_t dy)
{
    int32_t x = dx + Position().X();
    for (CDrawableElement* element : m_elements) {
        element->Draw(dc, x + element->leftSpacing, dy);
        x += Advance(element);
    }
}

void MarkupLine::StartAnimations(bool start)
{
    for (CDrawableElement* element : m_elements) {
        if (auto* anim = dynamic_cast<CAnimElement*>(element)) {
            if (start) {
                anim->Start();
            } else {
                anim->Stop();
            }
        }
    }
}

void MarkupLine::OnElementFrame(CAlignedBox* element)
{
    int32_t x0 = Position().X();
    for (CDrawableElement* item : m_elements) {
        if (item == element) {
            x0 += item->leftSpacing;
            if (m_page != nullptr)
                m_page->InvalidateElement(x0, x0 + item->OuterWidth(), this);
            return;
        }
        x0 += Advance(item);
    }
}

// ---- MarkupPage ----

MarkupPage::MarkupPage(int16_t width, int16_t height, MarkupPageOwner* owner)
    : CAlignedBox(width, height, AlignStart, AlignStart, 0, 0), m_owner(owner)
{}

MarkupPage::~MarkupPage()
{
    for (MarkupLine* line : m_lines)
        delete line;
}

void* MarkupPage::QueryInterface(int32_t id)
{
    return CAlignedBox::QueryInterface(id);
}

void MarkupPage::AddLine(MarkupLine* line)
{
    m_lines.push_back(line);
    SetOwnSize(OwnWidth(), Clamp16(OwnHeight() + line->OuterHeight()));
    Recalc();
    m_widest = std::max(m_widest, line->OwnWidth());
    line->SetPage(this);
}

void MarkupPage::DrawLines(CDrawContext& dc, int32_t dx, int32_t dy)
{
    int32_t y = dy + Position().Y();
    for (MarkupLine* line : m_lines) {
        line->Draw(dc, dx, y);
        y += line->OuterHeight() + line->lineOffset;
    }
}

void MarkupPage::Resize(int16_t width, int16_t height)
{
    for (MarkupLine* line : m_lines) {
        line->SetOuterSize(width, line->OuterHeight());
        line->Recalc();
    }
    SetOuterSize(width, height);
    Recalc();
}

void MarkupPage::SetWidth(int16_t width)
{
    Resize(width, OuterHeight());
}

void MarkupPage::StartAnimations(bool start)
{
    for (MarkupLine* line : m_lines)
        line->StartAnimations(start);
}

void MarkupPage::InvalidateElement(int32_t x0, int32_t x1, MarkupLine* line)
{
    int32_t y = Position().Y();
    for (MarkupLine* item : m_lines) {
        if (item == line)
            break;
        y += item->OuterHeight() + item->lineOffset;
    }
    if (m_owner == nullptr)
        return;
    PackedRect rect;
    rect.Set(Clamp16(x0), Clamp16(y), Clamp16(x1 - 1),
             Clamp16(y + line->OuterHeight() + line->lineOffset - 1));
    m_owner->InvalidatePageArea(rect);
}

// ---- MarkupLayout ----

MarkupLayout::MarkupLayout(const MarkupSettings& settings, MarkupPageOwner* owner,
                           std::vector<MarkupPage*>& pages)
    : m_settings(settings), m_owner(owner), m_pages(pages)
{}

MarkupLayout::~MarkupLayout()
{
    // Whatever a build did not place (only after an allocation failure).
    DropPending();
    for (MarkupLine* line : m_keptLines)
        delete line;
    delete m_line;
    delete m_page;
}

MarkupLine* MarkupLayout::NewLine()
{
    return new MarkupLine(m_settings.width);
}

void MarkupLayout::Build(const char* text, int32_t length)
{
    if (text == nullptr || length == 0 || text[0] == 0)
        return;
    m_page = new MarkupPage(m_settings.width, m_settings.height, m_owner);
    m_line = NewLine();
    m_keptLines.clear();
    m_keepTogether = false;
    m_pending = nullptr;
    m_mergeCandidate = nullptr;
    m_lineWidth = 0;
    m_pageHeight = 0;
    m_shadowColour = 0;
    m_shadowSize = 0;
    m_shadowPos = 0;
    m_lineOffset = 0;
    m_pendingSpace = 0;
    m_font = m_settings.font;
    m_foreground = m_settings.foreground;
    m_savedColour = m_settings.foreground;
    m_background = m_settings.background;
    m_alignH = m_settings.alignH;
    m_alignV = m_settings.alignV;
    m_spaceWidth = SelectFont(m_font).GetGlyph(' ').width;
    m_tagKind = MarkupTagNone;
    m_tagOk = false;
    m_tagOpen = false;
    ParseMarkup(*this, text, DefaultMarkupSeparators, length);
}

void MarkupLayout::DropPending()
{
    if (m_pending == m_mergeCandidate)
        m_mergeCandidate = nullptr;
    delete m_pending;
    m_pending = nullptr;
}

void MarkupLayout::PlaceElement()
{
    if (m_pending == nullptr)
        return;
    CDrawableElement* element = m_pending;
    // Elements made by tags know their own size only; they take it as their
    // box. A picture tag whose picture never came has no size at all and
    // places nothing rather than pulling the line's width negative.
    if ((element->OuterWidth() < 0 || element->OuterHeight() < 0) && element->OwnWidth() >= 0 &&
        element->OwnHeight() >= 0) {
        element->FitToContent();
    }
    if (element->OuterWidth() < 0 || element->OuterHeight() < 0) {
        DropPending();
        return;
    }
    // A picture larger than the page gets a box of the page's size, so that
    // its line stays within the page; the window shows what fits.
    if (element->OuterWidth() > m_line->OuterWidth() ||
        (m_settings.height > 0 && element->OuterHeight() > m_settings.height)) {
        const int16_t height = m_settings.height > 0 ? std::min(element->OuterHeight(), m_settings.height)
                                                     : element->OuterHeight();
        element->SetOuterSize(std::min(element->OuterWidth(), m_line->OuterWidth()), height);
    }
    if (m_lineWidth + element->OuterWidth() + m_pendingSpace > m_line->OuterWidth()) {
        if (m_lineWidth != 0) {
            const int32_t space = m_pendingSpace;
            CDrawableElement* icon = IconOfCount(element);
            if (icon != nullptr)
                m_lineWidth -= Advance(icon);
            FinishLine();
            if (icon != nullptr) {
                icon->leftSpacing = 0;
                m_line->AddElement(icon);
                m_lineWidth = Advance(icon);
                element->leftSpacing = Clamp16(space);
            }
        } else {
            m_pendingSpace = 0;  // it stands alone on its line, overflowing it
        }
    } else {
        element->leftSpacing = Clamp16(m_pendingSpace);
        m_pendingSpace = 0;
    }
    m_line->AddElement(element);
    m_lineWidth += Advance(element);
    m_pending = nullptr;
}

CDrawableElement* MarkupLayout::IconOfCount(const CDrawableElement* element)
{
    // A count read on the line below its icon tells of nothing: the two go
    // down together, unless they could not share a line even there or the
    // icon already starts its line.
    const std::vector<CDrawableElement*>& placed = m_line->Elements();
    if (!IsCount(element) || placed.size() < 2 || dynamic_cast<CTextElement*>(placed.back()) != nullptr)
        return nullptr;
    const CDrawableElement* icon = placed.back();
    if (icon->OuterWidth() + icon->rightSpacing + m_pendingSpace + element->OuterWidth() >
        m_line->OuterWidth())
        return nullptr;
    return m_line->TakeLastElement();
}

void MarkupLayout::FinishLine()
{
    MarkupLine* line = m_line;
    line->lineOffset = m_lineOffset;
    line->SetAlign(m_alignH, AlignCentre);
    if (m_lineWidth == 0)
        line->SetOuterSize(line->OuterWidth(), SelectFont(m_font).Height());
    line->Finish();
    const int32_t height = line->OuterHeight();
    if (m_keepTogether) {
        m_keptLines.push_back(line);
        m_keptHeight += height + line->lineOffset;
    } else {
        if (m_pageHeight != 0 && m_page->OuterHeight() < m_pageHeight + height + line->lineOffset)
            NewPage();
        m_page->AddLine(line);
        m_pageHeight += height + line->lineOffset;
    }
    m_line = nullptr;
    m_line = NewLine();
    m_lineWidth = 0;
    m_pendingSpace = 0;
}

void MarkupLayout::NewPage()
{
    m_page->SetAlign(m_page->Alignment() & 0x0F, m_settings.alignV);
    m_pages.push_back(m_page);
    m_page = nullptr;
    m_page = new MarkupPage(m_settings.width, m_settings.height, m_owner);
    m_pageHeight = 0;
}

void MarkupLayout::FlushKeptLines()
{
    if (m_pageHeight != 0 && m_page->OuterHeight() < m_pageHeight + m_keptHeight)
        NewPage();
    for (MarkupLine* line : m_keptLines)
        m_page->AddLine(line);
    m_keptLines.clear();
    m_pageHeight += m_keptHeight;
    m_keptHeight = 0;
}

void MarkupLayout::OnWord(const char* word)
{
    const FontData& font = SelectFont(m_font);
    const int32_t length = static_cast<int32_t>(std::strlen(word));
    const int32_t width = MeasureTextWidth(word, length, font);
    const int32_t pageWidth = m_line->OuterWidth();
    if (width <= pageWidth || length < 2) {
        PlaceWord(word, width);
        return;
    }
    // A word wider than the page is broken where the page ends, each piece
    // on a line of its own; a piece holds at least one character.
    for (int32_t start = 0; start < length;) {
        int32_t n = 1;
        while (start + n < length && MeasureTextWidth(word + start, n + 1, font) <= pageWidth)
            ++n;
        const std::string piece(word + start, static_cast<size_t>(n));
        PlaceWord(piece.c_str(), MeasureTextWidth(piece.c_str(), n, font));
        start += n;
    }
}

void MarkupLayout::PlaceWord(const char* word, int32_t width)
{
    if (m_mergeCandidate != nullptr && m_lineWidth + width + m_pendingSpace <= m_line->OuterWidth()) {
        CStr text = m_mergeCandidate->Text();
        text.AppendChar(' ');
        text.AppendChars(word);
        m_mergeCandidate->SetText(text, true);
        m_mergeCandidate->FitToContent();
        m_lineWidth += width + m_pendingSpace;
        m_pendingSpace = 0;
        return;
    }
    CTextElement* element;
    if (m_shadowSize != 0) {
        auto* shadow = new CShadowTextElement(CStr(word), kUnknownSize, kUnknownSize, m_foreground,
                                              m_background, true, m_font);
        shadow->FitToContent();
        shadow->shadowColour = m_shadowColour;
        shadow->shadowSize = m_shadowSize;
        shadow->SetShadowPos(m_shadowPos, false);
        element = shadow;
    } else {
        element = new CTextElement(CStr(word), kUnknownSize, kUnknownSize, m_foreground, m_background, true,
                                   m_font);
        element->FitToContent();
    }
    DropPending();
    m_pending = element;
    m_mergeCandidate = element;
    PlaceElement();
}

void MarkupLayout::OnSpaces(uint16_t)
{
    m_pendingSpace = m_spaceWidth;
}

void MarkupLayout::OnTag(const char* name)
{
    m_mergeCandidate = nullptr;
    m_tagOk = true;
    m_tagOpen = true;
    if (Is(name, "s1")) {
        m_tagKind = MarkupTagSpan;
        m_savedColour = m_foreground;
        m_foreground = 12;
    } else if (Is(name, "/s1")) {
        m_tagKind = MarkupTagSpan;
        m_foreground = m_savedColour;
    } else if (Is(name, "obj")) {
        m_tagKind = MarkupTagObj;
    } else if (Is(name, "ico") || Is(name, "img")) {
        m_tagKind = Is(name, "ico") ? MarkupTagIco : MarkupTagImg;
        m_pending = new (std::nothrow) CImageElement("", kUnknownSize, kUnknownSize);
        m_tagOk = m_pending != nullptr;
    } else if (Is(name, "ani")) {
        m_tagKind = MarkupTagAni;
        m_pending = new (std::nothrow) CAnimElement("", kUnknownSize, kUnknownSize);
        m_tagOk = m_pending != nullptr;
    } else if (Is(name, "p")) {
        m_tagKind = MarkupTagP;
        if (m_lineWidth != 0)
            FinishLine();
    } else if (Is(name, "span")) {
        m_tagKind = MarkupTagSpan;
    } else if (Is(name, "br")) {
        m_tagKind = MarkupTagBr;
    } else if (Is(name, "ff")) {
        m_tagKind = MarkupTagFf;
    } else if (Is(name, "noff")) {
        m_tagKind = MarkupTagNoff;
    } else if (Is(name, "/noff")) {
        m_tagKind = MarkupTagEndNoff;
    } else {
        m_tagKind = MarkupTagNone;  // unknown tags are ignored with their attributes
    }
}

void MarkupLayout::SpanAttribute(const char* name, const char* value)
{
    if (Is(name, "shadowcolor")) {
        m_shadowColour = static_cast<uint8_t>(MarkupDecimal(value));
    } else if (Is(name, "shadowsize")) {
        m_shadowSize = static_cast<uint8_t>(MarkupDecimal(value));
    } else if (Is(name, "fcolor")) {
        m_foreground = static_cast<uint8_t>(MarkupDecimal(value));
    } else if (Is(name, "bcolor")) {
        m_background = static_cast<uint8_t>(MarkupDecimal(value));
    } else if (Is(name, "shadowpos")) {
        static const struct {
            const char* name;
            uint32_t position;
        } kPositions[] = {{"topleft", 5},    {"top", 4},     {"topright", 6},
                          {"left", 1},       {"center", 11}, {"right", 2},
                          {"bottomleft", 9}, {"bottom", 8},  {"bottomright", 10}};
        for (const auto& entry : kPositions) {
            if (Is(value, entry.name))
                m_shadowPos = entry.position;
        }
    }
}

void MarkupLayout::OnAttribute(const char* name, const char* value)
{
    if (!m_tagOk)
        return;
    switch (m_tagKind) {
    case MarkupTagObj:
        if (m_pending == nullptr) {
            if (Is(name, "name")) {
                if (Is(value, "squad"))
                    m_pending = new (std::nothrow) CSquadIcon();
                m_tagOk = m_pending != nullptr;
            }
        } else if (!m_pending->SetAttribute(name, value)) {
            m_tagOk = false;
        }
        break;
    case MarkupTagImg:
    case MarkupTagAni:
        if (m_pending != nullptr && !m_pending->SetAttribute(name, value))
            m_tagOk = false;
        break;
    case MarkupTagIco:
        if (m_pending != nullptr) {
            bool ok;
            if (Is(name, "src")) {
                CStr path = CPathMgr::Path(CPathMgr::kImagesIcons);
                path.AppendChars(value);
                ok = m_pending->SetAttribute(name, path.Chars());
            } else {
                ok = m_pending->SetAttribute(name, value);
            }
            if (!ok)
                m_tagOk = false;
        }
        break;
    case MarkupTagP:
        if (Is(name, "align")) {
            if (Is(value, "left"))
                m_alignH = AlignStart;
            if (Is(value, "right"))
                m_alignH = AlignEnd;
            if (Is(value, "center"))
                m_alignH = AlignCentre;
        } else if (Is(name, "valign")) {
            // Stored only: pages take the window's vertical alignment.
            if (Is(value, "top"))
                m_alignV = AlignStart;
            if (Is(value, "middle"))
                m_alignV = AlignCentre;
            if (Is(value, "bottom"))
                m_alignV = AlignEnd;
        } else if (Is(name, "lineoffset")) {
            m_lineOffset = static_cast<int8_t>(MarkupDecimal(value));
        } else {
            SpanAttribute(name, value);
        }
        break;
    case MarkupTagSpan:
        SpanAttribute(name, value);
        break;
    default:
        break;
    }
    if (!m_tagOk)
        DropPending();
}

void MarkupLayout::OnTagEnd()
{
    m_tagOpen = false;
    switch (m_tagKind) {
    case MarkupTagObj:
    case MarkupTagImg:
    case MarkupTagIco:
    case MarkupTagAni:
        PlaceElement();
        break;
    case MarkupTagP:
        if (!m_line->Elements().empty()) {
            FinishLine();
            m_alignH = m_settings.alignH;
            m_alignV = m_settings.alignV;
        }
        break;
    case MarkupTagBr:
        FinishLine();
        break;
    case MarkupTagFf:
        if (!m_keepTogether) {
            if (!m_line->Elements().empty())
                FinishLine();
            if (!m_page->Lines().empty())
                NewPage();
        }
        break;
    case MarkupTagNoff:
        if (!m_line->Elements().empty())
            FinishLine();
        m_keepTogether = true;
        break;
    case MarkupTagEndNoff:
        if (m_keepTogether) {
            if (m_lineWidth != 0)
                FinishLine();
            m_keepTogether = false;
            FlushKeptLines();
        }
        break;
    default:
        break;
    }
}

void MarkupLayout::OnFinish()
{
    if (m_page == nullptr)
        return;
    // The end of the text ends its last tag and any open noff block.
    if (m_tagOpen)
        OnTagEnd();
    PlaceElement();
    if (m_keepTogether) {
        if (m_lineWidth != 0)
            FinishLine();
        m_keepTogether = false;
        FlushKeptLines();
    }
    if (m_lineWidth != 0)
        FinishLine();
    MarkupLine* line = m_line;
    line->Finish();
    // The last line holds no element (a line with any was finished above);
    // it never opens a page of its own, which would be an empty page.
    if (!line->Elements().empty() && m_pageHeight != 0 &&
        m_page->OuterHeight() < m_pageHeight + line->OuterHeight() + m_lineOffset) {
        NewPage();
    }
    m_page->AddLine(line);
    m_line = nullptr;
    m_page->SetAlign(m_page->Alignment() & 0x0F, m_settings.alignV);
    m_pages.push_back(m_page);
    m_page = nullptr;
}
