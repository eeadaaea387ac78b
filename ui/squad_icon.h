#pragma once
// CSquadIcon: a layout element that shows a squad as its picture with two
// numbers beside it, the unit count above and the front unit's hit points
// below. It is also what the mark-up tag {obj name=squad ...} places in text.

#include <cstdint>

#include "ui/layout_box.h"
#include "ui/text_element.h"

enum SquadIconFlags : uint8_t {
    SquadIconShowFirst = 0x01,
    SquadIconShowSecond = 0x02,
    SquadIconPictureGiven = 0x04,
    SquadIconSignFirst = 0x08,
    SquadIconSignSecond = 0x10,
};

constexpr int32_t IidSquadIcon = 8;

class CSquadIcon : public CDrawableElement {
public:
    CSquadIcon();
    void* QueryInterface(int32_t id) override;
    void Draw(CDrawContext& dc, int32_t dx, int32_t dy) override;
    // Names without regard to case: "icon" (a picture by name; false when it
    // does not exist), "toptext", "bottomtext"; any other name gives false.
    bool SetAttribute(const char* name, const char* value) override;

    virtual void SetImage(const char* name);
    virtual void SetTopText(const CStr& text);
    virtual void SetBottomText(const CStr& text);
    void SetCount(int32_t number);
    void SetHealth(int32_t number);
    void SetFont(uint8_t font, bool relayout);
    void SetShowFlags(bool showFirst, bool showSecond);
    void Layout();

    uint8_t flags = SquadIconShowFirst | SquadIconShowSecond | SquadIconSignSecond;
    uint8_t Gap() const { return m_gap; }
    int16_t Indent() const { return m_indent; }
    CImageElement& Picture() { return m_picture; }
    CTextElement& First() { return m_first; }
    CTextElement& Second() { return m_second; }

private:
    CImageElement m_picture;
    CTextElement m_first;
    CTextElement m_second;
    uint8_t m_gap = 0;
    int16_t m_indent = 0;
};
