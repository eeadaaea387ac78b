// The built data set: what the game relies on in our own packs.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <set>
#include <string>

#include "core/locale_table.h"
#include "core/resource_mgr.h"
#include "tests/support/build_folder.h"
#include "tests/support/fixture_packs.h"

namespace fs = std::filesystem;

namespace {

std::string BuiltDataFolder()
{
    return TestDataFolder();
}

TEST(DataSet, PacksMountAndTheLocaleHasKeyValueLinesWithUniqueKeys)
{
    FixtureData log;  // keeps the mount's log out of the build's data folder
    ASSERT_TRUE(CResourceMgr::InitFromFolder(BuiltDataFolder().c_str()));
    // Every built pack passes the mount's checks (a damaged one would be skipped).
    size_t built = 0;
    for (const auto& entry : fs::directory_iterator(BuiltDataFolder())) {
        built += entry.path().extension() == ".pak" ? 1 : 0;
    }
    EXPECT_EQ(CResourceMgr::Packs().size(), built);
    TextLines text;
    ASSERT_TRUE(CResourceMgr::LoadTextLines("/Locale/locale", pack_format::kTextType, text));
    std::set<std::string> keys;
    for (size_t i = 0; i < text.lines.size(); ++i) {
        const CStr& line = text.lines[i];
        if (line.IsEmpty() || (line.At(0) == '/' && line.At(1) == '/'))
            continue;
        EXPECT_GE(line.FindChar('='), 1) << "line " << i + 1 << ": " << line.Chars();
        std::string key(line.Chars(), LocaleKeyLength(line.Chars()));
        for (char& c : key)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_TRUE(keys.insert(key).second) << "line " << i + 1 << " repeats the key " << key;
    }
    // Keys the game's code asks for.
    for (const char* key : {"graphError", "quitgamet", "quitgamem", "reprndevt1", "reprndevt2", "reprndevt4",
                            "reprndevt8", "easy", "normal", "hard", "expert"}) {
        std::string folded(key);
        for (char& c : folded)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_EQ(keys.count(folded), 1u) << key;
    }
}

}  // namespace
