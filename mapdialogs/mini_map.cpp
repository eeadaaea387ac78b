#include "mapdialogs/mini_map.h"

#include <new>

#include "core/draw_context.h"
#include "core/image_rows.h"
#include "core/path_mgr.h"
#include "core/raster.h"
#include "core/resource_mgr.h"
#include "core/ui_mgr.h"
#include "ui/composite_wnd.h"
#include "ui/side_colours.h"
#include "ui/ui_link.h"
#include "ui/window_mgr.h"

uint8_t MiniMapBlinkProvince = 255;
MiniMapColourSlot MiniMapColourHook;

namespace {

// Province pixels are indices below this value; the rest are map colours.
constexpr uint8_t kProvinceLimit = 100;
constexpr uint8_t kBlinkColour = 15;
constexpr uint8_t kColourBase = 246;
constexpr uint16_t kFirstBlinkRate = 100;  // one event after 100 ms
constexpr uint16_t kBlinkRate = 20;        // then one every 500 ms

// The row operations in force when the mini-map's decoder was called; the
// mini-map maps each colour and hands it on to them.
ImageFillOpFn g_fill = nullptr;
ImageCopyOpFn g_copy = nullptr;

void MiniMapFill(uint8_t* dest, uint8_t colour, int count, int column, int row)
{
    g_fill(dest, MiniMapPixelColour(colour), count, column, row);
}

void MiniMapCopy(uint8_t* dest, const uint8_t* source, int count, int column, int row)
{
    uint8_t mapped[256];
    while (count > 0) {
        const int n = count > 256 ? 256 : count;
        for (int i = 0; i < n; ++i)
            mapped[i] = MiniMapPixelColour(source[i]);
        g_copy(dest, mapped, n, column, row);
        dest += n;
        source += n;
        column += n;
        count -= n;
    }
}

void MiniMapRows(int x, int y, const PackedRect& clip, PixelBlock block, uint32_t tableSize, bool wideLengths,
                 bool transparent, ImageFillOpFn fill, ImageCopyOpFn copy, uint16_t pitch, uint8_t* dest)
{
    g_fill = fill;
    g_copy = copy;
    DecodeImageRows(x, y, clip, block, tableSize, wideLengths, transparent, MiniMapFill, MiniMapCopy, pitch,
                    dest);
}

// Installs the mini-map decoder for one scope, whatever hook was set before.
class RowHookScope {
public:
    RowHookScope() : m_previous(g_imageRowHook) { g_imageRowHook = MiniMapRows; }
    ~RowHookScope() { g_imageRowHook = m_previous; }

private:
    ImageRowHook m_previous;
};

int32_t LongerScreenSide()
{
    const int32_t w = CWindowMgr::DisplayWidth(), h = CWindowMgr::DisplayHeight();
    return w > h ? w : h;
}

}  // namespace

uint8_t MiniMapPixelColour(uint8_t source)
{
    if (source < kProvinceLimit) {
        if (source == MiniMapBlinkProvince)
            return kBlinkColour;
        uint8_t colour = source;
        MiniMapColourHook(&colour);
        return static_cast<uint8_t>(colour + kColourBase);
    }
    if (source == 250)
        return 253;
    return source;
}

CStr MiniMapPreviewPath(const CStr& missionPath, int32_t longerScreenSide)
{
    CStr path = CStr::Concat(missionPath, CStr("/preview"));
    if (longerScreenSide >= 481) {
        path.AppendChars("hi");
    } else if (longerScreenSide < 199) {
        path.AppendChars("lo");
    }
    return path;
}

CMiniMap::CMiniMap(CWindow* parent, const CStr& name, bool loadLayout)
    : CIconWnd(parent, name, false),
      m_timer(new (std::nothrow) OwnerTimer<CMiniMap>(this, &CMiniMap::OnBlinkTimer))
{
    {
        ResourceFolderScope folder;
        CResourceMgr::SetCurrentFolder(CPathMgr::Path(CPathMgr::kImagesMap).Chars());
        LoadImage("MapMiniCapital", m_capitalMark);
        LoadImage("MapMiniCastle", m_castleMark);
    }
    // The timer waits stopped until a province is to blink; while the control
    // is hidden it stays suspended.
    if (m_timer)
        m_timer->SetRate(0);
    if (loadLayout)
        Reload(false);
    MiniMapBlinkProvince = 255;
    // The owners' colours of the preview share the entries above the first
    // side's shades; a player's colour around it must not touch them.
    SetSideColour(kPaintedSideColour, false);
}

CMiniMap::~CMiniMap()
{
    PrepareDestroy();
    delete m_timer;
    m_timer = nullptr;
}

bool CMiniMap::HasPicture() const
{
    return const_cast<CMiniMap*>(this)->Picture().Image().HasHeader();
}

uint32_t CMiniMap::Reload(bool keepPicture)
{
    CHintHelpLink& link = Link();
    const bool was = link.SetRefreshEnabled(false);
    if (!link.ReloadLink(keepPicture)) {
        link.SetRefreshEnabled(was);
        return 0;
    }
    const CStr picture = CUIMgr::NextString();
    if (!keepPicture) {
        CStr path = picture;
        if (!path.IsEmpty() && path.At(0) != '/' && path.At(0) != ':')
            path = CStr::Concat(CPathMgr::Path(CPathMgr::kImagesIcons), picture);
        SetImage(path, true);
    }
    const uint8_t alignH = static_cast<uint8_t>(CUIMgr::NextNumber() & 0x0F);
    const uint8_t alignV = static_cast<uint8_t>(CUIMgr::NextNumber() & 0x0F);
    Picture().SetAlign(alignH, alignV);
    const CStr frame = CUIMgr::NextString();
    LoadFrameSkin(frame, false);
    // A node without a size takes the picture's, with room for the frame
    // around it.
    PackedRect rect = RequestedRect();
    if (rect.IsDefined() && HasPicture()) {
        bool changed = false;
        if (rect.Width() == 0) {
            rect.SetRight(rect.Left() + Picture().Image().Width() + m_frame.LeftWidth() +
                          m_frame.RightWidth() - 1);
            changed = true;
        }
        if (rect.Height() == 0) {
            rect.SetBottom(rect.Top() + Picture().Image().Height() + m_frame.TopHeight() +
                           m_frame.BottomHeight() - 1);
            changed = true;
        }
        if (changed)
            SetRect(rect, false);
    }
    Invalidate(UndefinedRect, true);
    link.SetRefreshEnabled(was);
    if (was)
        link.Refresh();
    return 1;
}

uint32_t CMiniMap::LoadFrameSkin(const CStr& name, bool redraw)
{
    m_frame = CFrameSkin();
    if (!name.IsEmpty()) {
        ResourceFolderScope folder;
        const CStr path = CStr::Concat(CPathMgr::Path(CPathMgr::kSkin), name);
        CResourceMgr::SetCurrentFolder(path.Chars());
        m_frame.Load("frame_ul", "frame_u", "frame_ur", "frame_l", "", "frame_r", "frame_dl", "frame_d",
                     "frame_dr");
    }
    SetMargins(
        PackedRect(m_frame.LeftWidth(), m_frame.TopHeight(), m_frame.RightWidth(), m_frame.BottomHeight()),
        false);
    if (redraw)
        Invalidate(UndefinedRect, true);
    return 1;
}

bool CMiniMap::SetMissionPreview(const CStr& missionPath)
{
    const bool set = SetImage(MiniMapPreviewPath(missionPath, LongerScreenSide()), true) ||
                     SetImage(CStr::Concat(missionPath, CStr("/preview")), true);
    // The node's size rule applies to the new picture too.
    if (set)
        Reload(true);
    return set;
}

void CMiniMap::SetBlinkProvince(uint8_t province)
{
    m_blinkProvince = province;
    if (!m_timer)
        return;
    if (province < 255) {
        m_timer->SetRate(kFirstBlinkRate);
        // The first change comes one interval from now, not at the next tick.
        m_timer->OnStart();
    } else {
        m_timer->SetRate(0);
    }
}

void CMiniMap::SetMarker(const PackedPoint& point, bool isCapital)
{
    m_marker = point;
    m_markerIsCapital = isCapital ? 1 : 0;
}

void CMiniMap::OnBlinkTimer()
{
    if (m_timer)
        m_timer->SetRate(kBlinkRate);
    MiniMapBlinkProvince = MiniMapBlinkProvince < 255 ? 255 : m_blinkProvince;
    Invalidate(UndefinedRect, true);
}

void CMiniMap::OnShow()
{
    if (m_timer)
        m_timer->suspended = 0;
    CIconWnd::OnShow();
}

void CMiniMap::OnHide()
{
    if (m_timer)
        m_timer->suspended = 1;
    CIconWnd::OnHide();
}

void CMiniMap::Paint(const PackedRect& rect)
{
    if (!HasPicture())
        return;
    {
        RowHookScope hook;
        CIconWnd::Paint(rect);
    }
    auto* canvas = static_cast<CWindowCanvas*>(QueryInterface(IidWindowCanvas));
    if (canvas == nullptr || !canvas->IsBound() || !canvas->PushClip(rect))
        return;
    if (m_frame.IsLoaded()) {
        // The frame goes around the picture where the alignment put it.
        PackedRect box = Picture().GetRect();
        if (box.IsDefined()) {
            box.Offset(ClientRect().Left(), ClientRect().Top());
            const PackedRect outer(box.Left() - m_frame.LeftWidth(), box.Top() - m_frame.TopHeight(),
                                   box.Right() + m_frame.RightWidth(), box.Bottom() + m_frame.BottomHeight());
            m_frame.Draw(*canvas, outer);
        }
    }
    if (m_marker.IsDefined()) {
        const ImageData& mark = m_markerIsCapital ? m_capitalMark : m_castleMark;
        if (mark.HasHeader())
            DrawImage(*canvas, m_marker.X(), m_marker.Y(), mark, UndefinedRect);
    }
    canvas->PopClip();
}
