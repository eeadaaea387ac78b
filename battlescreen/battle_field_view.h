#pragma once
// CBattleFieldView: the drawing and hit-testing object of the battle field,
// embedded in the battle window. It owns the terrain pictures, the cell
// marks, the command icons, the title bar, the selection pointer and one
// sprite per shown battle object, and serves the battle engine's field
// hooks. Every area that needs repainting is reported through its repaint
// handler, which the battle window binds.

#include <cstdint>
#include <functional>
#include <vector>

#include "battlescreen/battle_sprite.h"
#include "battlescreen/indexed_list.h"
#include "battlescreen/squad_number_display.h"
#include "core/animation_player.h"
#include "core/image_data.h"
#include "core/packed_geometry.h"
#include "core/ref_string.h"

class CDrawContext;
class CGameObject;
struct BattleEvent;
struct ScreenMark;
struct VisualRequest;

// Icon slots of the command cells and state overlays.
constexpr int kBattleIconCount = 19;
enum BattleIcon : int {
    kIconCmdCell = 0,
    kIconStateGuard = 16,
    kIconStateEndTurn = 17,
};

// One shown command cell: the view's own copy of an engine mark, with the
// position already moved onto the view.
struct CommandCell {
    uint8_t enabled = 0;
    PackedPoint position;
    uint8_t cell = 0;
    uint32_t icon = 0;
};

// The record of the add-sprite operation.
struct AddSpriteRecord {
    CGameObject* object = nullptr;
    uint32_t kind = 0;
    CStr name;
    PackedPoint position;  // field pixels
    uint8_t side = 0;
    uint8_t visible = 1;
    CBattleSprite* sprite = nullptr;  // out
    uint16_t anchor = 0;              // out
};

// The record of the play-animation operation.
struct PlayAnimationRecord {
    CBattleSprite* sprite = nullptr;
    uint8_t animation = 0;  // slot number, from 1
    uint8_t action = 0;     // sound slot number, from 1
    PackedPoint from = UndefinedPoint;
    PackedPoint to = UndefinedPoint;
    uint16_t step = 0;
    uint8_t startMode = 0;  // 0 first frame, 1 second frame, 2 last frame
};

// Whether the squad strength plates are shown (a battle option).
bool BattleNumbersOption();

class CBattleFieldView {
public:
    static constexpr int32_t kPassDone = -2;  // a drawing pass that ran through the list
    using RepaintHandler = std::function<void(const PackedRect&)>;

    CBattleFieldView();
    ~CBattleFieldView();
    CBattleFieldView(const CBattleFieldView&) = delete;
    CBattleFieldView& operator=(const CBattleFieldView&) = delete;

    // Whether the pictures loaded and the geometry and hooks are set.
    bool IsReady() const { return m_ready; }
    // Binds the field hooks of the battle engine (the constructor does; the
    // battle window binds them again before a battle).
    void BindEngineHooks();
    void UnbindEngineHooks();

    void Rebuild();
    void Clear();
    void Draw(CDrawContext& dc);
    void OnTap(const PackedPoint& point);
    void OnAltTap(const PackedPoint& point);
    void PauseAnimations();
    void ResumeAnimations();
    PackedRect GetFieldRect() const;

    // Field hooks.
    void ShowCommandCells(const std::vector<ScreenMark*>* marks);
    void HideCommandCells();
    void RepaintHighlights();
    void ShowPointer(CBattleSprite* sprite);
    void SetTitle(const CStr& text, bool lookUp);
    void SetTapFilter(uint16_t kind) { tapFilterKind = kind; }

    // Sprite operations.
    CBattleSprite* AddSprite(AddSpriteRecord& record);
    void RemoveSprite(CBattleSprite* sprite);
    void SetSpriteVisible(CBattleSprite* sprite, bool visible);
    void PlaySpriteAnimation(const PlayAnimationRecord& record);
    void PlaceSprite(CBattleSprite* sprite, const PackedPoint& point);
    void SetSpriteState(CBattleSprite* sprite, uint8_t state);
    void ClearSpriteState(CBattleSprite* sprite, uint8_t mask);
    void OnSquadChanged(CBattleSprite* sprite, bool flag);

    // The engine's view of sprites: battle ids.
    CBattleSprite* FindSprite(uint32_t battleId);
    int32_t SpriteCount() const { return m_sprites.Count(); }
    CBattleSprite* SpriteAt(int32_t index);

    // Callbacks of the sprites' players.
    void RepaintSprite(CBattleSprite* sprite, const PackedRect& rect);
    void OnSpriteAnimationDone(CBattleSprite* sprite);
    void OnSpriteMoved(CBattleSprite* sprite);
    // Tells the engine that the events of sprites which had nothing to play
    // are done. Called before every frame the engine waits through: such an
    // event is reported before the engine has queued it.
    void ReleaseInstantEvents();

    // Geometry and state, open for the battle window and the tests.
    RepaintHandler repaintHandler;
    uint16_t tapFilterKind = 0xFFFF;
    uint32_t sceneKind = 0;
    PackedPoint gridOrigin = UndefinedPoint;
    PackedPoint gridSize = UndefinedPoint;
    PackedPoint cellSize = UndefinedPoint;
    PackedRect fieldRect = UndefinedRect;
    PackedPoint halfCell = UndefinedPoint;
    int16_t rowPitch = 0;
    int16_t fieldWidth = 0;
    int16_t fieldHeight = 0;
    PackedPoint trebuchetPosition = UndefinedPoint;
    PackedPoint moatPosition = UndefinedPoint;
    uint8_t moatVisible = 0;
    uint8_t pointerVisible = 0;
    CStr title;
    PackedRect titleRect = UndefinedRect;
    PackedPoint titleTextPosition = UndefinedPoint;
    const std::vector<CommandCell>& CommandCells() const { return m_commandCells; }
    bool HasCommandCells() const { return m_commandCellsShown; }
    const AnimationPlayer& Pointer() const { return m_pointer; }
    const CSquadNumberDisplay& Numbers() const { return m_numbers; }
    // The top-left pixel of an inner cell's picture position (its centre
    // when the cell picture's hot spot is its centre); false for a border
    // cell or an index past the grid.
    bool CellPosition(uint8_t cell, PackedPoint& point) const;

    // Drawing steps.
    void DrawLayers(CDrawContext& dc);
    void DrawBackground(CDrawContext& dc);
    void DrawSiegeGround(CDrawContext& dc, const PackedRect& rect);
    void DrawCells(CDrawContext& dc);
    int32_t DrawSpritePass(CDrawContext& dc, int32_t start, int32_t maxLayer);
    int32_t FindLayerStart(int32_t start, int32_t layer);
    void DrawSprite(CDrawContext& dc, CBattleSprite& sprite);
    void DrawSquadNumbers(CDrawContext& dc, int32_t start, int32_t maxLayer);
    void DrawTitle(CDrawContext& dc);
    void DrawCommandCells(CDrawContext& dc);
    void LoadTopImage();
    void LayoutTitle();

private:
    void Report(const PackedRect& rect);
    void RepaintCommandCells();
    PackedRect IconArea(const ImageData& image, const PackedPoint& at) const;
    void Replace(CBattleSprite* sprite);
    void SwapSprites(int32_t a, int32_t b);
    void RepaintPointer();
    void StartFrom(CBattleSprite* sprite, uint8_t startMode);
    void Tap(const PackedPoint& point, bool alternate);
    void SetUpByKind(CBattleSprite* sprite, const CStr& name);

    // Engine hook adapters.
    void OnVisualCreation(VisualRequest* request);
    void OnVisualRemoval(uint32_t battleId);
    void OnBattleEvent(const BattleEvent* event);
    void OnPosition(uint32_t battleId, PackedPoint point);
    void OnDefenceMarker(uint32_t battleId, uint32_t flag);
    void OnSquadTurn(uint32_t battleId, uint16_t value);
    void OnObjectFinished(uint32_t battleId, uint32_t flag);
    void OnInfo(uint32_t battleId);
    void OnTextEvent(const CStr& text);

    bool m_ready = false;
    ImageData m_grass, m_masonry, m_topImage, m_cell, m_cellSelected, m_moat;
    ImageData m_titleLeft, m_titleRight, m_titleCentre;
    ImageData m_icons[kBattleIconCount];
    AnimData m_pointerAnimation;
    AnimationPlayer m_pointer;
    CBattleSprite* m_pointerSprite = nullptr;
    std::vector<CommandCell> m_commandCells;
    bool m_commandCellsShown = false;
    CIndexedList<CBattleSprite*> m_sprites;
    CSquadNumberDisplay m_numbers;
    uint32_t m_nextBattleId = 1;
    std::vector<uint32_t> m_instantDone;
};
