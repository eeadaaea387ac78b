#include "mapdialogs/castle_wnd.h"

#include <algorithm>
#include <new>

#include "core/core_main.h"
#include "core/draw_context.h"
#include "core/font.h"
#include "core/path_mgr.h"
#include "core/raster.h"
#include "core/ui_mgr.h"
#include "game/province_record.h"
#include "ui/hint_mgr.h"
#include "ui/inks.h"
#include "ui/link_layout.h"
#include "ui/markup_wnd.h"

namespace {

const char* const kCatapultNames[CCastleWnd::kCatapultPictures] = {"CastleCatap1", "CastleCatap2",
                                                                   "CastleCatap3", "CastleCatap4"};
const char* const kPartNames[CCastleWnd::PartCount] = {
    "CastleFWall",  "CastleMarket", "CastleTavern", "CastleBank",  "CastleGuard1",
    "CastleGuard2", "CastleGuard3", "CastleGuard4", "CaslMtlMine", "CaslStnMine"};
constexpr uint8_t kStatusColour = kInkOnPale;

CStr IconPath(const char* name)
{
    return CStr::ConcatChars(CPathMgr::Path(CPathMgr::kImagesIcons), name);
}

int32_t W(const CImageElement& e)
{
    return e.Image().HasHeader() ? e.Image().Width() : 0;
}
int32_t H(const CImageElement& e)
{
    return e.Image().HasHeader() ? e.Image().Height() : 0;
}

void LoadIcon(CImageElement& element, const char* name)
{
    const CStr path = IconPath(name);
    element.SetImage(path.Chars(), false);
}

// One picture of the castle row, as drawn and as hit.
struct RowItem {
    const CImageElement* picture;  // null for the status text
    int32_t width;                 // its own width plus the gap after it
    const char* hint;
    bool secondRow;
};

}  // namespace

CCastleWnd::CCastleWnd(CWindow* parent, const CStr& path, bool load)
    : CWindow(parent, UndefinedRect, CStr(), false),
      m_box(kUnknownSize, kUnknownSize, AlignStart, AlignStart, 0, kUnknownSize),
      m_link(false, path, this),
      m_status("", kUnknownSize, kUnknownSize),
      m_statusText(CStr(), kUnknownSize, kUnknownSize, kStatusColour, 0, true, 0)
{
    SetFlag(WndSeeThrough, true);
    m_link.SetLayoutReader(this);
    m_noCastle = new (std::nothrow) CMarkupWnd(this, CStr(), false);
    if (m_noCastle != nullptr) {
        m_noCastle->foreground = kInkOnPale;
        // The control draws the text's page itself.
        m_noCastle->Show(false, false);
        m_noCastle->Enable(false, false);
    }
    LoadIcon(m_status, "CastleOps");
    m_statusText.SetAlign(AlignStart, AlignCentre);
    for (int32_t i = 0; i < kCatapultPictures; ++i) {
        m_catapults[i] = new (std::nothrow) CImageElement("", kUnknownSize, kUnknownSize);
        if (m_catapults[i] != nullptr)
            LoadIcon(*m_catapults[i], kCatapultNames[i]);
    }
    for (int32_t i = 0; i < PartCount; ++i) {
        m_parts[i] = new (std::nothrow) CImageElement("", kUnknownSize, kUnknownSize);
        if (m_parts[i] != nullptr)
            LoadIcon(*m_parts[i], kPartNames[i]);
    }
    if (load)
        LoadLayout(false);
}

CCastleWnd::~CCastleWnd()
{
    PrepareDestroy();
    for (CImageElement*& picture : m_catapults) {
        delete picture;
        picture = nullptr;
    }
    for (CImageElement*& picture : m_parts) {
        delete picture;
        picture = nullptr;
    }
}

void* CCastleWnd::QueryInterface(int32_t id)
{
    switch (id) {
    case IidCastleWnd:
    case IidWindow:
        return static_cast<CWindow*>(this);
    case IidAlignedBox:
        return &m_box;
    case IidUiTreeLink:
    case IidHintHelpLink:
        return &m_link;
    case IidWindowCanvas:
        return &m_canvas;
    default:
        return nullptr;
    }
}

bool CCastleWnd::LoadLayout(bool keepVisibility)
{
    bool refreshWas;
    if (!BeginLinkLayout(m_link, keepVisibility, refreshWas))
        return false;
    CUiTree& tree = CUIMgr::Tree();
    const CStr text = tree.ReadText();
    m_rowBreak = static_cast<uint8_t>(tree.ReadValue());
    const uint8_t alignH = static_cast<uint8_t>(CUIMgr::NextAlignH());
    const uint8_t alignV = static_cast<uint8_t>(CUIMgr::NextAlignV());
    m_box.SetAlign(alignH, alignV);
    if (!keepVisibility && m_noCastle != nullptr) {
        m_noCastle->SetAlign(alignH, alignV, false);
        if (ClientRect().IsDefined())
            m_noCastle->SetRect(ClientRect(), false);
        m_noCastle->SetText(text, false);
    }
    EndLinkLayout(m_link, refreshWas);
    Layout();
    return true;
}

int32_t CCastleWnd::BlankWidth() const
{
    const FontData& font = SelectFont(0);
    const int32_t width = font.HasHeader() ? font.GetGlyph(' ').width : 0;
    return width * LayoutScaleH / 16;
}

int32_t CCastleWnd::FirstRowHeight() const
{
    return H(*m_parts[PartFortWalls]) + 3;
}

void CCastleWnd::UpdateStatus(const CastleState* castle)
{
    m_castle = castle;
    if (castle != nullptr) {
        const char* name = castle->capital ? (castle->moat ? "CapitalMoat" : "Capital")
                                           : (castle->moat ? "CastleMoat" : "Castle");
        const CStr path = IconPath(name);
        if (m_status.SetImage(path.Chars(), false))
            m_status.FitToContent();
        CStr text;
        text.Format(" %ld%%", static_cast<int32_t>(castle->percent));
        m_statusText.SetText(text, false);
        m_statusText.FitToContent();
        FitStatusText();
        Layout();
    }
    Invalidate();
}

namespace {

// The castle's present parts in drawing order, each with the room it takes.
int32_t CollectRow(const CCastleWnd& wnd, const CastleState& castle, int32_t blank, RowItem* items)
{
    int32_t n = 0;
    const int32_t half = blank / 2;
    items[n++] = RowItem{&wnd.StatusPicture(), W(wnd.StatusPicture()) + half, "HintCaslType", false};
    items[n++] = RowItem{nullptr, wnd.StatusText().OwnWidth() + blank, "HintCaslStatus", false};
    const int32_t catapults = std::min<int32_t>(castle.catapults, CCastleWnd::kCatapultPictures);
    if (catapults > 0) {
        const CImageElement& p = wnd.CatapultPicture(catapults - 1);
        items[n++] = RowItem{&p, W(p), "DescCatapult", false};
    }
    if (castle.fortWalls) {
        const CImageElement& p = wnd.PartPicture(CCastleWnd::PartFortWalls);
        items[n++] = RowItem{&p, W(p), "DescWalls", false};
    }
    struct Building {
        uint8_t bit;
        int32_t part;
        const char* hint;
    };
    static const Building kBuildings[] = {{0x01, CCastleWnd::PartMarket, "DescMarket"},
                                          {0x02, CCastleWnd::PartBank, "DescBank"},
                                          {0x10, CCastleWnd::PartMetalMine, "DescMetlMine"},
                                          {0x20, CCastleWnd::PartStoneMine, "DescStonMine"}};
    for (const Building& b : kBuildings) {
        if ((castle.buildings & b.bit) == 0)
            continue;
        const CImageElement& p = wnd.PartPicture(b.part);
        items[n++] = RowItem{&p, W(p), b.hint, wnd.RowBreak() != 0};
    }
    return n;
}

constexpr int32_t kMaxRowItems = 8;

}  // namespace

void CCastleWnd::Layout()
{
    if (m_castle == nullptr) {
        Invalidate();
        return;
    }
    RowItem items[kMaxRowItems];
    const int32_t count = CollectRow(*this, *m_castle, BlankWidth(), items);
    int32_t first = 0, second = 0;
    for (int32_t i = 0; i < count; ++i)
        (items[i].secondRow ? second : first) += items[i].width;
    if (!m_rowBreak) {
        m_box.SetOwnSize(static_cast<int16_t>(first), m_box.OwnHeight());
    } else {
        const int32_t width = std::max<int32_t>({first, second, m_box.OwnWidth() > 0 ? m_box.OwnWidth() : 0});
        // Two rows of the fortified walls' height and its gap.
        m_box.SetOwnSize(static_cast<int16_t>(width), static_cast<int16_t>(2 * FirstRowHeight()));
    }
    Invalidate();
}

void CCastleWnd::OnSize()
{
    CWindow::OnSize();
    m_canvas.Attach(this);
    const PackedRect& client = ClientRect();
    if (client.IsDefined()) {
        if (!m_rowBreak)
            m_box.SetOwnSize(m_box.OwnWidth(), client.Height());
        m_box.SetOuterSize(client.Width(), client.Height());
        if (m_noCastle != nullptr)
            m_noCastle->SetRect(client, false);
    }
    Layout();
    FitStatusText();
}

void CCastleWnd::FitStatusText()
{
    // The text stands beside the status picture: centred in the control, or
    // in the first row when the buildings take a second one.
    const int32_t height = ClientRect().IsDefined() ? ClientRect().Height() : 0;
    m_statusText.SetOuterSize(m_statusText.OwnWidth(),
                              static_cast<int16_t>(m_rowBreak ? std::min(height, FirstRowHeight()) : height));
    m_statusText.SetAlign(AlignStart, AlignCentre);
}

void CCastleWnd::DrawParts(CDrawContext& dc, int32_t x, int32_t y)
{
    if (m_castle == nullptr)
        return;
    RowItem items[kMaxRowItems];
    const int32_t count = CollectRow(*this, *m_castle, BlankWidth(), items);
    int32_t cx = x, cy = y;
    bool onSecond = false;
    for (int32_t i = 0; i < count; ++i) {
        const RowItem& item = items[i];
        if (item.secondRow && !onSecond) {
            onSecond = true;
            cx = x;
            cy = y + FirstRowHeight();
        }
        if (item.picture != nullptr) {
            DrawImage(dc, cx, cy, item.picture->Image(), UndefinedRect);
        } else {
            const int32_t textY = m_statusText.Position().IsDefined() ? m_statusText.Position().Y() : 0;
            ::DrawText(dc, cx, cy + textY, m_statusText.Text(), kStatusColour, 0, true, SelectFont(0));
        }
        cx += item.width;
    }
}

void CCastleWnd::Paint(const PackedRect& rect)
{
    const PackedRect& client = ClientRect();
    if (!client.IsDefined())
        return;
    m_canvas.PushClip(rect);
    if (m_castle == nullptr) {
        if (m_noCastle != nullptr)
            m_noCastle->DrawPage(m_canvas, client.Left(), client.Top());
    } else {
        const PackedPoint& at = m_box.Position();
        DrawParts(m_canvas, client.Left() + (at.IsDefined() ? at.X() : 0),
                  client.Top() + (at.IsDefined() ? at.Y() : 0));
    }
    m_canvas.PopClip();
}

void CCastleWnd::SetHint(const CStr& text)
{
    if (m_link.Hint() != nullptr)
        m_link.Hint()->SetText(text);
}

const char* CCastleWnd::ShowPartHint(PackedPoint& point)
{
    const char* key = "HintCaslType";
    if (m_castle == nullptr || IsStopRequested()) {
        key = "HintCaslNone";
        point = PackedPoint(static_cast<int16_t>(Width() / 2), static_cast<int16_t>(Height() / 2));
    } else {
        // The parts are where they are drawn: inside the content box.
        const PackedPoint& at = m_box.Position();
        const int32_t ox = ClientRect().IsDefined() ? ClientRect().Left() : 0;
        const int32_t oy = ClientRect().IsDefined() ? ClientRect().Top() : 0;
        const int32_t px = point.X() - ox - (at.IsDefined() ? at.X() : 0);
        const int32_t py = point.Y() - oy - (at.IsDefined() ? at.Y() : 0);
        const int32_t rowHeight = FirstRowHeight();
        RowItem items[kMaxRowItems];
        const int32_t count = CollectRow(*this, *m_castle, BlankWidth(), items);
        int32_t left = 0, top = 0;
        bool onSecond = false, hit = false;
        for (int32_t i = 0; i < count && !hit; ++i) {
            const RowItem& item = items[i];
            if (item.secondRow && !onSecond) {
                onSecond = true;
                left = 0;
                top = rowHeight;
            }
            const int32_t right = left + item.width;
            const int32_t bottom = top + rowHeight;
            if (px > left && px < right && py > top && py < bottom) {
                key = item.hint;
                point = PackedPoint(
                    static_cast<int16_t>(ox + (at.IsDefined() ? at.X() : 0) + (left + right) / 2),
                    static_cast<int16_t>(oy + (at.IsDefined() ? at.Y() : 0) + (top + bottom) / 2));
                hit = true;
            }
            left = right;
        }
        if (!hit) {
            point = PackedPoint(static_cast<int16_t>(ox + (at.IsDefined() ? at.X() : 0) + W(m_status) / 2),
                                static_cast<int16_t>(oy + (at.IsDefined() ? at.Y() : 0) + rowHeight / 2));
        }
    }
    CStr text;
    GetLocaleText(key, text);
    SetHint(text);
    return key;
}

void CCastleWnd::OnPenDown(const PackedPoint& point)
{
    PackedPoint at = point;
    ShowPartHint(at);
    CWindow::OnPenDown(point);
    if (CHintMgr::Balloon() != nullptr && m_link.Hint() != nullptr) {
        CHintMgr::ShowHintText(this, m_link.Hint()->Text(), &at, HintAtTapPoint);
    }
}
