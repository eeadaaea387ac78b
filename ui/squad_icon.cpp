#include "ui/squad_icon.h"

#include <strings.h>

#include <algorithm>

#include "core/font.h"

namespace {

int32_t KnownOr0(int16_t size)
{
    return size < 0 ? 0 : size;
}

}  // namespace

CSquadIcon::CSquadIcon()
    : CDrawableElement(kUnknownSize, kUnknownSize, AlignStart, AlignStart, kUnknownSize, kUnknownSize),
      m_picture("", kUnknownSize, kUnknownSize),
      m_first(CStr(), kUnknownSize, kUnknownSize, 2, 0, true, 1),
      // A step lighter than the count, yet dark enough to read on the pale
      // grounds the squad lists and the recruit buttons stand on.
      m_second(CStr(), kUnknownSize, kUnknownSize, 3, 0, true, 1)
{
    m_picture.SetAlign(AlignStart, AlignCentre);
    m_first.SetAlign(AlignStart, AlignCentre);
    m_second.SetAlign(AlignEnd, AlignCentre);
    m_gap = static_cast<uint8_t>(m_first.FontRecord().GetGlyph('0').width / 4);
}

void* CSquadIcon::QueryInterface(int32_t id)
{
    if (id == IidSquadIcon)
        return this;
    return CDrawableElement::QueryInterface(id);
}

void CSquadIcon::Layout()
{
    const bool first = (flags & SquadIconShowFirst) != 0;
    const bool second = (flags & SquadIconShowSecond) != 0;
    const int32_t secondLength = m_second.Text().Length();
    m_indent = static_cast<int16_t>(second && secondLength < 3 ? 2 * m_gap * (3 - secondLength) : 0);

    int32_t width = 0;
    if (second)
        width = KnownOr0(m_second.OwnWidth());
    if (first)
        width = std::max(width, KnownOr0(m_first.OwnWidth()));
    int32_t height = 0;
    if (first)
        height += m_first.FontRecord().Height();
    if (second)
        height += m_second.FontRecord().Height();
    height = std::max(height, KnownOr0(m_picture.OwnHeight()));
    height = std::max(height, static_cast<int32_t>(OuterHeight()));

    m_picture.SetOuterSize(m_picture.OuterWidth(), static_cast<int16_t>(height));
    m_picture.Recalc();
    const int16_t numberHeight = static_cast<int16_t>((height - 1) / 2);
    if (first) {
        m_first.SetOuterSize(static_cast<int16_t>(width), numberHeight);
        m_first.Recalc();
    }
    if (second) {
        m_second.SetOuterSize(static_cast<int16_t>(width), numberHeight);
        m_second.Recalc();
    }
    SetOwnSize(static_cast<int16_t>(width + m_gap + KnownOr0(m_picture.OuterWidth())),
               static_cast<int16_t>(height));
    Recalc();
}

void CSquadIcon::Draw(CDrawContext& dc, int32_t dx, int32_t dy)
{
    const int32_t x = dx + Position().X();
    const int32_t y = dy + Position().Y();
    m_picture.Draw(dc, x, y);
    const int32_t x1 = x + KnownOr0(m_picture.OuterWidth()) + m_gap;
    if (flags & SquadIconShowFirst)
        m_first.Draw(dc, x1, y);
    if (flags & SquadIconShowSecond)
        m_second.Draw(dc, x1 + m_indent, y + KnownOr0(m_first.OuterHeight()));
}

bool CSquadIcon::SetAttribute(const char* name, const char* value)
{
    if (strcasecmp(name, "icon") == 0) {
        if (!m_picture.SetImage(value, false))
            return false;
        m_picture.FitToContent();
        flags |= SquadIconPictureGiven;
    } else if (strcasecmp(name, "toptext") == 0) {
        m_first.SetText(CStr(value), true);
        flags |= SquadIconShowFirst;
    } else if (strcasecmp(name, "bottomtext") == 0) {
        m_second.SetText(CStr(value), true);
        flags |= SquadIconShowSecond;
    } else {
        return false;
    }
    const uint8_t all = SquadIconShowFirst | SquadIconShowSecond | SquadIconPictureGiven;
    if ((flags & all) == all)
        Layout();
    return true;
}

void CSquadIcon::SetImage(const char* name)
{
    if (m_picture.SetImage(name, false))
        m_picture.FitToContent();
    Layout();
}

void CSquadIcon::SetTopText(const CStr& text)
{
    m_first.SetText(text, true);
    Layout();
}

void CSquadIcon::SetBottomText(const CStr& text)
{
    m_second.SetText(text, true);
    Layout();
}

void CSquadIcon::SetCount(int32_t number)
{
    CStr text;
    text.Format((flags & SquadIconSignFirst) ? "%+ld" : "%ld", number);
    SetTopText(text);
}

void CSquadIcon::SetHealth(int32_t number)
{
    CStr text;
    text.Format((flags & SquadIconSignSecond) ? "%+ld" : "%ld", number);
    SetBottomText(text);
}

void CSquadIcon::SetFont(uint8_t font, bool relayout)
{
    m_first.SetFont(font, false);
    m_second.SetFont(font, false);
    if (relayout)
        Layout();
}

void CSquadIcon::SetShowFlags(bool showFirst, bool showSecond)
{
    flags =
        static_cast<uint8_t>((flags & ~(SquadIconShowFirst | SquadIconShowSecond)) |
                             (showFirst ? SquadIconShowFirst : 0) | (showSecond ? SquadIconShowSecond : 0));
    Layout();
}
