#include "ui/text_element.h"

#include "core/font.h"
#include "core/raster.h"
#include "core/string_list.h"

CTextElement::CTextElement(const CStr& text, int16_t outerWidth, int16_t outerHeight, uint8_t m_foreground,
                           uint8_t m_background, bool m_noFill, uint8_t font)
    : CDrawableElement(outerWidth, outerHeight, AlignStart, AlignStart, kUnknownSize, kUnknownSize),
      foreground(m_foreground),
      background(m_background),
      noFill(m_noFill ? 1 : 0),
      m_text(text),
      m_font(font)
{
    CTextElement::Measure();
}

void* CTextElement::QueryInterface(int32_t id)
{
    if (id == IidTextElement)
        return this;
    return CDrawableElement::QueryInterface(id);
}

const FontData& CTextElement::FontRecord() const
{
    return SelectFont(m_font);
}

void CTextElement::Measure()
{
    const FontData& font = FontRecord();
    SetOwnSize(MeasureTextWidth(m_text, font), font.Height());
    Recalc();
}

void CTextElement::SetText(const CStr& text, bool relayout)
{
    m_text = text;
    Measure();
    if (relayout)
        Relayout();
}

void CTextElement::SetFont(uint8_t font, bool relayout)
{
    m_font = font;
    Measure();
    if (relayout)
        Relayout();
}

void CTextElement::FillBackground(CDrawContext& dc, int32_t dx, int32_t dy)
{
    if (noFill)
        return;
    PackedRect rect;
    rect.Set(static_cast<int16_t>(dx), static_cast<int16_t>(dy), static_cast<int16_t>(dx + OuterWidth() - 1),
             static_cast<int16_t>(dy + OuterHeight() - 1));
    FillRect(dc, rect, background);
}

void CTextElement::DrawTextAt(CDrawContext& dc, int32_t x, int32_t y, uint8_t colour)
{
    ::DrawText(dc, x, y, m_text, colour, 0, true, FontRecord());
}

void CTextElement::Draw(CDrawContext& dc, int32_t dx, int32_t dy)
{
    FillBackground(dc, dx, dy);
    DrawTextAt(dc, dx + m_position.X(), dy + m_position.Y(), foreground);
}

CShadowTextElement::CShadowTextElement(const CStr& text, int16_t outerWidth, int16_t outerHeight,
                                       uint8_t m_foreground, uint8_t m_background, bool m_noFill,
                                       uint8_t font)
    : CTextElement(text, outerWidth, outerHeight, m_foreground, m_background, m_noFill, font)
{
    CShadowTextElement::Measure();
}

void* CShadowTextElement::QueryInterface(int32_t id)
{
    if (id == IidShadowTextElement)
        return this;
    return CTextElement::QueryInterface(id);
}

void CShadowTextElement::Measure()
{
    const FontData& font = FontRecord();
    int32_t width = MeasureTextWidth(m_text, font);
    int32_t height = font.Height();
    m_offsetX = 0;
    m_offsetY = 0;
    const int16_t size = shadowSize;
    if (size != 0) {
        if (m_shadowPos & ShadowLeft) {
            m_offsetX = static_cast<int16_t>(-size);
            width += size;
        }
        if (m_shadowPos & ShadowRight) {
            m_offsetX = size;
            width += size;
        }
        if (m_shadowPos & ShadowTop) {
            m_offsetY = static_cast<int16_t>(-size);
            height += size;
        }
        if (m_shadowPos & ShadowBottom) {
            m_offsetY = size;
            height += size;
        }
    }
    SetOwnSize(static_cast<int16_t>(width), static_cast<int16_t>(height));
    Recalc();
}

void CShadowTextElement::SetShadowPos(uint32_t position, bool relayout)
{
    m_shadowPos = position;
    Measure();
    if (relayout)
        Relayout();
}

void CShadowTextElement::Draw(CDrawContext& dc, int32_t dx, int32_t dy)
{
    FillBackground(dc, dx, dy);
    const int32_t x = dx + m_position.X();
    const int32_t y = dy + m_position.Y();
    if (shadowSize != 0 && m_shadowPos != ShadowNone)
        DrawTextAt(dc, x + m_offsetX, y + m_offsetY, shadowColour);
    DrawTextAt(dc, x, y, foreground);
}

CStr JoinLines(CStringList& list)
{
    CStr joined;
    for (int32_t i = 0; i < list.Count(); ++i) {
        joined.Append(list.GetString(i));
        joined.AppendChars("\r\n", 2);
    }
    return joined;
}
