#include "mapscreen/map_battle_runner.h"

#include <utility>

#include "battle/battle_flow.h"
#include "battle/quick_battle.h"
#include "battle/side_controller.h"
#include "battlescreen/map_battle_wnd.h"
#include "core/core_main.h"
#include "core/ui_mgr.h"
#include "core/ui_tree.h"
#include "game/battle_seam.h"
#include "mapdialogs/quick_battle.h"
#include "mapscreen/map_wnd_parts.h"
#include "ui/message_wnd.h"
#include "ui/side_colours.h"
#include "ui/window_mgr.h"

namespace {

// The battle window's side of a map battle: people play their sides on the
// device, the computer its own and those left to automatic play.
uint32_t ShownSideKind(int32_t mode)
{
    return mode == kSideHuman ? kSideKindHuman : kSideKindComputer;
}

}  // namespace

MapBattleRunner::MapBattleRunner(CWindow* window, const CStr& layoutPath, std::function<void()> battleOver)
    : m_window(window), m_layoutPath(layoutPath), m_battleOver(std::move(battleOver))
{}

void MapBattleRunner::Watch(MapBattleRecord* record, uint8_t flag)
{
    BattleParams params;
    MapBattleToParams(*record, params);
    params.noScreen = 0;
    params.attackerSideKind = ShownSideKind(record->attackerMode);
    params.defenderSideKind = ShownSideKind(record->defenderMode);
    {
        TreeNodeScope scope;
        if (scope.Saved())
            CUIMgr::Tree().GoToPath(m_layoutPath.Chars());
        m_battleWnd = new CMapBattleWnd(m_window, MapWndPath(m_layoutPath, "MapBattleWnd"));
    }
    // The battle screen puts both sides' shades into its palette itself.
    m_battleWnd->Window()->SetSideColour(kPaintedSideColour, false);
    m_battleWnd->battleOverHandler = [this] { m_battleOver(); };
    m_battleWnd->SetBattleParams(&params);
    m_battleWnd->resumeFlag = flag;
    RunModal(m_battleWnd->Window());
    CMapBattleWnd* battle = m_battleWnd;
    m_battleWnd = nullptr;
    delete battle;
}

void MapBattleRunner::Resolve(MapBattleRecord* record, uint8_t flag, bool notice)
{
    CMessageWnd* box = nullptr;
    if (notice) {
        box = new CMessageWnd(m_window);
        box->Setup(LocalizedText("QuickBtlM"), LocalizedText("QuickBtlT"), MessageNoButtons, CStr(), false);
        FrameStep();
    }
    {
        BattleParams params;
        MapBattleToParams(*record, params);
        CQuickBattle runner;
        runner.BindFinished(this, &MapBattleRunner::OnBattleOver);
        runner.SetBattle(&params);
        runner.Run(flag);
    }
    if (box) {
        box->Show(false, false);
        delete box;
    }
}

void MapBattleRunner::OnBattleOver()
{
    m_battleOver();
}
