// The real program with the built data, run headless with an input script:
// the title screen and its menu come up, the credits and the help open from
// the menu and close page by page back to the same menu, and holding the
// action key for a second quits. Screenshots are read back pixel by pixel.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/data_file.h"
#include "core/resource_mgr.h"
#include "game/running_game.h"
#include "game/saved_game.h"
#include "game/scenario_mgr.h"
#include "game/squad_type.h"
#include "tests/support/build_folder.h"

namespace fs = std::filesystem;

namespace {

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

uint32_t Be32(const std::string& s, size_t at) {
    return (static_cast<uint32_t>(static_cast<uint8_t>(s[at])) << 24) |
           (static_cast<uint32_t>(static_cast<uint8_t>(s[at + 1])) << 16) |
           (static_cast<uint32_t>(static_cast<uint8_t>(s[at + 2])) << 8) | static_cast<uint8_t>(s[at + 3]);
}

// The screenshots are RGB PNGs of stored (uncompressed) deflate blocks
// without row filters; this reads exactly that form.
struct Shot {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;
    bool Load(const fs::path& path) {
        const std::string file = ReadFile(path);
        if (file.size() < 33 || file.compare(1, 3, "PNG") != 0) return false;
        std::string idat;
        for (size_t at = 8; at + 8 <= file.size();) {
            const uint32_t length = Be32(file, at);
            const std::string type = file.substr(at + 4, 4);
            if (type == "IHDR") {
                width = static_cast<int>(Be32(file, at + 8));
                height = static_cast<int>(Be32(file, at + 12));
            } else if (type == "IDAT") {
                idat += file.substr(at + 8, length);
            }
            at += 12 + length;
        }
        std::string raw;
        for (size_t at = 2; at + 5 <= idat.size();) {
            const bool last = idat[at] & 1;
            const size_t len = static_cast<uint8_t>(idat[at + 1]) | (static_cast<uint8_t>(idat[at + 2]) << 8);
            raw += idat.substr(at + 5, len);
            at += 5 + len;
            if (last) break;
        }
        const size_t row = 1 + static_cast<size_t>(width) * 3;
        if (width <= 0 || raw.size() < row * static_cast<size_t>(height)) return false;
        for (int y = 0; y < height; ++y) rgb.insert(rgb.end(), raw.begin() + y * row + 1, raw.begin() + (y + 1) * row);
        return true;
    }
    const uint8_t* At(int x, int y) const { return &rgb[(static_cast<size_t>(y) * width + x) * 3]; }
    // The pixels of a rectangle, row by row.
    std::vector<uint8_t> Area(int x0, int y0, int x1, int y1) const {
        std::vector<uint8_t> out;
        for (int y = y0; y <= y1; ++y) out.insert(out.end(), At(x0, y), At(x1, y) + 3);
        return out;
    }
    // Pixels of a band that are gold: red and green high, blue clearly lower.
    int GoldPixels(int x0, int y0, int x1, int y1) const {
        int n = 0;
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) {
                const uint8_t* p = At(x, y);
                if (p[0] > 180 && p[1] > 150 && p[2] < p[1] - 40) ++n;
            }
        return n;
    }
};

class TitleScreenProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        program = fs::path(TestBuildFolder()) / "zkv_2003SE";
        ASSERT_TRUE(fs::exists(program)) << program;
        folder = fs::temp_directory_path() / ("tharn_title_" + std::to_string(::getpid()));
        fs::remove_all(folder);
        data = folder / "Data";
        fs::create_directories(data);
        for (const auto& entry : fs::directory_iterator(program.parent_path() / "Data"))
            if (entry.path().extension() == ".pak") fs::copy_file(entry.path(), data / entry.path().filename());
    }
    void TearDown() override {
        if (!getenv("THARN_KEEP_SHOTS")) fs::remove_all(folder);
    }
    int Run(const std::string& script) {
        std::ofstream(folder / "script.txt") << script;
        const std::string command = "cd '" + folder.string() +
                                    "' && env -u SDL_VIDEODRIVER THARNMOOR_VIDEO=headless THARNMOOR_DATA='" +
                                    data.string() + "' THARNMOOR_SHOTS='" + folder.string() +
                                    "' THARNMOOR_SCRIPT='" + (folder / "script.txt").string() + "' '" +
                                    program.string() + "' 2>'" + (folder / "stderr.txt").string() + "'";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    Shot Load(const char* name) {
        Shot shot;
        EXPECT_TRUE(shot.Load(folder / name)) << name;
        return shot;
    }

    fs::path program, folder, data;
};

// Menu entries on the title screen (physical screen points).
constexpr int kMenuX = 120;
constexpr int kNewGameY = 173, kResumeY = 189, kHelpY = 253, kCreditsY = 269;
// The menu's plaque on the wallpaper: nothing moves there.
constexpr int kPlaque[4] = {48, 160, 191, 300};

std::string Tap(int x, int y) {
    return "down " + std::to_string(x) + " " + std::to_string(y) + "\nup " + std::to_string(x) + " " +
           std::to_string(y) + "\nwait 200\n";
}

TEST_F(TitleScreenProgramTest, MenuOpensCreditsAndHelpAndComesBack) {
    std::string script = "wait 500\nshot title.png\n";
    script += Tap(kMenuX, kCreditsY) + "wait 300\nshot credits.png\n";
    for (int i = 0; i < 3; ++i) script += Tap(30, 30);  // three pages
    script += "wait 300\nshot back.png\n";
    script += Tap(kMenuX, kHelpY) + "wait 300\nshot help.png\n";
    for (int i = 0; i < 3; ++i) script += Tap(200, 300);
    script += "wait 300\nshot again.png\n";
    ASSERT_EQ(Run(script), 0) << ReadFile(folder / "stderr.txt");
    EXPECT_EQ(ReadFile(folder / "stderr.txt"), "") << "no message box";
    const std::string log = ReadFile(data / "zkvlog.sav");
    EXPECT_NE(log.find("QRAPP: Creating main menu..."), std::string::npos) << log;
    EXPECT_NE(log.find("MAIN: All main initialization complete."), std::string::npos);

    const Shot title = Load("title.png"), credits = Load("credits.png"), back = Load("back.png");
    const Shot help = Load("help.png"), again = Load("again.png");
    ASSERT_EQ(title.width, 240);
    ASSERT_EQ(title.height, 320);
    // The title: night sky above, the gold letters of the entries on the plaque.
    const uint8_t* sky = title.At(10, 40);
    EXPECT_GT(sky[2], sky[0]) << "a blue night sky";
    EXPECT_LT(sky[0] + sky[1] + sky[2], 120);
    EXPECT_GT(title.GoldPixels(60, kNewGameY - 6, 180, kNewGameY + 6), 30) << "\"New Game\" in gold";
    EXPECT_EQ(title.GoldPixels(60, kResumeY - 6, 180, kResumeY + 6), 0) << "no saved game: \"Resume Game\" is greyed";
    // The credits cover the title screen; after their last page the same
    // menu is back, pixel for pixel.
    const auto plaque = [&](const Shot& s) { return s.Area(kPlaque[0], kPlaque[1], kPlaque[2], kPlaque[3]); };
    EXPECT_NE(plaque(credits), plaque(title));
    EXPECT_EQ(plaque(back), plaque(title));
    EXPECT_NE(plaque(help), plaque(title));
    EXPECT_NE(plaque(help), plaque(credits)) << "the help text is not the credits";
    EXPECT_EQ(plaque(again), plaque(title));
    EXPECT_TRUE(fs::exists(data / "zkvprefs.sav")) << "the shutdown saved the preferences";
}

TEST_F(TitleScreenProgramTest, ExitEntryAndHeldActionKeyQuit) {
    struct Case {
        const char* what;
        std::string input;
    } cases[] = {
        {"the Exit entry", Tap(kMenuX, 285)},
        {"the action key held for a second", ""},
    };
    // Thirty presses in a row, one a frame step: 1.5 seconds of holding.
    for (int i = 0; i < 30; ++i) cases[1].input += "key action\n";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(folder / "late.png");
        ASSERT_EQ(Run("wait 300\n" + c.input + "wait 3000\nshot late.png\n"), 0);
        EXPECT_FALSE(fs::exists(folder / "late.png")) << "the program quit before the script ran out";
    }
    // Presses with pauses between them never add up to a held key.
    std::string tapping = "wait 300\n";
    for (int i = 0; i < 15; ++i) tapping += "key action\nwait 200\n";
    ASSERT_EQ(Run(tapping + "shot late.png\n"), 0);
    EXPECT_TRUE(fs::exists(folder / "late.png")) << "released keys do not quit";
}

}  // namespace

namespace {

TEST_F(TitleScreenProgramTest, ASavedGameEnablesResumeGame) {
    // A game of the first mission saved into slot 3, as the game saves it.
    ASSERT_TRUE(CResourceMgr::InitFromFolder((data.string() + "/").c_str()));
    SetDataFolder(CStr((data.string() + "/").c_str()));
    ASSERT_TRUE(Map::CSrenarionMgr::Init());
    LoadSquadTypes();
    SessionInit(0);
    ASSERT_TRUE(NewGameFromMission(Map::CSrenarionMgr::MissionPath(0, 0)));
    ASSERT_TRUE(SaveGame(SaveSlotFileName(3)));
    EndSession();
    FreeSquadTypes();
    Map::CSrenarionMgr::Clear();
    CResourceMgr::Shutdown();
    SetDataFolder(CStr());
    ASSERT_TRUE(fs::exists(data / "zkvsave03.sav"));

    ASSERT_EQ(Run("wait 500\nshot title.png\n"), 0);
    const Shot title = Load("title.png");
    EXPECT_GT(title.GoldPixels(60, kResumeY - 6, 180, kResumeY + 6), 30) << "\"Resume Game\" in gold";
}

}  // namespace
