#include "battle/computer_side.h"

#include "battle/battle_flow.h"
#include "battle/battle_hooks.h"
#include "game/army.h"
#include "game/province_record.h"

CComputerSideController::~CComputerSideController()
{
    delete m_ai;
    m_ai = nullptr;
}

void CComputerSideController::Init(const SideSetup* source)
{
    CopySetup(source);
    LineUpSquads();
    m_ai = CreateSideAi(this, &setup);
}

void CComputerSideController::PlaceSquads()
{
    if (m_ai)
        m_ai->PlaceSquads();
}

void CComputerSideController::PlayTurn()
{
    BeginComputerTurn();
    if (m_ai)
        m_ai->PlayTurn();
    EndComputerTurn();
}

uint32_t CComputerSideController::OnCommand(uint32_t code)
{
    if (code != 256 && code != 512)
        return code;
    CSideController* other = OtherSide();
    if (!other)
        return code;
    if (other->Kind() != kSideKindHuman)
        return other->Kind();
    return other->OnCommand(code);
}

bool CComputerSideController::MayGiveUp()
{
    CSideController* other = OtherSide();
    if (!other || other->Kind() != kSideKindHuman)
        return false;
    if (!g_battle.castle || g_battle.castle->capital == 0)
        return true;
    return other->IsAttackerSide();
}

void CComputerSideController::BeginComputerTurn()
{
    CSideController* other = OtherSide();
    if (other && other->Kind() == kSideKindHuman) {
        SetBattleStateBitsB(kButtonAuto);
        SetBattleStateBits(kButtonAuto);
    }
}

void CComputerSideController::EndComputerTurn()
{
    CSideController* other = OtherSide();
    if (other && other->Kind() == kSideKindHuman)
        ClearBattleStateBits(kButtonAuto);
}
