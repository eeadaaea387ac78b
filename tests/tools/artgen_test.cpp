// The art generator as the build runs it: the same sources give the same
// bytes, an unchanged file is left alone, and a broken source stops the
// build with its file and line.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/build_folder.h"
#include "tests/support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

fs::path BuildFolder()
{
    return TestBuildFolder();
}
fs::path DataFolder()
{
    return fs::path(THARN_TEST_SOURCE_DIR) / "data";
}

int RunArtgen(const fs::path& data, const fs::path& out, const fs::path& errors)
{
    std::string command = (BuildFolder() / "tools" / "artgen" / "artgen").string() + " '" + data.string() +
                          "' '" + out.string() + "' 2>'" + errors.string() + "'";
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Read(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(Artgen, SameSourcesSameBytesAndUnchangedFilesKept)
{
    TempFolder temp;
    fs::path a = fs::path(temp.path()) / "a", b = fs::path(temp.path()) / "b";
    ASSERT_EQ(RunArtgen(DataFolder(), a, fs::path(temp.path()) / "err.txt"), 0)
        << Read(fs::path(temp.path()) / "err.txt");
    ASSERT_EQ(RunArtgen(DataFolder(), b, fs::path(temp.path()) / "err.txt"), 0);
    int files = 0;
    for (const auto& e : fs::recursive_directory_iterator(a)) {
        if (!e.is_regular_file())
            continue;
        ++files;
        fs::path twin = b / fs::relative(e.path(), a);
        ASSERT_TRUE(fs::exists(twin)) << twin;
        EXPECT_EQ(Read(e.path()), Read(twin)) << e.path();
    }
    EXPECT_GE(files, 1000) << "the art of every screen";
    // Each screen's share lies in a folder of its own, a root of its pack.
    for (const char* screen : {"art", "gameicons", "mapview", "title", "castle", "mapscreen", "battledialogs",
                               "menus", "mapdialogs", "battlescreen"})
        EXPECT_TRUE(fs::is_directory(a / screen) && !fs::is_empty(a / screen)) << screen;
    // Neither a font from its source nor a drawn picture is rewritten when
    // its bytes stay the same, so the packs are not compiled again.
    const fs::path kept[] = {a / "art" / "Locale" / "Fonts" / "font.fnt",
                             a / "menus" / "Skin" / "awcheck" / "checked.img"};
    std::vector<fs::file_time_type> aged;
    for (const fs::path& file : kept) {
        fs::last_write_time(file, fs::last_write_time(file) - std::chrono::hours(1));
        aged.push_back(fs::last_write_time(file));
    }
    ASSERT_EQ(RunArtgen(DataFolder(), a, fs::path(temp.path()) / "err.txt"), 0);
    for (size_t i = 0; i < aged.size(); ++i)
        EXPECT_EQ(fs::last_write_time(kept[i]), aged[i]) << kept[i];
}

TEST(Artgen, BrokenSourceNamesItsFileAndLine)
{
    TempFolder temp;
    fs::path data = fs::path(temp.path()) / "data";
    fs::copy(DataFolder(), data, fs::copy_options::recursive);
    std::ofstream(data / "sounds" / "msg_bad.txt", std::ios::app) << "note saw 100 100 10\n";
    fs::path errors = fs::path(temp.path()) / "err.txt";
    EXPECT_NE(RunArtgen(data, fs::path(temp.path()) / "out", errors), 0);
    std::string message = Read(errors);
    EXPECT_NE(message.find("msg_bad.txt:"), std::string::npos) << message;
    EXPECT_NE(message.find("sine, square or triangle"), std::string::npos) << message;
}

}  // namespace
