#include "tests/battlescreen/battle_window_rig.h"

#include <unistd.h>

#include "app/root_screen_wnd.h"
#include "battle/battle_hooks.h"
#include "battlescreen/batl_ani_cache_mgr.h"
#include "core/data_file.h"
#include "core/device_mgr.h"
#include "core/draw_context.h"
#include "core/font.h"
#include "core/path_mgr.h"
#include "core/raster.h"
#include "core/resource_mgr.h"
#include "core/ui_mgr.h"
#include "game/army.h"
#include "game/squad_type.h"
#include "platform/platform.h"
#include "tests/support/build_folder.h"
#include "ui/help_mgr.h"
#include "ui/hint_mgr.h"
#include "ui/skin_mgr.h"
#include "ui/ui_resolution.h"
#include "ui/window_mgr.h"

namespace battlescreen_test {

namespace {

// The palette list and the three fonts, as the application loads them.
bool LoadPalettesAndFonts()
{
    PaletteTable palettes;
    FontData fonts[3];
    PushResourceFolder();
    bool ok = CResourceMgr::SetCurrentFolder(CPathMgr::Path(CPathMgr::kPalettes).Chars()) &&
              CResourceMgr::LoadPaletteTable("pallist", palettes) &&
              CResourceMgr::SetCurrentFolder(CPathMgr::Path(CPathMgr::kLocaleFonts).Chars());
    const char* const names[] = {"font", "smallnum", "smallestnum"};
    for (int i = 0; ok && i < 3; ++i)
        ok = LoadFont(names[i], fonts[i]);
    PopResourceFolder();
    if (!ok)
        return false;
    SetPaletteList(PaletteList{palettes.data, palettes.count});
    ClearFontList();
    for (const FontData& font : fonts)
        RegisterFont(font);
    return true;
}

}  // namespace

void BattleWindowRig::LoadData()
{
    ASSERT_TRUE(CPathMgr::Init());
    ASSERT_TRUE(CResourceMgr::InitFromFolder(TestDataFolder().c_str()));
    ASSERT_TRUE(CUIMgr::Init());
    ASSERT_NE(CSkinMgr::Init(), 0u);
    ASSERT_TRUE(SelectUIResolution());
    ASSERT_TRUE(LoadPalettesAndFonts());
}

RootWindowFactory BattleWindowRig::RootWindow() const
{
    return &NewRootScreenWnd;
}

void BattleWindowRig::SetUp()
{
    ScreenRig::SetUp();
    ASSERT_FALSE(HasFatalFailure());
    CHintMgr::Init();
    CHelpMgr::Init();
    LoadSquadTypes();
    CBatlAniCacheMgr::Init();
    m_started = true;

    m_attacker.playerId = 0;
    m_attacker.flagNumber = 0;
    m_attacker.name = CStr("Aldric");
    m_defender.playerId = 1;
    m_defender.flagNumber = 1;
    m_defender.name = CStr("Berun");
    m_castle.Reset();
    m_params.noScreen = 0;
    m_params.attacker = &m_attacker;
    m_params.defender = &m_defender;
    m_params.attackerSideKind = 1;
    m_params.defenderSideKind = 1;
    m_params.obstacleLayout = 2;
}

void BattleWindowRig::TearDown()
{
    if (!m_started)
        return;
    CBatlAniCacheMgr::Shutdown();
    FreeSquadTypes();
    CHelpMgr::Shutdown();
    CHintMgr::Shutdown();
    CWindowMgr::Shutdown();
    SetFrameHook(nullptr);
    SetRootScreenWndFactory(nullptr);
    CSkinMgr::Shutdown();
    ClearFontList();
    CUIMgr::Shutdown();
    CResourceMgr::Shutdown();
    CPathMgr::Shutdown();
    ScreenRig::TearDown();
    ResetPaletteStack();
    SetPaletteLock(false);
}

const CSquadType* BattleWindowRig::Type(const char* typeId) const
{
    return FindSquadType(CStr(typeId));
}

void BattleWindowRig::AddUnits(PlayerRecord& player, const char* typeId, int32_t count)
{
    const CSquadType* type = Type(typeId);
    ASSERT_NE(type, nullptr) << typeId;
    CSquad squad;
    squad.SetType(type);
    squad.count = count;
    player.army.AddSquadCopy(squad);
}

void BattleWindowRig::Tap(int x, int y)
{
    PenDownSignal.FirePoint(PackedPoint(x, y));
    PenUpSignal.FirePoint(PackedPoint(x, y));
}

}  // namespace battlescreen_test
