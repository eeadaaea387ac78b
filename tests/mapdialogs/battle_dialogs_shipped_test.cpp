// The battle dialogs on the shipped data: the program's own start-up (skins,
// screen layout, fonts, windows) over the built packs, then each dialog
// built from its layout in the shipped UI tree, with its texts and sounds
// found; and the trainer set-up played through the device's scripted input.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

#include "app/application.h"
#include "battle/battle_flow.h"
#include "battle/battle_trainer.h"
#include "core/core_main.h"
#include "core/device_mgr.h"
#include "core/display_surface.h"
#include "core/draw_context.h"
#include "core/font.h"
#include "core/image_data.h"
#include "core/sound_mgr.h"
#include "core/ui_mgr.h"
#include "game/player_record.h"
#include "game/province_record.h"
#include "game/squad_type.h"
#include "mapdialogs/battle_results_wnd.h"
#include "mapdialogs/item_list_wnd.h"
#include "mapdialogs/map_battle_question_wnd.h"
#include "mapdialogs/recruit_wnd.h"
#include "mapdialogs/split_squad_wnd.h"
#include "mapdialogs/trainer_setup_wnd.h"
#include "platform/headless/headless_backend.h"
#include "platform/input_script.h"
#include "platform/platform_settings.h"
#include "players/request_records.h"
#include "tests/support/build_folder.h"
#include "tests/support/script_tap.h"
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

CDrawContext* MakeContext()
{
    return new CDrawContext;
}

class ShippedBattleDialogs : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() / ("tharn_battle_dialogs_" + std::to_string(::getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder / "Data");
        for (const auto& entry : fs::directory_iterator(TestDataFolder()))
            if (entry.path().extension() == ".pak")
                fs::copy_file(entry.path(), folder / "Data" / entry.path().filename());
        HeadlessOptions options;
        options.settings.dataFolder = (folder / "Data").string() + "/";
        options.closeAfterSteps = 0;
        // The shots go where the program puts its own (THARNMOOR_SHOTS), else
        // with the data.
        shots = ReadPlatformSettingsFromEnvironment().shots;
        options.settings.shots = shots.empty() ? folder.string() : shots;
        platform = &UseHeadlessPlatform(options);
        SetDrawContextFactory(MakeContext);
        SetApplicationHooks({InitApplication, ShutdownApplication});
        QuitFlag = 0;
        ASSERT_TRUE(CoreStartup());
        LoadSquadTypes();
        ASSERT_GE(SquadTypeRegistry().size(), 4u);
    }
    void TearDown() override
    {
        FreeSquadTypes();
        CoreShutdown();
        SetApplicationHooks({});
        QuitFlag = 0;
        fs::remove_all(folder);
    }
    // Shows the window over the title screen and writes the screen as a PNG
    // into THARNMOOR_SHOTS, when that is set.
    void Look(CWindow* window, const std::string& name)
    {
        window->Show(true, true);
        for (int i = 0; i < 2; ++i)
            FrameStep();
        if (!shots.empty())
            platform->Screenshot("shipped_" + name + ".png");
    }
    // Every control lies inside its dialog, which lies on the screen.
    static void ExpectInside(const CWindow* dialog, std::initializer_list<const CWindow*> controls)
    {
        const PackedRect d = dialog->GetNode()->screenRect;
        EXPECT_GE(d.Left(), 0);
        EXPECT_GE(d.Top(), 0);
        EXPECT_LE(d.Right(), 239);
        EXPECT_LE(d.Bottom(), 319);
        int i = 0;
        for (const CWindow* control : controls) {
            const PackedRect r = control->GetNode()->screenRect;
            EXPECT_TRUE(r.IsDefined()) << "control " << i;
            EXPECT_GT(control->Width(), 0) << "control " << i;
            EXPECT_GE(r.Left(), d.Left()) << "control " << i;
            EXPECT_LE(r.Right(), d.Right()) << "control " << i;
            EXPECT_GE(r.Top(), d.Top()) << "control " << i;
            EXPECT_LE(r.Bottom(), d.Bottom()) << "control " << i;
            ++i;
        }
    }
    void Script(const std::string& text)
    {
        auto script = std::make_unique<InputScript>();
        ASSERT_TRUE(script->Parse(text)) << script->Error();
        platform->UseScript(std::move(script));
    }
    static std::string Tap(const CWindow* window)
    {
        const PackedRect r = window->GetNode()->screenRect;
        return ScriptTap({(r.Left() + r.Right()) / 2, (r.Top() + r.Bottom()) / 2});
    }

    fs::path folder;
    std::string shots;
    HeadlessBackend* platform = nullptr;
};

TEST_F(ShippedBattleDialogs, TheTrainerSetUpAndItsRecruitWindow)
{
    BattleParams params;
    MakeTrainerPlayers(&params);
    CSquad squad;
    squad.count = 10;
    for (int i = 0; i < 4; ++i) {
        squad.SetType(SquadTypeRegistry()[size_t(i)]);
        params.attacker->army.AddSquadCopy(squad);
        params.attacker->slotTypes.push_back(squad.type->typeId);
    }
    auto* wnd = new CTrainerSetupWnd(&params, nullptr, CStr(CTrainerSetupWnd::kLayoutPath));
    EXPECT_EQ(wnd->Text(), CStr("Battle trainer"));
    EXPECT_EQ(wnd->BattleType()->ValueLabel()->Text(), CStr("Siege"));
    EXPECT_EQ(wnd->DefenderType()->ValueLabel()->Text(), CStr("Computer"));
    ExpectInside(wnd, {wnd->BattleType()->Window(), wnd->Moat()->Window(), wnd->Catapults()->Window(),
                       wnd->AttackerType()->Window(), wnd->DefenderType()->Window(), wnd->OwnArmyButton(),
                       wnd->EnemyArmyButton(), wnd->StartButton(), wnd->CancelButton()});
    Look(wnd, "trainer");
    // The arrow on Start ends half a space or more before its caption, as a
    // picture and its word stand in a column.
    const ButtonExPlacement start = wnd->StartButton()->Placement();
    const ImageData& arrow = wnd->StartButton()->ExtraPicture();
    ASSERT_TRUE(start.drawPicture);
    EXPECT_GE(start.captionX - (start.pictureX + arrow.BlockX() + arrow.BlockWidth()),
              SelectFont(0).GetGlyph(' ').width / 2);
    auto* recruit = new CRecruitWnd(wnd, CStr(CTrainerSetupWnd::kRecruitPath));
    recruit->SetText(CUIMgr::Locale().Lookup("TrainerRecruit"), false);
    RecruitRequestArgs record;
    record.player = params.attacker;
    record.army = &params.attacker->army;
    record.counts = {10, 25, 0, 99};
    record.limits = {99, 99, 99, 99};
    recruit->Setup(&record);
    recruit->Select(1);
    EXPECT_EQ(recruit->Text(), CStr("Compose the army"));
    EXPECT_EQ(recruit->TypeLabel()->Text(), SquadTypeRegistry()[1]->name);
    ExpectInside(recruit, {recruit->SquadButton(0), recruit->SquadButton(3), recruit->TypeLabel(),
                           recruit->DescrButton(), recruit->Quantity()->Window(), recruit->OkButton(),
                           recruit->CancelButton()});
    Look(recruit, "recruit");
    delete recruit;
    delete wnd;
}

TEST_F(ShippedBattleDialogs, TheSplitWindowAndItsText)
{
    auto* wnd = new CSplitSquadWnd(nullptr, CStr(CSplitSquadWnd::kLayoutPath));
    wnd->size = 14;
    wnd->chosen = 5;
    Look(wnd, "split");
    EXPECT_EQ(wnd->SplitText()->Text(), CStr("Units staying in the squad: 10{br}Units in the new squad: 5"));
    ExpectInside(wnd, {wnd->OkButton(), wnd->CancelButton(), wnd->Slider()->Window(), wnd->SplitText()});
    delete wnd;
}

TEST_F(ShippedBattleDialogs, TheResultsAndTheQuestions)
{
    BattleResultArgs result;
    result.won = 1;
    result.experience = 40;
    CSquad squad;
    squad.SetType(SquadTypeRegistry()[0]);
    squad.count = 6;
    result.ownLosses.AddSquadCopy(squad);
    squad.SetType(SquadTypeRegistry()[2]);
    squad.count = 12;
    result.enemyLosses.AddSquadCopy(squad);
    result.enemyLosses.AddSquadCopy(squad);
    auto* results = new CBattleResultsWnd(nullptr, CStr("/Map/MapWnd/BattleResultsWnd"));
    results->Setup(&result);
    EXPECT_EQ(results->Text(), CStr("Victory!"));
    EXPECT_GT(results->Sound().Sample().length, 0u) << "the victory sound is in the packs";
    Look(results, "results");
    delete results;
    result.won = 0;
    results = new CBattleResultsWnd(nullptr, CStr("/Map/MapWnd/BattleResultsWnd"));
    results->Setup(&result);
    EXPECT_GT(results->Sound().Sample().length, 0u) << "the defeat sound is in the packs";
    delete results;

    for (const char* layout : {CMapBattleQuestionWnd::kAttackLayout, CMapBattleQuestionWnd::kDefendLayout}) {
        SCOPED_TRACE(layout);
        auto* question =
            new CMapBattleQuestionWnd(nullptr, CStr::ConcatCharsLeft("/Map/MapWnd/", CStr(layout)));
        question->Setup(CStr("Greywater"), CStr("Lord Aldric"), &result.ownLosses, &result.enemyLosses, true,
                        1);
        EXPECT_NE(question->ProvinceText()->Text().Find("Greywater"), -1);
        EXPECT_NE(question->PlayerText()->Text().Find("Lord Aldric"), -1);
        ExpectInside(question, {question->ProvinceText(), question->PlayerText(), question->InvadeList(),
                                question->GuardList(), question->QuickBox(), question->OkButton(),
                                question->CancelButton()});
        Look(question, layout);
        delete question;
    }
}

TEST_F(ShippedBattleDialogs, TheTrainerIsSetUpByTapsOnTheScreen)
{
    BattleParams params;
    // Where the buttons are: the same layout the routine's window reads.
    std::string script;
    {
        BattleParams scratch;
        CTrainerSetupWnd probe(&scratch, nullptr, CStr(CTrainerSetupWnd::kLayoutPath));
        probe.Show(true, false);
        CWindowMgr::ProcessEvents();
        script = "wait 100\n" + Tap(probe.BattleType()->FirstButton()) + "wait 100\n" +
                 Tap(probe.AttackerType()->LastButton()) + "wait 100\nshot shipped_trainer_taps.png\n" +
                 Tap(probe.StartButton());
    }
    Script(script);
    ASSERT_TRUE(RunBattleTrainerSetup(&params, nullptr));
    EXPECT_EQ(params.kind, kBattleOpenField);
    EXPECT_EQ(params.attackerSideKind, 1u);
    EXPECT_EQ(params.defenderSideKind, 1u);
    ASSERT_NE(params.attacker, nullptr);
    EXPECT_EQ(params.attacker->army.Count(), 4);
}

}  // namespace
