// The operation windows over the built data, in the application started in
// this process: every window finds its layout, skins, pictures and texts,
// and a screenshot of each is written to build/shots/operation_windows for a look.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "app/application.h"
#include "core/core_main.h"
#include "core/display_surface.h"
#include "core/preferences.h"
#include "game/army.h"
#include "game/game_object.h"
#include "game/game_rules.h"
#include "game/player_record.h"
#include "game/province_record.h"
#include "game/report_list.h"
#include "game/squad_type.h"
#include "mapdialogs/item_list_wnd.h"
#include "mapdialogs/prefs_wnds.h"
#include "mapdialogs/random_event_wnd.h"
#include "mapdialogs/report_wnd.h"
#include "mapdialogs/skills_wnd.h"
#include "mapdialogs/squad_descr_wnd.h"
#include "mapdialogs/taxes_wnd.h"
#include "mapdialogs/trading_wnd.h"
#include "mapdialogs/transfer_wnd.h"
#include "mapdialogs/volunteers_wnd.h"
#include "platform/headless/headless_backend.h"
#include "tests/mapdialogs/test_squads.h"
#include "tests/support/build_folder.h"
#include "ui/button.h"
#include "ui/check_box.h"
#include "ui/label.h"
#include "ui/markup_wnd.h"
#include "ui/res_wnd.h"
#include "ui/scroll_bar.h"
#include "ui/value_scroller.h"
#include "ui/window_mgr.h"

namespace fs = std::filesystem;

namespace {

class ShippedWindowsTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_folder = fs::temp_directory_path() / ("tharn_operation_windows_" + std::to_string(::getpid()));
        fs::remove_all(m_folder);
        fs::create_directories(m_folder / "Data");
        for (const auto& entry : fs::directory_iterator(fs::path(TestBuildFolder()) / "Data"))
            if (entry.path().extension() == ".pak")
                fs::copy_file(entry.path(), m_folder / "Data" / entry.path().filename());
        m_shots = fs::path(TestBuildFolder()) / "shots" / "operation_windows";
        fs::create_directories(m_shots);
        HeadlessOptions options;
        options.closeAfterSteps = 0;
        options.settings.dataFolder = (m_folder / "Data").string() + "/";
        options.settings.shots = m_shots.string();
        m_headless = &UseHeadlessPlatform(options);
        SetDrawContextFactory(CreateDrawContext);
        SetApplicationHooks(ApplicationHooks{InitApplication, ShutdownApplication});
        ASSERT_TRUE(CoreStartup());
    }
    void TearDown() override
    {
        CoreShutdown();
        SetApplicationHooks(ApplicationHooks{});
        QuitFlag = 0;
        fs::remove_all(m_folder);
    }
    // Shows the window, lets the frame steps paint it and writes the shot.
    void Shoot(CWindow* window, const std::string& name)
    {
        ExpectLaidOut(window, name);
        window->Show(true, true);
        for (int i = 0; i < 4; ++i)
            FrameStep();
        EXPECT_TRUE(m_headless->Screenshot(name + ".png")) << name;
        EXPECT_TRUE(fs::exists(m_shots / (name + ".png"))) << name;
    }
    // Every control found its node: a control whose node is missing from
    // the layout has no rectangle.
    static void ExpectLaidOut(CWindow* window, const std::string& name, bool inner = false)
    {
        int controls = 0;
        for (CWindow* child = window->GetFirstChild(); child != nullptr; child = child->GetNextSibling()) {
            ++controls;
            EXPECT_TRUE(child->RequestedRect().IsDefined())
                << name << ": control " << controls << " from the top";
            if (child->QueryInterface(IidFrameWnd) != nullptr)
                ExpectLaidOut(child, name + " (inner frame)", true);
        }
        EXPECT_TRUE(inner || controls > 0) << name;
    }
    // A window of the map dialogs: centred across, and down the screen
    // centred or, when too tall to leave the map's top bar whole, starting
    // just below the bar's help button.
    static void ExpectPlaced(const CWindow* window)
    {
        const PackedRect& r = window->WindowRect();
        ASSERT_TRUE(r.IsDefined());
        EXPECT_NEAR(r.Left() + r.Right(), 239, 1);
        EXPECT_GE(r.Top(), 0);
        EXPECT_LE(r.Bottom(), 319);
        const bool centred = std::abs(r.Top() + r.Bottom() - 319) <= 1;
        EXPECT_TRUE(centred || r.Top() == 16) << r.Top() << ".." << r.Bottom();
    }
    static CArmy Army(std::initializer_list<std::pair<const char*, int32_t>> squads)
    {
        CArmy army;
        for (const auto& [id, count] : squads) {
            CSquad squad;
            squad.SetType(FindSquadType(CStr(id)));
            squad.count = count;
            army.AddSquadCopy(squad);
        }
        return army;
    }

    fs::path m_folder, m_shots;
    HeadlessBackend* m_headless = nullptr;
};

TEST_F(ShippedWindowsTest, TaxesTradingAndSkills)
{
    CWindow* root = CWindowMgr::Root();
    {
        TaxesRequest record;
        record.taxLevel = 1;
        record.incomeBase = 250;
        CTaxesWnd wnd(root, CStr("/Map/MapWnd/TaxesWnd"), true);
        wnd.Setup(&record);
        ExpectPlaced(&wnd);
        EXPECT_EQ(wnd.Text(), CStr("Taxes"));
        EXPECT_STREQ(wnd.TotalIncomeText()->Text().Chars(), "175 gold");
        EXPECT_STREQ(wnd.TaxRateScroller()->ValueLabel()->Text().Chars(), "70%");
        EXPECT_TRUE(wnd.OkButton()->Picture().Image().HasHeader());
        Shoot(&wnd, "taxes");
    }
    {
        TradingRequest record;
        record.treasury.SetByChars("gold", 120);
        record.treasury.SetByChars("metl", 14);
        record.treasury.SetByChars("ston", 3);
        record.rates = MarketRates(nullptr, record.treasury.Count());
        CTradingWnd wnd(root, CStr("/Map/MapWnd/TradingWnd"), true);
        wnd.Setup(&record);
        ExpectPlaced(&wnd);
        EXPECT_STREQ(wnd.LeftButton(0)->Caption2().Text().Chars(), "Gold");
        EXPECT_TRUE(wnd.LeftButton(1)->ExtraPicture().HasHeader()) << "the metal icon";
        EXPECT_TRUE(wnd.AcceptButton()->Picture().Image().HasHeader());
        wnd.Slider()->SetPos(10, true, true);
        EXPECT_EQ(wnd.Shown().GetByChars("metl"), 24);
        Shoot(&wnd, "trading");
    }
    {
        HeroRecord hero;
        hero.battle = 3;
        hero.builder = 2;
        hero.stealth = 4;
        hero.experience = 2100;
        SkillsRequest record;
        record.name = CStr("Edrin of the Marsh");
        record.skills[0] = 3;
        record.skills[1] = 2;
        record.skills[2] = 4;
        record.level = 4;
        record.experience = 2100;
        record.nextLevelAt = NextLevelThreshold(&hero);
        record.pendingLevelUps = 2;
        CSkillsWnd wnd(root, CStr("/Map/MapWnd/SkillsWnd"), true);
        wnd.Setup(&record);
        ExpectPlaced(&wnd);
        EXPECT_STREQ(wnd.PointsText()->Text().Chars(), "Points left: 2");
        Shoot(&wnd, "skills");
    }
}

TEST_F(ShippedWindowsTest, TransferOfAFarGarrison)
{
    ASSERT_NE(FindSquadType(CStr("Spearman")), nullptr);
    ASSERT_NE(FindSquadType(CStr("Archer")), nullptr);
    SmallWorld game(1, 10);
    game.Line().OwnAll(0).Capital(0, 0).Human(0).SlotTypes("Spearman", "Archer").FinishForScreens();
    game.SetArmy(0, 12, 5);
    game.SetGarrison(9, 2, 0);
    game.Player(0).armyLocation = 9;
    ProvinceRecord& far = game.Province(9);
    TransferRequest record;
    record.army = &game.Player(0).army;
    record.garrison = &far.garrison;
    record.province = &far;
    record.deltas.assign(2, 0);
    CTransferWnd wnd(CWindowMgr::Root(), CStr("/Map/MapWnd/TransferWnd"), true);
    wnd.Setup(&record);
    ExpectPlaced(&wnd);
    EXPECT_EQ(wnd.RowCount(), 2);
    EXPECT_TRUE(wnd.LeftButton(0)->ExtraPicture().HasHeader()) << "the spearmen's icon";
    EXPECT_TRUE(wnd.Bar(0)->Thumb()->IsVisible());
    wnd.Bar(0)->SetPos(0, true, true);  // the garrison joins the army
    EXPECT_TRUE(wnd.RevoltImage()->IsVisible());
    EXPECT_TRUE(wnd.RevoltImage()->Picture().Image().HasHeader());
    Shoot(&wnd, "transfer");
}

TEST_F(ShippedWindowsTest, DescriptionOfEveryShippedSquadType)
{
    const std::vector<CSquadType*>& types = SquadTypeRegistry();
    ASSERT_FALSE(types.empty());
    for (const CSquadType* type : types) {
        SCOPED_TRACE(type->typeId.Chars());
        CSquadDescrWnd wnd(CWindowMgr::Root(), CStr(kSquadDescrLayout));
        wnd.Setup(type);
        ExpectPlaced(&wnd);
        EXPECT_EQ(wnd.Text(), type->name);
        EXPECT_TRUE(wnd.UnitImage()->Picture().Image().HasHeader()) << "a portrait";
        EXPECT_TRUE(wnd.BackgroundImage()->Picture().Image().HasHeader());
        EXPECT_FALSE(wnd.ExtrasText()->Text().IsEmpty());
        if (type == types.front())
            Shoot(&wnd, "squad_descr");
        if (type->typeId == CStr("Knight"))
            Shoot(&wnd, "squad_descr_knight");
    }
    const CSquadType* archer = FindSquadType(CStr("Archer"));
    ASSERT_NE(archer, nullptr);
    CSquadDescrWnd wnd(CWindowMgr::Root(), CStr(kSquadDescrLayout));
    wnd.Setup(archer);
    EXPECT_STREQ(wnd.RangedValue()->Text().Chars(), "4");
    Shoot(&wnd, "squad_descr_archer");
}

TEST_F(ShippedWindowsTest, VolunteersEventsAndReport)
{
    CWindow* root = CWindowMgr::Root();
    {
        VolunteersRequest record;
        record.provinceName = CStr("Fenwick");
        record.price.SetByChars("gold", 60);
        record.price.SetByChars("metl", 4);
        record.squad = Army({{"Archer", 8}});
        CVolunteersWnd wnd(root, CStr("/Map/MapWnd/VolunteersWnd"), true);
        wnd.Setup(&record);
        ExpectPlaced(&wnd);
        EXPECT_EQ(wnd.ArmyList()->QueryInterface(IidItemListWnd), wnd.ArmyList());
        EXPECT_TRUE(wnd.YesButton()->Picture().Image().HasHeader());
        Shoot(&wnd, "volunteers");
    }
    for (const uint32_t event : {1u, 2u, 4u}) {
        RandomEventRequest record;
        record.playerName = CStr("Aldreth");
        record.provinceName = CStr("Greymere");
        record.kind = event;
        if (event == 2)
            record.units = Army({{"Spearman", 6}});
        if (event == 4)
            record.amounts.SetByChars("gold", 35);
        CRandomEventWnd wnd(root, CStr("/Map/MapWnd/RandomEventWnd"), true);
        wnd.Setup(&record);
        EXPECT_EQ(wnd.PlayerLabel()->Text(), CStr("Player: Aldreth"));
        EXPECT_NE(wnd.EventSound(), nullptr);
        EXPECT_TRUE(wnd.EventSound()->Sample().HasSamples()) << "the event's sound loaded";
        Shoot(&wnd, "random_event" + std::to_string(event));
    }
    {
        CReportList list;
        list.AddCopy(1, CStr("Taxes"), CStr("The provinces paid 84 gold."));
        list.AddCopy(2, CStr("Recruitment"), CStr("Spearmen joined the army of Greymere."));
        list.AddCopy(3, CStr("Victory at Fenwick"), CStr());
        for (int i = 0; i < 8; ++i)
            list.AddCopy(4, CStr("Scouts report"), CStr("The enemy gathers in the hills."));
        CReportWnd wnd(root, CStr("/Map/MapWnd/ReportWnd"), true);
        wnd.BuildPages(list);
        ExpectPlaced(&wnd);
        EXPECT_EQ(wnd.FrameFolder(), CStr("ReportFrame"));
        EXPECT_GE(wnd.Messages()->PageCount(), 2);
        EXPECT_TRUE(wnd.PageScroller()->Window()->IsVisible());
        Shoot(&wnd, "report");
    }
}

TEST_F(ShippedWindowsTest, PreferenceWindows)
{
    CWindow* root = CWindowMgr::Root();
    {
        CGamePrefsWnd wnd(root, CStr(kGamePrefsLayout));
        ASSERT_GT(wnd.VolumeSlider()->Max(), 0) << "the layout gives the slider a maximum";
        EXPECT_GE(wnd.OrientationCount(), 1);
        EXPECT_TRUE(wnd.CheckSound() != nullptr && wnd.CheckSound()->Sample().HasSamples());
        Shoot(&wnd, "game_prefs");
        ExpectPlaced(&wnd);
        EXPECT_EQ(wnd.SoundsBox()->IsDrawnDown(), PrefSoundOn != 0);
        EXPECT_EQ(wnd.BrightnessScroller()->Value(), PrefBrightness);
    }
    {
        CBattlePrefsWnd wnd(root, CStr(kBattlePrefsLayout));
        Shoot(&wnd, "battle_prefs");
        ExpectPlaced(&wnd);
        EXPECT_FALSE(wnd.GridBox()->Text().IsEmpty());
        EXPECT_TRUE(wnd.GridBox()->CheckedImage().HasHeader());
    }
}

}  // namespace
