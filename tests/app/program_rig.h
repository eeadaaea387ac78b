#pragma once
// Runs the real program headless over a copy of the built data with an input
// script, and reads its screenshots back pixel by pixel.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/app/shipped_screen_points.h"
#include "tests/support/build_folder.h"

namespace program_test {

namespace fs = std::filesystem;

inline std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

inline uint32_t Be32(const std::string& s, size_t at)
{
    return (static_cast<uint32_t>(static_cast<uint8_t>(s[at])) << 24) |
           (static_cast<uint32_t>(static_cast<uint8_t>(s[at + 1])) << 16) |
           (static_cast<uint32_t>(static_cast<uint8_t>(s[at + 2])) << 8) | static_cast<uint8_t>(s[at + 3]);
}

// The screenshots are RGB PNGs of stored (uncompressed) deflate blocks
// without row filters; this reads exactly that form.
struct Shot {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;
    bool Load(const fs::path& path)
    {
        const std::string file = ReadFile(path);
        if (file.size() < 33 || file.compare(1, 3, "PNG") != 0)
            return false;
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
            if (last)
                break;
        }
        const size_t row = 1 + static_cast<size_t>(width) * 3;
        if (width <= 0 || raw.size() < row * static_cast<size_t>(height))
            return false;
        for (int y = 0; y < height; ++y)
            rgb.insert(rgb.end(), raw.begin() + y * row + 1, raw.begin() + (y + 1) * row);
        return true;
    }
    const uint8_t* At(int x, int y) const { return &rgb[(static_cast<size_t>(y) * width + x) * 3]; }
    // The pixels of a rectangle, row by row.
    std::vector<uint8_t> Area(int x0, int y0, int x1, int y1) const
    {
        std::vector<uint8_t> out;
        for (int y = y0; y <= y1; ++y)
            out.insert(out.end(), At(x0, y), At(x1, y) + 3);
        return out;
    }
    // Pixels of a band that are gold: red and green high, blue clearly lower.
    int GoldPixels(int x0, int y0, int x1, int y1) const
    {
        int n = 0;
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) {
                const uint8_t* p = At(x, y);
                if (p[0] > 180 && p[1] > 150 && p[2] < p[1] - 40)
                    ++n;
            }
        return n;
    }
};

class ProgramRig : public ::testing::Test {
protected:
    void SetUp() override
    {
        program = fs::path(TestBuildFolder()) / "zkv_2003SE";
        ASSERT_TRUE(fs::exists(program)) << program;
        folder =
            fs::temp_directory_path() /
            ("tharn_prog_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
             "_" + std::to_string(::getpid()));
        fs::remove_all(folder);
        data = folder / "Data";
        fs::create_directories(data);
        for (const auto& entry : fs::directory_iterator(program.parent_path() / "Data"))
            if (entry.path().extension() == ".pak")
                fs::copy_file(entry.path(), data / entry.path().filename());
    }
    void TearDown() override
    {
        if (!getenv("THARN_KEEP_SHOTS"))
            fs::remove_all(folder);
    }
    int Run(const std::string& script)
    {
        std::ofstream(folder / "script.txt") << script;
        const std::string size = screen.empty() ? "" : "THARNMOOR_SCREEN=" + screen + " ";
        const std::string command = "cd '" + folder.string() + "' && env -u SDL_VIDEODRIVER " + size +
                                    "THARNMOOR_VIDEO=headless THARNMOOR_DATA='" + data.string() +
                                    "' THARNMOOR_SHOTS='" + folder.string() + "' THARNMOOR_SCRIPT='" +
                                    (folder / "script.txt").string() + "' '" + program.string() + "' 2>'" +
                                    (folder / "stderr.txt").string() + "'";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    Shot Load(const char* name)
    {
        Shot shot;
        EXPECT_TRUE(shot.Load(folder / name)) << name;
        return shot;
    }

    fs::path program, folder, data;
    // The device's screen, "480x640" for the VGA one; empty: the headless
    // backend's own 240 x 320.
    std::string screen;
};

using namespace shipped_points;

// A tap and the pause a person leaves before the next one.
inline std::string Tap(ScreenPoint at)
{
    return ScriptTap(at) + "wait 200\n";
}

// Thirty presses in a row, one a frame step: 1.5 seconds of holding.
inline std::string HoldActionKey()
{
    std::string keys;
    for (int i = 0; i < 30; ++i)
        keys += "key action\n";
    return keys;
}

// From the title screen to the map of a new game: the set-up's Start, then
// the lord's own window.
inline std::string StartNewGame()
{
    return Tap(kMenuNewGame) + "wait 500\n" + Tap(kNewGameStart) + "wait 1000\n" + Tap(kLordStart) +
           "wait 3000\n";
}

inline std::vector<uint8_t> Plaque(const Shot& s)
{
    return s.Area(kPlaque[0], kPlaque[1], kPlaque[2], kPlaque[3]);
}

}  // namespace program_test
