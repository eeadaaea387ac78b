#include "mapdialogs/game_info_wnd.h"

#include "game/game_world.h"
#include "game/player_record.h"
#include "game/running_game.h"
#include "game/scenario_mgr.h"
#include "ui/child_path.h"
#include "ui/markup_wnd.h"
#include "ui/paged_text_wnd.h"
#include "ui/text_format.h"
#include "ui/window_mgr.h"

CGameInfoWnd::CGameInfoWnd(CWindow* parent, const CStr& path, uint32_t) : CDialog(parent, path, true)
{
    m_heroName = new CTextWnd(this, ChildPath(path, "RtHeroName"), true);
    m_heroSkills = new CTextWnd(this, ChildPath(path, "RtHeroSkills"), true);
    m_heroExp = new CTextWnd(this, ChildPath(path, "RtHeroExp"), true);
    m_difficulty = new CTextWnd(this, ChildPath(path, "RtDifficulty"), true);
    m_mission = new CTextWnd(this, ChildPath(path, "RtMission"), true);
    m_btnDescr = new CPushButton(this, ChildPath(path, "BtnFullDescr"));
    m_provinces = new CTextWnd(this, ChildPath(path, "RtProvinces"), true);
    m_players = new CTextWnd(this, ChildPath(path, "RtPlayers"), true);
    m_turn = new CTextWnd(this, ChildPath(path, "RtTurn"), true);
    m_btnClose = new CPushButton(this, ChildPath(path, "BtnClose"));
    m_btnClose->BindHandler(HandlerClick, this, &CGameInfoWnd::OnClose);
    m_btnDescr->BindHandler(HandlerClick, this, &CGameInfoWnd::OnFullDescr);
    Fill();
}

CGameInfoWnd::~CGameInfoWnd()
{
    PrepareDestroy();
}

void CGameInfoWnd::Fill()
{
    int scenario = 0, mission = 0;
    if (Map::CSrenarionMgr::FindMission(Game().missionPath, &scenario, &mission))
        FormatTextControl(m_mission, Map::CSrenarionMgr::MissionTitle(scenario, mission));
    const char* key = DifficultyKey(Game().difficulty, nullptr);
    FormatTextControl(m_difficulty, key ? LocaleText(key) : CStr());
    const CGameWorld* world = Game().world;
    FormatTextControl(m_provinces, world ? world->ProvinceCount() : 0);
    FormatTextControl(m_players, CountActivePlayers());
    if (const PlayerRecord* player = CurrentPlayer()) {
        FormatTextControl(m_heroName, player->name);
        FormatTextControl(m_heroSkills, player->hero.battle, player->hero.builder, player->hero.stealth);
        FormatTextControl(m_heroExp, player->hero.experience);
    }
    FormatTextControl(m_turn, Game().turn);
}

void CGameInfoWnd::OnClose(CWindow*, intptr_t)
{
    EndModal(this);
}

void CGameInfoWnd::OnFullDescr(CWindow*, intptr_t)
{
    int scenario = 0, mission = 0;
    Map::CSrenarionMgr::FindMission(Game().missionPath, &scenario, &mission);
    // Beside this window, not in it: it is taller than this window, which
    // would cut it short and leave the map's panels over its edges. This
    // window stays its parent's modal child, so the description runs with
    // the input held rather than as a second modal child.
    auto* text = new CPagedTextWnd(GetParent(), CStr("/Map/MapWnd/GameInfoWnd/MissionInfoWnd"));
    text->LoadText(Map::CSrenarionMgr::ShortDescrPath(scenario, mission).Chars());
    RunModalLoop(text, true);
    delete text;
}
