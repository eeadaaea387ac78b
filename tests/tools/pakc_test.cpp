// The pakc program as the build runs it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <sys/wait.h>

#include "tests/support/build_folder.h"
#include "tests/support/temp_folder.h"

namespace fs = std::filesystem;

namespace {

std::string Pakc()
{
    return (fs::path(TestBuildFolder()) / "tools" / "pakc" / "pakc").string();
}

int RunPakc(const std::string& arguments)
{
    int status = std::system((Pakc() + " " + arguments + " 2>/dev/null").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(PakcTest, SameSourcesGiveTheSameBytesAndADepfile)
{
    TempFolder folder;
    fs::create_directories(folder.File("src/Locale"));
    ASSERT_TRUE(folder.Write("types.map", "txt txt text\n"));
    ASSERT_TRUE(folder.Write("src/Locale/locale.txt", "A=1\nB=2\n"));
    ASSERT_TRUE(folder.Write("src/Locale/extra.txt", "x\n"));
    const std::string common = "--order 77 --types " + folder.File("types.map") + " " + folder.File("src");
    ASSERT_EQ(
        RunPakc("--out " + folder.File("one.pak") + " --depfile " + folder.File("one.d") + " " + common), 0);
    ASSERT_EQ(RunPakc("--out " + folder.File("two.pak") + " " + common), 0);
    std::string one = folder.Read("one.pak");
    EXPECT_EQ(one, folder.Read("two.pak"));
    EXPECT_NE(one.find("A=1\r\nB=2\r\n"), std::string::npos);
    EXPECT_FALSE(folder.Exists("one.pak.tmp"));
    std::string deps = folder.Read("one.d");
    EXPECT_EQ(deps.rfind(folder.File("one.pak") + ":", 0), 0u) << deps;
    EXPECT_NE(deps.find(folder.File("src/Locale/extra.txt")), std::string::npos) << deps;
    EXPECT_NE(deps.find(folder.File("src/Locale") + " "), std::string::npos) << deps;
}

TEST(PakcTest, BadArgumentsAndSourcesFail)
{
    TempFolder folder;
    fs::create_directories(folder.File("src"));
    ASSERT_TRUE(folder.Write("types.map", "txt txt text\n"));
    ASSERT_TRUE(folder.Write("src/a.png", "p"));
    const std::string types = " --types " + folder.File("types.map");
    const std::string out = " --out " + folder.File("x.pak");
    EXPECT_EQ(RunPakc(out + types + " --order -1 " + folder.File("src")), 2);
    EXPECT_EQ(RunPakc(out + types + " --order 4294967296 " + folder.File("src")), 2);
    EXPECT_EQ(RunPakc(out + types + " " + folder.File("src")), 2);            // no order key
    EXPECT_EQ(RunPakc(out + types + " --order 1 " + folder.File("src")), 1);  // unmapped extension
    EXPECT_FALSE(folder.Exists("x.pak"));
}

}  // namespace
