#include "battlescreen/battle_field_view.h"

#include <algorithm>

#include "battle/battle_flow.h"
#include "battle/battle_grid.h"
#include "battle/battle_hooks.h"
#include "battle/battle_input.h"
#include "battle/battle_rules.h"
#include "battle/turn_mode.h"
#include "battlescreen/image_metrics.h"
#include "core/error_code_stack.h"
#include "core/font.h"
#include "core/image_rows.h"
#include "core/path_mgr.h"
#include "core/preferences.h"
#include "core/raster.h"
#include "core/resource_mgr.h"
#include "core/timer.h"
#include "core/ui_mgr.h"
#include "game/province_record.h"

namespace {

constexpr int kInnerCells = 9;
constexpr int kGridColumns = 11;
constexpr uint8_t kTitleColour = 15;

const char* const kIconNames[kBattleIconCount] = {
    "CmdCell",     "",           "CmdMove",    "CmdSplit",     "StateAtk",   "CmdAtkCatap", "CmdAtkTreb",
    "CmdAtkRtDn",  "CmdAtkLfDn", "CmdAtkRt",   "CmdAtkLf",     "CmdAtkRtUp", "CmdAtkLfUp",  "CmdRngAtk",
    "CmdRngAtkHf", "CmdJoin",    "StateGuard", "StateEndTurn", "StateInfo",
};

bool ShowGridOption()
{
    return PrefBattleOptions[0] != 0;
}

void RepushResourceError()
{
    const uint32_t code = PopErrorCode();
    if (code != 0)
        PushErrorCode(code & 0xFF);
}

uint16_t Word(const ImageData& image, int offset)
{
    return HeaderWord(image, offset);
}

}  // namespace

bool BattleNumbersOption()
{
    return PrefBattleOptions[1] != 0;
}

CBattleFieldView::CBattleFieldView()
{
    PushResourceFolder();
    CResourceMgr::SetCurrentFolder(CPathMgr::Path(CPathMgr::kImagesBattle).Chars());
    bool loaded = LoadImage("moat", m_moat) && LoadAnimation("pointer", m_pointerAnimation) &&
                  LoadImage("grass", m_grass) && LoadImage("masonry", m_masonry) &&
                  LoadImage("topimg", m_topImage) && LoadImage("cell", m_cell) &&
                  LoadImage("cell_sel", m_cellSelected);
    for (int i = 0; loaded && i < kBattleIconCount; ++i)
        if (kIconNames[i][0] != '\0')
            loaded = LoadImage(kIconNames[i], m_icons[i]);
    // The title caps are optional: without them the bar is the bare text.
    if (loaded) {
        LoadImage("title_l", m_titleLeft);
        LoadImage("title_r", m_titleRight);
        LoadImage("title_c", m_titleCentre);
    }
    PopResourceFolder();
    if (!loaded) {
        RepushResourceError();
        return;
    }

    m_pointer.SetAnimation(m_pointerAnimation);
    CCallback::Bind(
        m_pointer.BeforeFrame(), this, +[](void* view, intptr_t, CCallback*) -> intptr_t {
            static_cast<CBattleFieldView*>(view)->RepaintPointer();
            return 0;
        });
    CCallback::Bind(
        m_pointer.FrameShown(), this, +[](void* view, intptr_t, CCallback*) -> intptr_t {
            static_cast<CBattleFieldView*>(view)->RepaintPointer();
            return 0;
        });

    const int16_t w = int16_t(m_cell.Width());
    const int16_t h = int16_t(m_cell.Height());
    const int16_t tw = int16_t(m_topImage.Width());
    const int16_t th = int16_t(m_topImage.Height());
    cellSize = PackedPoint(w, h);
    halfCell = PackedPoint((w & ~1) / 2, h / 2);
    rowPitch = int16_t(h - h / 4);
    g_battle.cellSize = cellSize;
    gridSize = PackedPoint(9 * w + w / 2, 7 * h);
    fieldWidth = tw;
    gridOrigin = PackedPoint((tw - gridSize.X()) / 2 - 1, th - 4);
    fieldRect = PackedRect(0, gridOrigin.Y(), tw - 1, gridOrigin.Y() + gridSize.Y());
    fieldHeight = int16_t(fieldRect.Bottom() + 1);
    m_ready = true;
    BindEngineHooks();
}

CBattleFieldView::~CBattleFieldView()
{
    UnbindEngineHooks();
    Clear();
    repaintHandler = nullptr;
}

PackedRect CBattleFieldView::GetFieldRect() const
{
    return PackedRect(0, 0, fieldWidth - 1, fieldHeight - 1);
}

void CBattleFieldView::Report(const PackedRect& rect)
{
    if (rect.IsDefined() && repaintHandler)
        repaintHandler(rect);
}

bool CBattleFieldView::CellPosition(uint8_t cell, PackedPoint& point) const
{
    const int row = cell / kGridColumns;
    const int column = cell % kGridColumns;
    if (!m_ready || row < 1 || row > kInnerCells || column < 1 || column > kInnerCells)
        return false;
    const int16_t w = cellSize.X();
    const int x = gridOrigin.X() + ((row & 1) ? w : w / 2) + (column - 1) * w;
    const int y = gridOrigin.Y() + halfCell.Y() + (row - 1) * rowPitch;
    point = PackedPoint(x, y);
    return true;
}

void CBattleFieldView::Rebuild()
{
    if (!m_ready || g_battle.noScreen)
        return;
    sceneKind = IsSiege() ? 1 : 0;
    LoadTopImage();
    ShowPointer(nullptr);
    moatVisible = 0;
    if (sceneKind == 1 && g_battle.castle && g_battle.castle->moat && !g_siegeLayout.moatCells.empty() &&
        g_battle.grid) {
        // The moat picture is laid along the whole moat line; it is anchored
        // on the middle cell of that line.
        const uint8_t cell = g_siegeLayout.moatCells[g_siegeLayout.moatCells.size() / 2];
        PackedPoint centre;
        if (g_battle.grid->CellToPoint(cell, centre)) {
            centre.Add(gridOrigin);
            moatPosition = centre;
            moatVisible = 1;
        }
    }
    HideCommandCells();
    Report(GetFieldRect());
}

void CBattleFieldView::LoadTopImage()
{
    PushResourceFolder();
    CResourceMgr::SetCurrentFolder(CPathMgr::Path(CPathMgr::kImagesBattle).Chars());
    ImageData image;
    if (sceneKind == 1) {
        LoadImage("TopImg", image);
    } else {
        CStr name;
        name.Format("TopImg%ld", long(g_battle.obstacleLayout / 5 + 1));
        if (!LoadImage(name.Chars(), image))
            LoadImage("TopImg1", image);
    }
    PopResourceFolder();
    // The view keeps its last top picture when the battle's is missing.
    if (image.HasHeader())
        m_topImage = image;
}

void CBattleFieldView::Clear()
{
    for (int32_t i = m_sprites.Count() - 1; i >= 0; --i) {
        CBattleSprite* sprite = *m_sprites.At(i);
        if (sprite->pending)
            RemoveQueuedBattleEvent(sprite->battleId);
        delete sprite;
    }
    m_sprites.Clear();
    m_commandCells.clear();
    m_commandCellsShown = false;
    m_pointer.Stop();
    pointerVisible = 0;
    m_pointerSprite = nullptr;
    m_instantDone.clear();
}

void CBattleFieldView::PauseAnimations()
{
    for (int32_t i = 0; i < m_sprites.Count(); ++i)
        (*m_sprites.At(i))->player.Timer().suspended = 1;
    m_pointer.Timer().suspended = 1;
}

void CBattleFieldView::ResumeAnimations()
{
    for (int32_t i = 0; i < m_sprites.Count(); ++i)
        (*m_sprites.At(i))->player.Timer().suspended = 0;
    m_pointer.Timer().suspended = 0;
}

// Drawing.

void CBattleFieldView::Draw(CDrawContext& dc)
{
    if (!m_ready)
        return;
    DrawLayers(dc);
    DrawTitle(dc);
    if (pointerVisible)
        m_pointer.Draw(dc);
    if (m_commandCellsShown)
        DrawCommandCells(dc);
}

void CBattleFieldView::DrawLayers(CDrawContext& dc)
{
    DrawBackground(dc);
    int32_t at = DrawSpritePass(dc, -1, 4);
    DrawCells(dc);
    at = DrawSpritePass(dc, at, 7);
    at = FindLayerStart(at, 8);
    const int32_t dynamicStart = at;
    DrawSpritePass(dc, at, 14);
    if (BattleNumbersOption())
        DrawSquadNumbers(dc, dynamicStart, 15);
}

void CBattleFieldView::DrawBackground(CDrawContext& dc)
{
    DrawImage(dc, 0, 0, m_topImage, UndefinedRect);
    if (sceneKind == 1)
        DrawSiegeGround(dc, fieldRect);
    else
        TileImage(dc, fieldRect, m_grass);
}

void CBattleFieldView::DrawSiegeGround(CDrawContext& dc, const PackedRect& rect)
{
    // The castle side (right) is paved; the paving steps in toward the
    // middle rows, where the castle stands out furthest.
    const int32_t step = cellSize.X() / 2;
    const int32_t h = rect.Height() / 9;
    int32_t top = rect.Top();
    int32_t bottom = rect.Bottom();
    int32_t b = rect.Right() - 5 * step;
    auto band = [&](int32_t y0, int32_t y1) {
        if (y1 < y0)
            return;
        TileImage(dc, PackedRect(0, y0, b - 1, y1), m_grass);
        TileImage(dc, PackedRect(b, y0, rect.Right(), y1), m_masonry);
    };
    for (int i = 0; i < 4 && h > 0; ++i) {
        band(top, top + h - 1);
        band(bottom - h + 1, bottom);
        top += h;
        bottom -= h;
        b -= step;
    }
    band(top, bottom);
    if (moatVisible)
        DrawImage(dc, moatPosition.X(), moatPosition.Y(), m_moat, UndefinedRect);
}

void CBattleFieldView::DrawCells(CDrawContext& dc)
{
    const bool grid = ShowGridOption();
    for (int row = 1; row <= kInnerCells; ++row) {
        for (int column = 1; column <= kInnerCells; ++column) {
            const uint8_t cell = uint8_t(column + kGridColumns * row);
            PackedPoint p;
            if (!CellPosition(cell, p))
                continue;
            const bool selected = cell < g_battle.highlight.size() && g_battle.highlight[cell] == 2;
            if (selected)
                DrawImage(dc, p.X(), p.Y(), m_cellSelected, UndefinedRect);
            else if (grid)
                DrawImage(dc, p.X(), p.Y(), m_cell, UndefinedRect);
        }
    }
}

// A pass walks from `start` toward index 0 (the sprite drawn last) and stops
// at the first sprite above the layer limit, returning its index. A pass
// that ran through returns kPassDone, so the passes behind it draw nothing
// again.
int32_t CBattleFieldView::DrawSpritePass(CDrawContext& dc, int32_t start, int32_t maxLayer)
{
    if (start == kPassDone)
        return kPassDone;
    if (start < 0 || start >= m_sprites.Count())
        start = m_sprites.Count() - 1;
    for (int32_t i = start; i >= 0; --i) {
        CBattleSprite* sprite = *m_sprites.At(i);
        if (sprite->layer > maxLayer)
            return i;
        DrawSprite(dc, *sprite);
    }
    return kPassDone;
}

int32_t CBattleFieldView::FindLayerStart(int32_t start, int32_t layer)
{
    if (start == kPassDone)
        return kPassDone;
    if (start < 0 || start >= m_sprites.Count())
        start = m_sprites.Count() - 1;
    for (int32_t i = start; i >= 0; --i)
        if ((*m_sprites.At(i))->layer >= layer)
            return i;
    return kPassDone;
}

namespace {

// Side colours: the second side's squads are drawn with their shade indexes
// moved by 18, from the first side's 18 shades to the second side's.
uint8_t ShiftShade(uint8_t index)
{
    return index >= 220 ? uint8_t(index + 18) : index;
}

void ShiftedFill(uint8_t* dest, uint8_t colour, int count, int, int)
{
    const uint8_t shifted = ShiftShade(colour);
    for (int i = 0; i < count; ++i)
        dest[i] = shifted;
}

void ShiftedCopy(uint8_t* dest, const uint8_t* source, int count, int, int)
{
    for (int i = 0; i < count; ++i)
        dest[i] = ShiftShade(source[i]);
}

void DrawShiftedImage(int x, int y, const PackedRect& clip, PixelBlock block, uint32_t tableSize,
                      bool wideLengths, bool transparent, ImageFillOpFn, ImageCopyOpFn, uint16_t pitch,
                      uint8_t* dest)
{
    DecodeImageRows(x, y, clip, block, tableSize, wideLengths, transparent, ShiftedFill, ShiftedCopy, pitch,
                    dest);
}

}  // namespace

void CBattleFieldView::DrawSprite(CDrawContext& dc, CBattleSprite& sprite)
{
    if (!sprite.IsVisible())
        return;
    if (sprite.IsSquad() && (sprite.flags & kSpriteSideLeft) == 0) {
        g_imageRowHook = &DrawShiftedImage;
        sprite.player.Draw(dc);
        g_imageRowHook = nullptr;
    } else {
        sprite.player.Draw(dc);
    }
    if (sprite.stateIcon) {
        const PackedPoint p = sprite.PixelPosition();
        DrawImage(dc, p.X(), p.Y(), *sprite.stateIcon, UndefinedRect);
    }
}

void CBattleFieldView::DrawSquadNumbers(CDrawContext& dc, int32_t start, int32_t maxLayer)
{
    if (start == kPassDone)
        return;
    if (start < 0 || start >= m_sprites.Count())
        start = m_sprites.Count() - 1;
    for (int32_t i = start; i >= 0; --i) {
        CBattleSprite* sprite = *m_sprites.At(i);
        if (sprite->layer > maxLayer)
            return;
        if (!sprite->IsVisible() || !sprite->IsSquad() || sprite->digits.Count() == 0)
            continue;
        const PackedRect& frame = sprite->player.FrameRect();
        if (!frame.IsDefined())
            continue;
        const bool left = (sprite->flags & kSpriteSideLeft) != 0;
        int32_t x;
        if (left) {
            x = std::max<int32_t>(0, frame.Left() - sprite->numberWidth);
        } else {
            x = frame.Left() + frame.Width();
            if (x + sprite->numberWidth > fieldWidth)
                x = fieldWidth - sprite->numberWidth;
        }
        m_numbers.Draw(sprite->digits, dc, x, frame.Top(), left);
    }
}

// Title bar.

void CBattleFieldView::SetTitle(const CStr& text, bool lookUp)
{
    if (lookUp && !text.IsEmpty())
        GetLocaleText(text.Chars(), title);
    else
        title = text;
    LayoutTitle();
}

void CBattleFieldView::LayoutTitle()
{
    Report(titleRect);
    titleRect = PackedRect(0, 0, -1, -1);
    if (title.IsEmpty())
        return;
    const FontData& font = SelectFont(0);
    const int32_t tw = MeasureTextWidth(title, font);
    const int32_t th = MeasureTextHeight(title, font);
    int32_t bw = 0, bh = 0;
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    if (m_titleCentre.HasHeader()) {
        const int32_t h = Word(m_titleCentre, 4), t = Word(m_titleCentre, 12), b = Word(m_titleCentre, 16);
        top = std::max(top, t);
        bottom = std::max(bottom, h - t - b);
        bw += tw;
        bh = std::max(bh, h);
    }
    if (m_titleLeft.HasHeader()) {
        const int32_t w = Word(m_titleLeft, 2), h = Word(m_titleLeft, 4);
        const int32_t l = Word(m_titleLeft, 10), t = Word(m_titleLeft, 12), b = Word(m_titleLeft, 16);
        left = std::max(left, l);
        top = std::max(top, t);
        bottom = std::max(bottom, h - t - b);
        bw += w;
        bh = std::max(bh, h);
    }
    if (m_titleRight.HasHeader()) {
        const int32_t w = Word(m_titleRight, 2), h = Word(m_titleRight, 4);
        const int32_t l = Word(m_titleRight, 10), r = Word(m_titleRight, 14);
        const int32_t t = Word(m_titleRight, 12), b = Word(m_titleRight, 16);
        right = std::max(right, w - l - r);
        top = std::max(top, t);
        bottom = std::max(bottom, h - t - b);
        bw += w;
        bh = std::max(bh, h);
    }
    if (bw == 0)
        bw = tw;
    if (bh == 0)
        bh = th;
    right = bw - right;
    bottom = bh - bottom;
    const int32_t innerWidth = right - left + 1;
    const int32_t innerHeight = bottom - top + 1;
    const int32_t barLeft = (fieldRect.Width() - bw) / 2;
    titleTextPosition = PackedPoint(barLeft + left + (innerWidth - tw) / 2, top + (innerHeight - th) / 2);
    titleRect = PackedRect(barLeft, 0, barLeft + bw - 1, bh - 1);
    Report(titleRect);
}

void CBattleFieldView::DrawTitle(CDrawContext& dc)
{
    if (title.IsEmpty() || !titleRect.IsDefined() || titleRect.Width() <= 0)
        return;
    const int32_t lw = WidthOf(m_titleLeft);
    const int32_t rw = WidthOf(m_titleRight);
    if (m_titleCentre.HasHeader()) {
        const PackedRect middle(titleRect.Left() + lw, 0, titleRect.Right() - rw,
                                HeightOf(m_titleCentre) - 1);
        if (middle.Width() > 0)
            TileImage(dc, middle, m_titleCentre);
    }
    DrawImage(dc, titleRect.Left() + HotXOf(m_titleLeft), HotYOf(m_titleLeft), m_titleLeft, UndefinedRect);
    DrawImage(dc, titleRect.Right() + 1 - rw + HotXOf(m_titleRight), HotYOf(m_titleRight), m_titleRight,
              UndefinedRect);
    DrawText(dc, titleTextPosition.X(), titleTextPosition.Y(), title, kTitleColour, 0, true, SelectFont(0));
}

// Command cells.

PackedRect CBattleFieldView::IconArea(const ImageData& image, const PackedPoint& at) const
{
    if (!image.HasHeader())
        return UndefinedRect;
    const int32_t x = at.X() - image.HotX();
    const int32_t y = at.Y() - image.HotY();
    return PackedRect(x, y, x + image.Width() - 1, y + image.Height() - 1);
}

void CBattleFieldView::RepaintCommandCells()
{
    for (size_t i = m_commandCells.size(); i > 0; --i) {
        const CommandCell& entry = m_commandCells[i - 1];
        const ImageData* image = entry.enabled                   ? &m_icons[kIconCmdCell]
                                 : entry.icon < kBattleIconCount ? &m_icons[entry.icon]
                                                                 : nullptr;
        if (image)
            Report(IconArea(*image, entry.position));
    }
}

void CBattleFieldView::ShowCommandCells(const std::vector<ScreenMark*>* marks)
{
    if (m_commandCellsShown)
        RepaintCommandCells();
    m_commandCells.clear();
    m_commandCellsShown = marks != nullptr;
    if (!marks)
        return;
    // The engine keeps its marks and may show the same list again: the view
    // places its own copies, so positions are never moved twice.
    for (const ScreenMark* mark : *marks) {
        if (!mark)
            continue;
        CommandCell entry;
        entry.enabled = mark->wait;
        entry.cell = mark->cell;
        entry.icon = mark->kind;
        entry.position = mark->point;
        if (entry.cell == 0) {
            entry.position = trebuchetPosition.IsDefined() ? trebuchetPosition : PackedPoint(0, 0);
            entry.position.Offset(halfCell.X(), int16_t(-halfCell.Y()));
        }
        entry.position.Add(gridOrigin);
        m_commandCells.push_back(entry);
    }
    RepaintCommandCells();
}

void CBattleFieldView::HideCommandCells()
{
    if (m_commandCellsShown)
        RepaintCommandCells();
    m_commandCells.clear();
    m_commandCellsShown = false;
}

void CBattleFieldView::DrawCommandCells(CDrawContext& dc)
{
    for (const CommandCell& entry : m_commandCells) {
        if (entry.enabled)
            DrawImage(dc, entry.position.X(), entry.position.Y(), m_icons[kIconCmdCell], UndefinedRect);
        if (entry.icon < kBattleIconCount)
            DrawImage(dc, entry.position.X(), entry.position.Y(), m_icons[entry.icon], UndefinedRect);
    }
}

void CBattleFieldView::RepaintHighlights()
{
    PackedRect area = UndefinedRect;
    for (uint8_t cell = 0; cell < g_battle.highlight.size(); ++cell) {
        PackedPoint p;
        if (g_battle.highlight[cell] != 2 || !CellPosition(cell, p))
            continue;
        const PackedRect r = IconArea(m_cell, p);
        if (!area.IsDefined())
            area = r;
        else
            area.Union(r);
    }
    Report(area);
}

// Pointer.

void CBattleFieldView::RepaintPointer()
{
    if (pointerVisible)
        Report(m_pointer.FrameRect());
}

void CBattleFieldView::ShowPointer(CBattleSprite* sprite)
{
    RepaintPointer();
    m_pointer.Stop();
    pointerVisible = sprite ? 1 : 0;
    m_pointerSprite = sprite;
    if (!sprite)
        return;
    const PackedRect& frame = sprite->player.FrameRect();
    PackedPoint at = sprite->PixelPosition();
    if (frame.IsDefined()) {
        at.SetY(frame.Top());
        if (sprite->kind == kSpriteTrebuchet)
            at.SetX(at.X() + frame.Width() / 2);
    }
    const PackedPoint quarter(at.X() * 4, at.Y() * 4);
    m_pointer.SetPosition(quarter);
    m_pointer.SetTarget(quarter);
    m_pointer.SetPasses(0);
    m_pointer.Play(0);
    RepaintPointer();
}

// Taps.

void CBattleFieldView::OnTap(const PackedPoint& point)
{
    Tap(point, false);
}
void CBattleFieldView::OnAltTap(const PackedPoint& point)
{
    Tap(point, true);
}

void CBattleFieldView::Tap(const PackedPoint& point, bool alternate)
{
    if (!m_ready)
        return;
    if (m_commandCellsShown) {
        for (size_t i = m_commandCells.size(); i > 0; --i) {
            const CommandCell& entry = m_commandCells[i - 1];
            if (!entry.enabled)
                continue;
            const int32_t x = point.X() - entry.position.X() + halfCell.X();
            const int32_t y = point.Y() - entry.position.Y() + halfCell.Y();
            if (ImageHitTest(x, y, m_icons[kIconCmdCell]) != 0) {
                if (alternate)
                    BattleAltTapAtCell(entry.cell);
                else
                    BattleTapAtCell(entry.cell);
                return;
            }
        }
    }
    CBattleSprite* hit = nullptr;
    for (int32_t i = 0; i < m_sprites.Count() && !hit; ++i) {
        CBattleSprite* sprite = *m_sprites.At(i);
        if (!sprite->IsVisible())
            continue;
        if (tapFilterKind != 0xFFFF && tapFilterKind != sprite->kind)
            continue;
        if (sprite->player.HitTest(point))
            hit = sprite;
    }
    PackedPoint target = point;
    if (hit) {
        if (hit->kind == kSpriteTrebuchet) {
            SendBattleInput(1);
            return;
        }
        // A tap anywhere on a squad's picture picks the squad's own cell.
        target = hit->PixelPosition();
    }
    target.Subtract(gridOrigin);
    if (alternate)
        BattleAltTapAtPoint(target);
    else
        BattleTapAtPoint(target);
}
