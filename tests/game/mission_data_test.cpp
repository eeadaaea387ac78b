// Every mission our data ships loads into a sound world through the game's
// own readers, and the data around it (squad types, hall of fame) loads too.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/byte_stream.h"
#include "core/image_data.h"
#include "core/resource_mgr.h"
#include "core/ui_mgr.h"
#include "game/game_world.h"
#include "game/hall_of_fame.h"
#include "game/pack_access.h"
#include "game/report_list.h"
#include "game/saved_game.h"
#include "game/squad_type.h"
#include "tests/support/build_folder.h"

namespace {
std::string DataFolderOfTheBuild()
{
    return TestDataFolder();
}

class ShippedData : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CResourceMgr::InitFromFolder(DataFolderOfTheBuild().c_str()));
        LoadSquadTypes();
    }
    void TearDown() override
    {
        FreeSquadTypes();
        FreeHallOfFame();
        SetActiveWorld(nullptr);
        CResourceMgr::Shutdown();
    }
};

TEST_F(ShippedData, SquadTypesAndHallOfFameConfiguration)
{
    EXPECT_GE(SquadTypeRegistry().size(), 10u);
    for (const CSquadType* type : SquadTypeRegistry()) {
        EXPECT_NE(CStr("Unknown squad"), type->name) << type->typeId.Chars();
        EXPECT_FALSE(type->cost.IsZero()) << type->typeId.Chars();
    }
    const CSquadType* spear = FindSquadType(CStr("spearman"));
    ASSERT_NE(spear, nullptr);
    EXPECT_GT(spear->MeleeBonusAgainst(FindSquadType(CStr("Horseman"))), 0);
    EXPECT_TRUE(LoadGameConfig());
    EXPECT_EQ(HallOfFameConfig().placesPerMission, 5);
    EXPECT_EQ(HallOfFameConfig().blocks[3].base, 42000);
}

TEST_F(ShippedData, TheIconsTheReportsNameArePictures)
{
    std::vector<CStr> paths = {CStr("/Images/Icons/golds"), CStr("/Images/Icons/metls"),
                               CStr("/Images/Icons/stons")};
    for (const CSquadType* type : SquadTypeRegistry())
        paths.push_back(CStr("/Objects/Units/") + type->typeId + "/icon_l");
    for (const CStr& path : paths) {
        const uint8_t* data = nullptr;
        uint32_t size = 0;
        ASSERT_TRUE(LoadPackData(path, "img", data, size)) << path.Chars();
        ImageData image;
        EXPECT_TRUE(image.Assign(data, size)) << path.Chars();
    }
}

TEST_F(ShippedData, ReportTitlesTakeTheirValuesFromTheShippedTexts)
{
    TextLines text;
    ASSERT_TRUE(CResourceMgr::LoadTextLines("/Locale/locale", pack_format::kTextType, text));
    CUIMgr::Locale().Build(std::move(text.lines));
    CReportList list;
    list.AddRobberyReport(RobberyRecord{CStr("Borun"), 120});
    list.AddTheftReport(RobberyRecord{CStr("Borun"), 35});
    CStr title;
    ReportTitle(kReportTaxes, title);
    CUIMgr::Shutdown();
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(CStr("Your thieves took 120 gold from Borun."), list.Entry(0).title);
    EXPECT_EQ(CStr("Thieves stole 35 gold."), list.Entry(1).title);
    EXPECT_NE(CStr("RepTaxes"), title);
}

TEST_F(ShippedData, EveryMissionLoads)
{
    std::vector<CStr> scenarios;
    ASSERT_TRUE(ListPackFolders(CStr("/Scenarios/"), scenarios));
    int missions = 0;
    int largestProvinces = 0;
    int largestPlayers = 0;
    for (const CStr& scenario : scenarios) {
        std::vector<CStr> folders;
        ListPackFolders(CStr("/Scenarios/") + scenario, folders);
        for (const CStr& folder : folders) {
            const CStr path = CStr("/Scenarios/") + scenario + "/" + folder;
            SCOPED_TRACE(path.Chars());
            const uint8_t* data = nullptr;
            uint32_t size = 0;
            ASSERT_TRUE(LoadPackData(path + "/mission", "dat", data, size));
            CGameWorld world;
            SetActiveWorld(&world);
            CStreamReader reader(data, size);
            ASSERT_TRUE(LoadWorldFromStream(reader, world));
            EXPECT_EQ(reader.Position(), size);
            ASSERT_TRUE(LoadMissionTexts(world, path));
            EXPECT_FALSE(world.name.IsEmpty());
            for (int i = 0; i < world.ProvinceCount(); ++i)
                EXPECT_FALSE(world.Province(i).name.IsEmpty());
            for (int i = 0; i < world.PlayerCount(); ++i) {
                const PlayerRecord& p = world.Player(i);
                EXPECT_EQ(world.Province(p.capital).owner, &p);
                for (int j = 0; j < p.army.Count(); ++j)
                    EXPECT_NE(p.army.Item(j)->type, nullptr);
            }
            EXPECT_NE(ComputeMissionChecksum(path), 0u);
            CGameWorld preview;
            EXPECT_TRUE(preview.LoadPreview(path + "/mission"));
            EXPECT_EQ(preview.ProvinceCount(), world.ProvinceCount());
            SetActiveWorld(&world);

            const uint8_t* map = nullptr;
            uint32_t mapSize = 0;
            ASSERT_TRUE(LoadPackData(path + "/map", "dat", map, mapSize));
            MapBlockList blocks;
            CStreamReader mapReader(map, mapSize);
            world.StreamBlockList(blocks, mapReader);
            EXPECT_FALSE(mapReader.HasError());
            EXPECT_EQ(mapReader.Position(), mapSize);

            ++missions;
            largestProvinces = std::max(largestProvinces, world.ProvinceCount());
            largestPlayers = std::max(largestPlayers, world.PlayerCount());
        }
    }
    EXPECT_GE(missions, 3);
    EXPECT_GE(largestProvinces, 40);
    EXPECT_EQ(largestPlayers, 6);
}
}  // namespace
