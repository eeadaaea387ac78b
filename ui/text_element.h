#pragma once
// Text elements: one line of text in a font and colours, laid out inside its
// box like any drawable element. CShadowTextElement adds a shadow drawn a few
// pixels off the text. The mark-up layout makes one element per run of
// words; labels, menu items and other controls embed one as their caption.

#include <cstdint>

#include "core/ref_string.h"
#include "ui/layout_box.h"

struct FontData;

// Where a shadow lies: bits 1 left, 2 right, 4 top, 8 bottom. 11 grows the
// box like left + right + bottom but draws no shadow.
enum ShadowPos : uint32_t {
    ShadowLeft = 1,
    ShadowRight = 2,
    ShadowTop = 4,
    ShadowBottom = 8,
    ShadowTopLeft = 5,
    ShadowTopRight = 6,
    ShadowBottomLeft = 9,
    ShadowBottomRight = 10,
    ShadowNone = 11,
};

enum TextInterfaceId : int32_t {
    IidTextElement = 4,
    IidShadowTextElement = 5,
};

class CTextElement : public CDrawableElement {
public:
    CTextElement(const CStr& text, int16_t outerWidth, int16_t outerHeight, uint8_t foreground,
                 uint8_t background, bool noFill, uint8_t font);
    void* QueryInterface(int32_t id) override;
    void Draw(CDrawContext& dc, int32_t dx, int32_t dy) override;
    bool SetAttribute(const char*, const char*) override { return false; }
    // Own width = the text's width in the font, own height = the font's line
    // height; the box is aligned again.
    virtual void Measure();

    void SetText(const CStr& text, bool relayout);
    void SetFont(uint8_t font, bool relayout);
    const CStr& Text() const { return m_text; }
    uint8_t Font() const { return m_font; }
    const FontData& FontRecord() const;

    uint8_t foreground;
    uint8_t background;
    uint8_t noFill;

protected:
    void DrawTextAt(CDrawContext& dc, int32_t x, int32_t y, uint8_t colour);
    void FillBackground(CDrawContext& dc, int32_t dx, int32_t dy);

    CStr m_text;
    uint8_t m_font;
};

class CShadowTextElement : public CTextElement {
public:
    CShadowTextElement(const CStr& text, int16_t outerWidth, int16_t outerHeight, uint8_t foreground,
                       uint8_t background, bool noFill, uint8_t font);
    void* QueryInterface(int32_t id) override;
    void Draw(CDrawContext& dc, int32_t dx, int32_t dy) override;
    void Measure() override;

    void SetShadowPos(uint32_t position, bool relayout);
    uint32_t ShadowPosition() const { return m_shadowPos; }
    int16_t ShadowOffsetX() const { return m_offsetX; }
    int16_t ShadowOffsetY() const { return m_offsetY; }

    uint8_t shadowColour = 0;
    uint8_t shadowSize = 0;

private:
    uint32_t m_shadowPos = ShadowNone;
    int16_t m_offsetX = 0;
    int16_t m_offsetY = 0;
};

// The strings of a list, each followed by CR LF.
class CStringList;
CStr JoinLines(CStringList& list);
