// The locale table: every key it holds must be found, whatever follows the
// key on its line, and nothing that is only a prefix of a key.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <random>

#include "core/locale_table.h"
#include "core/path_mgr.h"
#include "core/resource_mgr.h"
#include "core/ui_mgr.h"
#include "tests/support/fixture_packs.h"

namespace {

// Keys are compared without regard to ASCII case.
std::string Folded(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

LocaleTable TableOf(const std::vector<std::string>& lines)
{
    std::vector<CStr> owned;
    for (const auto& line : lines)
        owned.emplace_back(line.c_str());
    LocaleTable table;
    table.Build(std::move(owned));
    return table;
}

TEST(LocaleTableTest, NumberedKeysBesideTheirStem)
{
    // Digits sort below '=', so a whole-line sort puts "Evt" after "Evt3".
    LocaleTable table = TableOf({"Evt=a", "Evt1=b", "Evt2=c", "Evt3=d"});
    struct Case {
        const char* key;
        const char* value;
    } cases[] = {
        {"Evt", "a"}, {"evt1", "b"}, {"EVT2", "c"}, {"Evt3", "d"}, {"Ev", "Ev"}, {"Evt4", "Evt4"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(table.Lookup(c.key).Chars(), c.value) << c.key;
}

TEST(LocaleTableTest, LineShapes)
{
    LocaleTable table = TableOf({
        "QuitGameT=Quit",
        "// QuitGameC=comment",
        "QuitGameM = Leave?",
        "\t",
        "",
        "Alone",
        "Tabbed\t=x=y",
        "aaa=first",
    });
    EXPECT_EQ(table.Count(), 6);
    struct Case {
        const char* key;
        const char* value;
    } cases[] = {
        {"quitgamet", "Quit"},
        {"QuitGameM", " Leave?"},  // the blank after '=' is kept
        {"QuitGame", "QuitGame"},  // only a prefix of the keys
        {"QuitGameC", "QuitGameC"},
        {"Alone", "Alone"},  // its own value
        {"Tabbed", "x=y"},
        {"aaa", "first"},  // the first key of the table
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(table.Lookup(c.key).Chars(), c.value) << c.key;
}

TEST(LocaleTableTest, FirstOfTwoDefinitionsWins)
{
    LocaleTable table = TableOf({"b=1", "Key=first", "a=2", "KEY=second", "c=3"});
    EXPECT_STREQ(table.Lookup("key").Chars(), "first");
}

// Random tables of keys with suffixes that sort on both sides of '=', ' '
// and TAB: every key is found with its own value, and a key's stem that is
// not itself a key is not found.
TEST(LocaleTableTest, EveryKeyOfRandomTablesIsFound)
{
    std::mt19937 random(1234);
    const std::string suffixChars = "0123456789!#$%&()*+,-./:;<>?@AZaz_~";
    for (int round = 0; round < 200; ++round) {
        std::vector<std::string> keys;
        std::vector<std::string> folded;
        std::vector<std::string> lines;
        int count = 1 + static_cast<int>(random() % 40);
        for (int i = 0; i < count; ++i) {
            std::string key = std::string("K") + static_cast<char>('a' + random() % 3);
            int suffix = static_cast<int>(random() % 4);
            for (int s = 0; s < suffix; ++s)
                key += suffixChars[random() % suffixChars.size()];
            if (std::find(folded.begin(), folded.end(), Folded(key)) != folded.end())
                continue;
            keys.push_back(key);
            folded.push_back(Folded(key));
            const char* separators[] = {"=", " =", "\t= ", "  =  "};
            lines.push_back(key + separators[random() % 4] + "v" + std::to_string(i));
        }
        LocaleTable table = TableOf(lines);
        for (size_t i = 0; i < keys.size(); ++i) {
            std::string line = lines[i];
            std::string value = line.substr(line.find('=') + 1);
            EXPECT_EQ(std::string(table.Lookup(keys[i].c_str()).Chars()), value) << keys[i];
        }
        for (const auto& key : keys) {
            std::string stem = key.substr(0, key.size() - 1);
            if (std::find(folded.begin(), folded.end(), Folded(stem)) == folded.end()) {
                EXPECT_EQ(std::string(table.Lookup(stem.c_str()).Chars()), stem);
            }
        }
    }
}

TEST(LocaleTableTest, StartUpLoadsTheTableAndResolvesLongTexts)
{
    FixtureData data;
    PackWriter writer(1);
    ASSERT_TRUE(writer.AddText("Locale/locale", "txt", "Hello=Hi there\r\nRepRndEvt2=Volunteers\r\n"));
    ASSERT_TRUE(writer.AddText("Help/intro", "txt", "A long text\r\nover lines"));
    data.AddPack("p", writer);
    ASSERT_TRUE(data.Mount());
    CPathMgr::Init();
    ASSERT_TRUE(CUIMgr::Init());
    CStr text;
    GetLocaleText("hello", text);
    EXPECT_STREQ(text.Chars(), "Hi there");
    EXPECT_STREQ(CUIMgr::Locale().Resolve("/Help/intro").Chars(), "A long text\r\nover lines");
    EXPECT_STREQ(CUIMgr::Locale().Resolve("/Help/none").Chars(), "/Help/none");
    EXPECT_STREQ(CUIMgr::Locale().Resolve("RepRndEvt2").Chars(), "Volunteers");
    EXPECT_NE(data.Log().find("UI_MGR: Getting locale file... \r\nUI_MGR: Sorting locale... \r\n"),
              std::string::npos);
    CUIMgr::Shutdown();
    EXPECT_EQ(CUIMgr::Locale().Count(), 0);
}

TEST(LocaleTableTest, StartUpFailsWithoutTheLocale)
{
    FixtureData data;
    PackWriter writer(1);
    ASSERT_TRUE(writer.AddText("Locale/other", "txt", "x=y"));
    data.AddPack("p", writer);
    ASSERT_TRUE(data.Mount());
    CPathMgr::Init();
    EXPECT_FALSE(CUIMgr::Init());
}

}  // namespace
