#include "ui/check_box.h"

#include <algorithm>

#include "core/font.h"
#include "core/path_mgr.h"
#include "core/raster.h"
#include "core/resource_mgr.h"
#include "core/ui_mgr.h"
#include "core/ui_tree.h"
#include "ui/inks.h"
#include "ui/link_layout.h"
#include "ui/scroll_geometry.h"

namespace {

int32_t KnownOr0(int32_t size)
{
    return size < 0 ? 0 : size;
}

}  // namespace

CheckBoxBoxes CheckBoxFaceBoxes(int32_t faceWidth, int32_t pictureWidth, int32_t captionWidth,
                                uint8_t captionAlign, int32_t gap)
{
    CheckBoxBoxes boxes{pictureWidth, 0, captionWidth};
    if (pictureWidth != 0 && captionWidth != 0) {
        boxes.gap = gap;
        if (captionAlign == AlignCentre) {
            const int32_t free = faceWidth - (pictureWidth + gap + captionWidth);
            boxes.picture = (free >= 0 ? free / 2 : -((-free + 1) / 2)) + pictureWidth;
        } else {
            boxes.caption = faceWidth - pictureWidth - gap;
        }
    } else if (pictureWidth != 0) {
        boxes.picture = faceWidth;
    } else if (captionWidth != 0) {
        boxes.caption = faceWidth;
    } else {
        boxes.picture = faceWidth;  // nothing to show: the picture box takes the face
    }
    return boxes;
}

// ---- CCheckBox ----

CCheckBox::CCheckBox(CWindow* parent, const CStr& path, bool load) : CButton(parent, path, false)
{
    mode = PressToggle;
    SetFlag(WndSeeThrough, true);
    frameDrawn = 0;
    SetTextAlign(AlignStart, false);
    if (load)
        LoadLayout(false);
}

void* CCheckBox::QueryInterface(int32_t id)
{
    if (id == IidCheckBox)
        return static_cast<CWindow*>(this);
    return CButton::QueryInterface(id);
}

uint32_t CCheckBox::SetSkin(const CStr& name, bool redraw)
{
    CButton::SetSkin(name, false);
    PushResourceFolder();
    CStr folder = CPathMgr::Path(CPathMgr::kSkin);
    folder.Append(name);
    CResourceMgr::SetCurrentFolder(folder.Chars());
    m_checked.Clear();
    m_unchecked.Clear();
    LoadImage("checked", m_checked);
    LoadImage("unchecked", m_unchecked);
    PopResourceFolder();
    if (redraw)
        Invalidate();
    return 1;
}

void CCheckBox::SetTextAlign(uint8_t alignment, bool redraw)
{
    m_caption.SetAlign(alignment & 0x0F, static_cast<uint8_t>(m_caption.Alignment() >> 4));
    LayoutContent();
    if (redraw)
        Invalidate();
}

void CCheckBox::SetTextColour(uint8_t colour, bool redraw)
{
    m_caption.foreground = colour;
    if (redraw)
        Invalidate();
}

void CCheckBox::SetPicture(const ImageData& image, bool redraw)
{
    m_picture.SetImageData(image, false);
    LayoutContent();
    if (redraw)
        Invalidate();
}

void CCheckBox::OnStateChanged(bool sound)
{
    SetPicture(IsDrawnDown() ? m_checked : m_unchecked, false);
    CButton::OnStateChanged(sound);
}

void CCheckBox::LayoutContent()
{
    const PackedRect& client = ClientRect();
    if (!client.IsDefined())
        return;
    const int32_t pw = m_picture.Image().HasHeader() ? KnownOr0(m_picture.OwnWidth()) : 0;
    const int32_t tw = m_caption.Text().IsEmpty() ? 0 : KnownOr0(m_caption.OwnWidth());
    const uint8_t align = m_caption.Alignment() & 0x0F;
    // A blank of the captions' font keeps the caption off its box.
    const int32_t gap = SelectFont(0).GetGlyph(' ').width;
    const CheckBoxBoxes boxes = CheckBoxFaceBoxes(client.Width(), pw, tw, align, gap);
    m_gap = boxes.gap;
    // A centred group keeps the picture against its caption.
    m_picture.SetAlign(align == AlignCentre && tw != 0 ? AlignEnd : AlignStart, AlignCentre);
    m_picture.SetOuterSize(static_cast<int16_t>(boxes.picture), client.Height());
    m_caption.SetOuterSize(static_cast<int16_t>(boxes.caption), client.Height());
}

void CCheckBox::Paint(const PackedRect& rect)
{
    if (!m_canvas.IsBound() || !m_canvas.PushClip(rect))
        return;
    const PackedRect& client = ClientRect();
    m_picture.Draw(m_canvas, client.Left(), client.Top());
    m_caption.Draw(m_canvas, client.Left() + std::max<int32_t>(0, KnownOr0(m_picture.OuterWidth())) + m_gap,
                   client.Top());
    m_canvas.PopClip();
}

bool CCheckBox::LoadLayout(bool keepVisibility)
{
    bool refreshWas;
    if (!BeginLinkLayout(m_link, keepVisibility, refreshWas))
        return false;
    const bool firstLoad = !m_loadedOnce;
    m_loadedOnce = true;
    SetSkin(CUIMgr::NextString(), false);
    const CStr caption = CUIMgr::Tree().ReadText();
    if (firstLoad)
        SetText(caption, false);
    SetTextAlign(static_cast<uint8_t>(CUIMgr::NextNumber()), false);
    SetTextColour(static_cast<uint8_t>(CUIMgr::NextNumber()), false);
    SetPicture(IsDrawnDown() ? m_checked : m_unchecked, false);
    EndLinkLayout(m_link, refreshWas);
    return true;
}

// ---- CButtonEx ----

ButtonExPlacement PlaceButtonEx(const PackedRect& client, int32_t pictureWidth, int32_t pictureHeight,
                                int32_t captionWidth, int32_t captionHeight, int32_t columnWidth,
                                int32_t spaceWidth)
{
    ButtonExPlacement place{client.Left(), client.Top(), client.Left(), client.Top(), false};
    if (pictureWidth <= 0 && pictureHeight <= 0)
        return place;
    place.drawPicture = true;
    int32_t x = client.Left();
    const int32_t y = client.Top() + FloorHalf(client.Height() - pictureHeight);
    place.pictureX = x;
    place.pictureY = y;
    if (columnWidth != 0 && pictureWidth < columnWidth) {
        place.pictureX = x + columnWidth - pictureWidth - FloorHalf(spaceWidth);
    } else if (columnWidth == 0) {
        x += FloorHalf(client.Width() - pictureWidth - captionWidth);
        place.pictureX = x;
    }
    place.captionX = x + std::max(pictureWidth, columnWidth);
    place.captionY = y + FloorHalf(pictureHeight - captionHeight);
    return place;
}

CButtonEx::CButtonEx(CWindow* parent, const CStr& path)
    : CButton(parent, path, false),
      m_caption2(CStr(), kUnknownSize, kUnknownSize, kInkOnButtonFace, 0, true, 0)
{
    SetFlag(WndSeeThrough, true);
    LoadLayout(false);
}

void* CButtonEx::QueryInterface(int32_t id)
{
    if (id == IidButtonEx)
        return static_cast<CWindow*>(this);
    return CButton::QueryInterface(id);
}

void CButtonEx::OnSize()
{
    CButton::OnSize();
    UpdateLook();
}

void CButtonEx::SetText2(const CStr& text, bool redraw)
{
    m_caption2.SetText(text, false);
    m_caption2.FitToContent();
    UpdateLook();
    if (redraw)
        Invalidate();
}

void CButtonEx::SetPicture(const CStr& name, bool redraw)
{
    m_extra.Clear();
    if (!name.IsEmpty())
        LoadImage(name.Chars(), m_extra);
    UpdateLook();
    if (redraw)
        Invalidate();
}

bool CButtonEx::LoadLayout(bool keepVisibility)
{
    bool refreshWas;
    if (!BeginLinkLayout(m_link, keepVisibility, refreshWas))
        return false;
    CUiTree& tree = CUIMgr::Tree();
    const CStr picture = tree.ReadText();
    const CStr caption = tree.ReadText();
    const CStr skin = CUIMgr::NextString();
    if (!picture.IsEmpty()) {
        m_extra.Clear();
        if (picture.At(0) == '/') {
            LoadImage(picture.Chars(), m_extra);
        } else {
            PushResourceFolder();
            CResourceMgr::SetCurrentFolder(CPathMgr::Path(CPathMgr::kImagesButtons).Chars());
            LoadImage(picture.Chars(), m_extra);
            PopResourceFolder();
        }
    }
    m_caption2.SetText(caption, false);
    m_caption2.FitToContent();
    CButton::SetSkin(skin, false);
    EndLinkLayout(m_link, refreshWas);
    return true;
}

ButtonExPlacement CButtonEx::Placement() const
{
    const bool hasPicture = m_extra.HasHeader();
    const int32_t spaceWidth = SelectFont(0).GetGlyph(' ').width;
    return PlaceButtonEx(ClientRect(), hasPicture ? m_extra.Width() : 0, hasPicture ? m_extra.Height() : 0,
                         KnownOr0(m_caption2.OwnWidth()), KnownOr0(m_caption2.OwnHeight()), columnWidth,
                         spaceWidth);
}

void CButtonEx::Paint(const PackedRect& rect)
{
    CButton::Paint(rect);
    if (!m_canvas.IsBound() || !ClientRect().IsDefined() || !m_canvas.PushClip(rect))
        return;
    const ButtonExPlacement place = Placement();
    if (place.drawPicture)
        DrawImage(m_canvas, place.pictureX, place.pictureY, m_extra, UndefinedRect);
    m_caption2.Draw(m_canvas, place.captionX, place.captionY);
    m_canvas.PopClip();
}
