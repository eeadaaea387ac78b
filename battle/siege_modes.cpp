#include "battle/siege_modes.h"

#include "battle/battle_flow.h"
#include "battle/battle_grid.h"
#include "battle/battle_hooks.h"
#include "battle/battle_rules.h"
#include "battle/human_side.h"
#include "battle/side_ai.h"
#include "battle/siege_scene.h"
#include "core/byte_stream.h"
#include "game/army.h"

namespace {
bool PlayingEvents()
{
    return g_waitingForEvents != 0;
}
bool NoTarget(uint8_t cell)
{
    return cell == 0 || cell == kNoCell;
}
}  // namespace

void CTrebuchetMode::Run()
{
    CSiegeTrebuchet* trebuchet = scene->trebuchet;
    if (!trebuchet || trebuchet->hitPoints <= 0) {
        done = 1;
        return;
    }
    ShowAutoButton();
    if (PrefAutoSiegeEngines(true)) {
        armed = 1;
        BattleAiAimTrebuchet(side, side->SetupPtr());
        armed = 0;
        done = 1;
        HideButtons();
        return;
    }
    ShowInfo(trebuchet->battleHandle);
    done = 0;
    if (!side->autoByte) {
        trebuchet->targetCell = 0;
        SetBattleStateBitsC(kButtonAuto, false);
        MarkTargets();
        WaitForInput(false);
        HideMarks();
        ClearMarks();
    } else {
        Fire();
    }
    HideButtons();
    ClearInfo();
}

void CTrebuchetMode::MarkTargets()
{
    const int16_t h = g_battle.grid->cellHeight;
    for (int16_t i = 0; i < scene->ObjectCount(); ++i) {
        CArmyItem* o = scene->ObjectAt(i);
        if (!CSideController::CanTarget(scene->trebuchet, o) || o->hitPoints < 1)
            continue;
        PackedPoint p{packed::kUndefined, packed::kUndefined};
        g_battle.grid->CellToPoint(uint8_t(o->cell), p);
        // Raised to where the object's picture stands.
        int16_t y = p.Y();
        if (o->IsKindOf(kKindWall))
            y = int16_t(y - h * 3 / 4);
        else if (o->Kind() == kKindCatapult)
            y = int16_t(y - h * 3 / 2);
        AddMark(kMarkEngineObject, uint8_t(o->cell), PackedPoint(p.X(), y), 1);
    }
    if (marks.empty())
        done = 1;
    else
        ShowMarks();
}

void CTrebuchetMode::OnCellTap(uint8_t cell)
{
    if (PlayingEvents() || !HasMarkAt(cell))
        return;
    scene->trebuchet->targetCell = cell;
    Fire();
}

uint32_t CTrebuchetMode::OnCode(uint32_t code)
{
    if (code == kButtonAuto && side->autoByte) {
        Fire();
        return 1;
    }
    return code;
}

bool CTrebuchetMode::TargetGone() const
{
    const uint8_t target = scene->trebuchet->targetCell;
    for (int16_t i = 0; i < scene->ObjectCount(); ++i) {
        const CArmyItem* o = scene->ObjectAt(i);
        if (o->hitPoints != 0)
            continue;
        if (o->cell == target && CSideController::CanTarget(scene->trebuchet, o))
            return true;
        if (o->Kind() == kKindBridge && o->cell == uint32_t(target) + 1)
            return true;
    }
    return false;
}

void CTrebuchetMode::Fire()
{
    HideMarks();
    ClearInfo();
    ClearMarks();
    armed = 1;
    if (!NoTarget(scene->trebuchet->targetCell) && !TargetGone())
        scene->FireTrebuchet(side->ownHero, scene->trebuchet->targetCell);
    else
        BattleAiAimTrebuchet(side, side->SetupPtr());
    armed = 0;
    done = 1;
}

void CTrebuchetMode::Refresh()
{
    if (!PrefAutoSiegeEngines(true))
        return;
    HideMarks();
    ClearMarks();
    ClearInfo();
    BattleAiAimTrebuchet(side, side->SetupPtr());
    done = 1;
}

bool CTrebuchetMode::Serialize(CByteStream* stream)
{
    stream->U8(done);
    if (!done) {
        stream->U8(armed);
        if (armed && scene->trebuchet)
            stream->U8(scene->trebuchet->targetCell);
    }
    return !stream->HasError();
}

void CTrebuchetMode::Continue()
{
    if (!done)
        Run();
}

void CCatapultMode::Run()
{
    done = 0;
    armed = 0;
    nextIndex = 0;
    ShowAutoButtonForSquads();
    if (!PrefAutoSiegeEngines(false) && !side->autoByte) {
        NextCatapult();
        if (!done) {
            side->autoByte = 0;
            SetBattleStateBitsC(kButtonAuto, false);
        }
        WaitForInput(false);
        CleanUp();
        return;
    }
    busy = 1;
    armed = 1;
    BattleAiAimCatapults(side, side->SetupPtr(), 0);
    armed = 0;
    done = 1;
    HideButtons();
    busy = 0;
}

void CCatapultMode::NextCatapult()
{
    for (;;) {
        if (nextIndex > 3) {
            done = 1;
            return;
        }
        current = scene->CatapultAtIndex(nextIndex);
        ++nextIndex;
        if (!current || current->hitPoints <= 0)
            continue;
        ShowAutoButtonForSquads();
        ShowInfo(current->battleHandle);
        if (!NoTarget(current->targetCell))
            AddMarkAtCell(kMarkEngineTarget, current->targetCell, 0);
        return;
    }
}

bool CCatapultMode::ShowTarget()
{
    ClearMarks();
    if (!current || NoTarget(current->targetCell))
        return false;
    AddMarkAtCell(kMarkEngineTarget, current->targetCell, 1);
    ShowMarks();
    armed = 1;
    return true;
}

bool CCatapultMode::IsValidTarget(uint8_t cell) const
{
    if (!IsBeforeMoatLine(cell))
        return false;
    const CArmyItem* occupant = g_battle.grid->Cell(cell).occupant;
    return !occupant || CSideController::CanTarget(current, occupant);
}

void CCatapultMode::OnCellTap(uint8_t cell)
{
    if (PlayingEvents() || !current || !IsValidTarget(cell))
        return;
    current->targetCell = cell;
    ShowTarget();
}

void CCatapultMode::OnCellTapArmed(uint8_t cell)
{
    if (PlayingEvents() || !current)
        return;
    if (cell != current->targetCell) {
        if (IsValidTarget(cell)) {
            HideMarks();
            current->targetCell = cell;
            ShowTarget();
        } else {
            ShowInfo(current->battleHandle);
            LeaveStage();
        }
        return;
    }
    Fire();
    side->autoByte = 0;
    SetBattleStateBitsC(kButtonAuto, false);
}

void CCatapultMode::LeaveStage()
{
    HideMarks();
    ClearMarks();
    armed = 0;
}

void CCatapultMode::Fire()
{
    const uint8_t wasBusy = busy;
    busy = 1;
    HideMarks();
    ClearMarks();
    ClearInfo();
    scene->FireCatapult(side->ownHero, current, current->targetCell);
    LeaveStage();
    if (side->EnemyArmy()->HasUnits())
        NextCatapult();
    else
        done = 1;
    busy = wasBusy;
}

uint32_t CCatapultMode::OnCode(uint32_t code)
{
    if (code != kButtonAuto || !side->autoByte)
        return code;
    if (current && !NoTarget(current->targetCell)) {
        if (ShowTarget()) {
            busy = 1;
            Fire();
            side->autoByte = 0;
            SetBattleStateBitsC(kButtonAuto, false);
            busy = 0;
        }
        return 1;
    }
    busy = 1;
    HideMarks();
    ClearMarks();
    ClearInfo();
    armed = 1;
    // The catapult on show and those after it; the ones before have fired.
    const uint8_t first = uint8_t(nextIndex > 0 ? nextIndex - 1 : 0);
    BattleAiAimCatapults(side, side->SetupPtr(), first);
    armed = 0;
    done = 1;
    busy = 0;
    return 1;
}

uint32_t CCatapultMode::OnCodeArmed(uint32_t code)
{
    if (busy)
        return code;
    return OnCode(code);
}

bool CCatapultMode::Serialize(CByteStream* stream)
{
    stream->U8(done);
    if (done)
        return !stream->HasError();
    stream->U8(nextIndex);
    for (CSiegeCatapult* c : scene->catapults)
        stream->U8(c->targetCell);
    stream->U8(armed);
    return !stream->HasError();
}

void CCatapultMode::Continue()
{
    if (done || !IsSiege())
        return;
    NextCatapult();
    if (side->autoByte) {
        while (!done && !IsBattleStopped() && ShowTarget())
            Fire();
    } else if (armed) {
        ShowTarget();
    }
    if (!done) {
        side->autoByte = 0;
        SetBattleStateBitsC(kButtonAuto, false);
    }
    WaitForInput(false);
    CleanUp();
}
