// The castle and covert windows built from the shipped data: every control
// the windows name stands in the layout, the texts the windows choose from
// are there in the numbers they need, and the windows look right.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "core/core_main.h"
#include "core/display_surface.h"
#include "core/draw_context.h"
#include "core/font.h"
#include "core/path_mgr.h"
#include "core/raster.h"
#include "core/resource_mgr.h"
#include "core/ui_mgr.h"
#include "game/game_world.h"
#include "game/player_record.h"
#include "game/province_record.h"
#include "game/running_game.h"
#include "mapdialogs/castle_info_wnd.h"
#include "mapdialogs/castle_wnd.h"
#include "mapdialogs/castle_work_wnd.h"
#include "mapdialogs/decease_wnd.h"
#include "mapdialogs/ner_wnd.h"
#include "mapdialogs/prep_treb_wnd.h"
#include "mapdialogs/robbery_wnd.h"
#include "mapdialogs/scout_wnd.h"
#include "platform/headless/headless_backend.h"
#include "players/request_records.h"
#include "tests/support/build_folder.h"
#include "tests/support/fixture_packs.h"
#include "tests/support/screen/screen_rig.h"
#include "ui/button.h"
#include "ui/markup_wnd.h"
#include "ui/skin.h"
#include "ui/ui_resolution.h"
#include "ui/value_scroller.h"
#include "ui/window_mgr.h"

namespace {

// The castle windows on the built data set, over a plain root.
class CastleLayoutTest : public screen_rig::ScreenRig {
protected:
    void LoadData() override
    {
        ASSERT_TRUE(CPathMgr::Init());
        ASSERT_TRUE(CResourceMgr::InitFromFolder(TestDataFolder().c_str()));
        ASSERT_TRUE(CUIMgr::Init());
        m_mounted = true;
        ASSERT_TRUE(SelectUIResolution());
        FontData font;
        {
            ResourceFolderScope folder;
            CResourceMgr::SetCurrentFolder(CPathMgr::Path(CPathMgr::kLocaleFonts).Chars());
            ASSERT_TRUE(LoadFont("font", font));
        }
        ClearFontList();
        RegisterFont(font);
        RawResource palette;
        const CStr base = CStr::ConcatChars(CPathMgr::Path(CPathMgr::kPalettes), "base");
        if (CResourceMgr::LoadPalette(base.Chars(), palette) && palette.size >= 768)
            SetDisplayPalette(palette.data);
    }
    RootWindowFactory RootWindow() const override { return &screen_rig::MakePlainRoot; }
    void SetUp() override
    {
        ScreenRig::SetUp();
        ASSERT_FALSE(HasFatalFailure());
        CWindowMgr::Root()->SetRect(PackedRect(0, 0, 239, 319), false);
        SessionInit(0);
        Game().world->kinds = {FourCC("gold"), FourCC("metl"), FourCC("ston")};
        Game().world->SetPlayerCount(2);
        Game().world->SetProvinceCount(2);
    }
    void TearDown() override
    {
        EndSession();
        ScreenRig::TearDown();
        CResourceMgr::Shutdown();
    }
    void ShowAndShoot(CWindow* window, const std::string& name)
    {
        window->Show(true, true);
        EXPECT_TRUE(Shot(name));
        window->Show(false, false);
    }
    static CResourceBundle Gold(int32_t g, int32_t m = 0, int32_t s = 0)
    {
        CResourceBundle b;
        b.SetByChars("gold", g);
        b.SetByChars("metl", m);
        b.SetByChars("ston", s);
        return b;
    }

    FixtureData m_log;  // keeps the mount's log out of the build's data folder
};

int32_t StringsOf(CWindow* w)
{
    auto* text = w != nullptr ? static_cast<CTextWnd*>(w->QueryInterface(IidTextWnd)) : nullptr;
    return text != nullptr ? text->StringCount() : -1;
}

TEST_F(CastleLayoutTest, TheCastleWorkWindowsFindAllTheirControls)
{
    for (int m = 0; m < MemberCount; ++m) {
        const CastleWorkLayout& layout = CastleWorkLayoutOf(static_cast<CastleWorkMember>(m));
        SCOPED_TRACE(layout.layoutName);
        CCastleWorkWnd wnd(nullptr, CStr::ConcatChars(CStr("/Map/MapWnd/"), layout.layoutName),
                           static_cast<CastleWorkMember>(m));
        for (int i = 0; layout.controls[i] != nullptr; ++i) {
            EXPECT_NE(wnd.Control(layout.controls[i]), nullptr) << layout.controls[i];
        }
        // The refusal needs one string per building in the building window.
        if (m != MemberDemolishCastle) {
            EXPECT_EQ(StringsOf(wnd.Control("RtResLeft")), m == MemberAddBuilding ? 7 : 2);
        }
        if (m == MemberAddBuilding) {
            EXPECT_EQ(StringsOf(wnd.Control("RtDescr")), 6);
        }
        EXPECT_FALSE(wnd.Text().IsEmpty());
    }
}

TEST_F(CastleLayoutTest, TheOtherWindowsFindTheirControls)
{
    CCastleInfoWnd info(nullptr, CStr("/Map/MapWnd/CastleInfoWnd"));
    EXPECT_EQ(info.State()->StringCount(), 6);
    for (CWindow* w :
         {static_cast<CWindow*>(info.CompleteButton()), static_cast<CWindow*>(info.FastRepairButton()),
          static_cast<CWindow*>(info.DemolishButton()), static_cast<CWindow*>(info.MoatButton()),
          static_cast<CWindow*>(info.CatapultButton()), static_cast<CWindow*>(info.FortWallsButton()),
          static_cast<CWindow*>(info.ExitButton()), static_cast<CWindow*>(info.Upgrades())}) {
        EXPECT_NE(w, nullptr);
    }
    for (int i = 0; i < CCastleInfoWnd::kBuildingButtons; ++i) {
        ASSERT_NE(info.BuildingButton(i), nullptr);
        // Every work button explains itself.
        EXPECT_FALSE(info.BuildingButton(i)->HintText().IsEmpty()) << i;
    }
    CNERWnd ner(nullptr, CStr("/Map/MapWnd/NERWnd"));
    EXPECT_EQ(ner.Message()->StringCount(), 3);
    EXPECT_NE(ner.CloseButton(), nullptr);
    CPrepTrebWnd treb(nullptr, CStr("/Map/MapWnd/PrepTrebWnd"));
    EXPECT_EQ(treb.ResourcesLeftText()->StringCount(), 2);
    EXPECT_NE(treb.OkButton(), nullptr);
    CDeceaseWnd decease(nullptr, CStr("/Map/MapWnd/DeceaseWnd"));
    EXPECT_NE(decease.Raiders(), nullptr);
    EXPECT_NE(decease.Treasury(), nullptr);
    CRobberyWnd robbery(nullptr, CStr("/Map/MapWnd/RobberyWnd"));
    EXPECT_NE(robbery.Raiders(), nullptr);
    CScoutWnd scout(nullptr, CStr("/Map/MapWnd/ScoutWnd"));
    EXPECT_NE(scout.Cost(), nullptr);
    CScoutSuccessWnd seen(nullptr, CStr("/Map/MapWnd/ScoutSuccessWnd"));
    EXPECT_NE(seen.CastleControl(), nullptr);
    EXPECT_NE(seen.Child("GuardianArmy"), nullptr);
    CDeceaseSuccessWnd killed(nullptr, CStr("/Map/MapWnd/DeceaseSuccessWnd"));
    EXPECT_NE(killed.Child("EnemyArmy"), nullptr);
}

TEST_F(CastleLayoutTest, ShotsOfTheShippedWindows)
{
    PlayerRecord& player = Game().world->Player(0);
    player.hero.builder = 2;
    player.treasury = Gold(600, 40, 90);
    Game().world->currentPlayer = 0;
    ProvinceRecord& p = Game().world->Province(0);
    p.owner = &player;
    p.castleFlag = 1;
    p.castle.percent = 100;
    p.castle.work = kWorkNone;
    p.castle.buildings = 0x11;
    p.castle.catapults = 1;
    player.capital = 1;
    CastleInfoRequestArgs infoRequest;
    infoRequest.province = &p;
    infoRequest.offer = OfferCastleWorks(&p, infoRequest.index, CurrentPlayer());
    CCastleInfoWnd info(nullptr, CStr("/Map/MapWnd/CastleInfoWnd"));
    info.Setup(&infoRequest);
    ShowAndShoot(&info, "castle_info.png");

    CastleWorkRequestArgs work;
    work.affordable = 1;
    work.turns = 2;
    work.building = 0x02;
    work.price = Gold(300, 0, 50);
    work.remaining = Gold(300, 40, 40);
    CAddBuildingWnd building(nullptr, CStr("/Map/MapWnd/AddBuildingWnd"));
    building.Setup(&work);
    ShowAndShoot(&building, "castle_add_building.png");

    DeceaseRequestArgs decease;
    decease.provinceName = "Ashford";
    decease.ownerName = "Morwen";
    decease.treasury = player.treasury;
    decease.chance = Rules().DeceaseChance(&player.hero, &Game().world->Player(1).hero, nullptr);
    decease.maxRaiders = Rules().DeceaseRaidersOffered(player.treasury);
    decease.raiderCost = Rules().deceaseCost;
    CDeceaseWnd question(nullptr, CStr("/Map/MapWnd/DeceaseWnd"));
    question.Setup(&decease);
    ShowAndShoot(&question, "castle_decease.png");

    ScoutResultArgs scouted;
    scouted.provinceName = "Ashford";
    scouted.castle = &p.castle;
    CScoutSuccessWnd seen(nullptr, CStr("/Map/MapWnd/ScoutSuccessWnd"));
    seen.Setup(&scouted);
    ShowAndShoot(&seen, "castle_scout_success.png");
}

}  // namespace
