#pragma once
// CCastleWnd: a display control that draws one province's castle as a row of
// small pictures: the castle's status picture and its condition in percent,
// then a picture for each work that stands there (catapults, fortified walls,
// market, bank, metal mine, stone mine). A tap on a picture explains that
// part in the hint balloon. Without a castle it shows a text instead.

#include <cstdint>

#include "ui/composite_wnd.h"
#include "ui/layout_box.h"
#include "ui/text_element.h"
#include "ui/ui_link.h"
#include "ui/window.h"

class CastleState;
class CMarkupWnd;

constexpr int32_t IidCastleWnd = 30;

class CCastleWnd : public CWindow, public LayoutReader {
public:
    static constexpr int32_t kCatapultPictures = 4;
    // The part pictures, in this order.
    enum Part : int32_t {
        PartFortWalls,
        PartMarket,
        PartTavern,
        PartBank,
        PartGuard1,
        PartGuard2,
        PartGuard3,
        PartGuard4,
        PartMetalMine,
        PartStoneMine,
        PartCount
    };

    CCastleWnd(CWindow* parent, const CStr& path, bool load);
    ~CCastleWnd() override;

    void* QueryInterface(int32_t id) override;
    void Paint(const PackedRect& rect) override;
    void OnSize() override;
    void OnPenDown(const PackedPoint& point) override;
    bool LoadLayout(bool keepVisibility) override;

    // Shows this castle (not owned; null shows the no-castle text).
    void UpdateStatus(const CastleState* castle);
    void RefreshStatus() { UpdateStatus(nullptr); }
    // Sizes the content box to the castle's parts.
    void Layout();
    // Draws the parts with the content's top-left corner at (x, y).
    void DrawParts(CDrawContext& dc, int32_t x, int32_t y);
    // Chooses the hint for a pen point in the control's coordinates: the
    // part's locale text becomes the hint and the point moves to the part's
    // centre. Returns the locale key chosen.
    const char* ShowPartHint(PackedPoint& point);
    void SetHint(const CStr& text);

    const CastleState* Castle() const { return m_castle; }
    CMarkupWnd* NoCastleText() const { return m_noCastle; }
    CAlignedBox& Content() { return m_box; }
    CHintHelpLink& Link() { return m_link; }
    CWindowCanvas& Canvas() { return m_canvas; }
    const CImageElement& StatusPicture() const { return m_status; }
    const CTextElement& StatusText() const { return m_statusText; }
    const CImageElement& CatapultPicture(int32_t index) const { return *m_catapults[index]; }
    const CImageElement& PartPicture(int32_t part) const { return *m_parts[part]; }
    uint8_t RowBreak() const { return m_rowBreak; }

private:
    // The width of the blank in the default font at the UI scale.
    int32_t BlankWidth() const;
    int32_t FirstRowHeight() const;
    void FitStatusText();

    CAlignedBox m_box;
    CHintHelpLink m_link;
    CWindowCanvas m_canvas;
    uint8_t m_rowBreak = 0;
    const CastleState* m_castle = nullptr;
    CMarkupWnd* m_noCastle = nullptr;
    CImageElement m_status;
    CTextElement m_statusText;
    CImageElement* m_catapults[kCatapultPictures] = {};
    CImageElement* m_parts[PartCount] = {};
};
