// The UI tree compiler: sources of several files become one tree that the
// game's reader walks by path, with its numbers and strings intact.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/ui_tree.h"
#include "tools/uitc/ui_tree_source.h"

namespace {

struct Compiled {
    std::vector<uint8_t> pool;
    std::vector<uint8_t> table;
    CUiTree tree;
};

bool Compile(const std::vector<std::pair<std::string, std::string>>& files, Compiled* out, std::string* error,
             const UiTreeScaling* scaling = nullptr)
{
    UiTreeSource source;
    if (scaling != nullptr)
        source.ScaleBy(*scaling);
    for (const auto& [name, text] : files) {
        if (!source.AddFile(name, text, error))
            return false;
    }
    if (!source.Compile(&out->pool, &out->table, error))
        return false;
    return out->tree.LoadFromViews(out->pool.data(), static_cast<uint32_t>(out->pool.size()),
                                   out->table.data(), static_cast<uint32_t>(out->table.size()));
}

std::vector<int16_t> Values(CUiTree& tree, int count)
{
    std::vector<int16_t> values;
    for (int i = 0; i < count; ++i)
        values.push_back(tree.ReadValue());
    return values;
}

TEST(UiTreeSource, FilesMergeIntoOneTreeWithPathNodesPlacedInsideOthers)
{
    Compiled c;
    std::string error;
    ASSERT_TRUE(Compile({{"a.ui", "# the custom player window lives inside the map window\n"
                                  "Map/MapWnd/CustPlrWnd 1 2\n"
                                  "  Ok \"OkBtn\"\n"
                                  "Main/PickSlotWnd 9\n"},
                         {"b.ui", "Main\n"
                                  "  ScreenWnd 0 0 240 320 \"Title screen\"  # rect and caption\n"
                                  "Map\n"
                                  "  MapWnd -1 0x7FFF 65535 -32768\n"
                                  "    Panel 3\n"
                                  "    Item 1\n"
                                  "    Item 2\n"}},
                        &c, &error))
        << error;
    CUiTree& t = c.tree;

    ASSERT_TRUE(t.ResolvePath("/Main/ScreenWnd"));
    EXPECT_EQ(Values(t, 4), (std::vector<int16_t>{0, 0, 240, 320}));
    EXPECT_STREQ(t.StringAt(static_cast<uint16_t>(t.ReadValue())).Chars(), "Title screen");

    ASSERT_TRUE(t.ResolvePath("/map/mapwnd"));  // names compare without case
    EXPECT_EQ(Values(t, 5), (std::vector<int16_t>{-1, 0x7FFF, -1, -32768, 0}));

    // The path node went inside the plain node another file wrote, after its
    // own children, so both files' windows are found.
    ASSERT_TRUE(t.ResolvePath("/Map/MapWnd/CustPlrWnd"));
    EXPECT_EQ(Values(t, 2), (std::vector<int16_t>{1, 2}));
    ASSERT_TRUE(t.ResolvePath("/Map/MapWnd/CustPlrWnd/Ok"));
    EXPECT_STREQ(t.StringAt(static_cast<uint16_t>(t.ReadValue())).Chars(), "OkBtn");
    ASSERT_TRUE(t.ResolvePath("/Map/MapWnd/Panel"));
    EXPECT_EQ(t.ReadValue(), 3);
    ASSERT_TRUE(t.ResolvePath("/Main/PickSlotWnd"));
    EXPECT_EQ(t.ReadValue(), 9);

    // Repeated sibling names stay siblings, in their order.
    ASSERT_TRUE(t.ResolvePath("/Map/MapWnd/Item"));
    EXPECT_EQ(t.ReadValue(), 1);
    ASSERT_TRUE(t.NextSameName());
    EXPECT_EQ(t.ReadValue(), 2);
    EXPECT_FALSE(t.NextSameName());
}

TEST(UiTreeSource, StringsAreStoredOnceInWindows1252)
{
    Compiled c;
    std::string error;
    ASSERT_TRUE(
        Compile({{"a.ui", "A \"Caf\xC3\xA9\" \"x\\\"y\\\\\"\n  B \"Caf\xC3\xA9\" \"\"\n"}}, &c, &error))
        << error;
    ASSERT_TRUE(c.tree.ResolvePath("/A"));
    const int16_t first = c.tree.ReadValue();
    const int16_t second = c.tree.ReadValue();
    EXPECT_STREQ(c.tree.StringAt(static_cast<uint16_t>(first)).Chars(), "Caf\xE9");
    EXPECT_STREQ(c.tree.StringAt(static_cast<uint16_t>(second)).Chars(), "x\"y\\");
    ASSERT_TRUE(c.tree.ResolvePath("/A/B"));
    EXPECT_EQ(c.tree.ReadValue(), first);
    EXPECT_EQ(c.tree.ReadValue(), 0);  // the empty string is offset 0
}

TEST(UiTreeSource, FaultySourcesAreRefusedWithFileAndLine)
{
    struct Case {
        std::vector<std::pair<std::string, std::string>> files;
        std::string message;
    };
    const std::vector<Case> cases = {
        {{{"a.ui", "A\n   B\n"}}, "a.ui:2: the indent must be a multiple of two spaces"},
        {{{"a.ui", "A\n\tB\n"}}, "a.ui:2: indent with spaces, not TABs"},
        {{{"a.ui", "A\n    B\n"}}, "a.ui:2: the node is indented more than one level below its parent"},
        {{{"a.ui", "A \"open\n"}}, "a.ui:1: a string is not closed"},
        {{{"a.ui", "A \"\\n\"\n"}}, "a.ui:1: only \\\" and \\\\ may follow a backslash"},
        {{{"a.ui", "A 65536\n"}}, "a.ui:1: \"65536\" is neither a 16-bit number nor a string"},
        {{{"a.ui", "A -32769\n"}}, "a.ui:1: \"-32769\" is neither"},
        {{{"a.ui", "A 12px\n"}}, "a.ui:1: \"12px\" is neither"},
        {{{"a.ui", "A \"\xE2\x82\xAC\xE2\x98\x83\"\n"}}, "a.ui:1: string:"},
        {{{"a.ui", "\"A\"\n"}}, "a.ui:1: a node starts with its name"},
        {{{"a.ui", "A\n  B/C\n"}}, "a.ui:2: only a top node may be a path"},
        {{{"a.ui", "A//B\n"}}, "a.ui:1: a path node names its path as A/B/C"},
        {{{"a.ui", "Main\n"}, {"b.ui", "main 1\n"}}, "b.ui:1: the top node \"main\" is also written in a.ui"},
        {{{"a.ui", "Map\n  MapWnd\n"}, {"b.ui", "Map/MapWnd 1\n"}},
         "b.ui:1: \"Map/MapWnd\" is already written at a.ui:2"},
    };
    for (const Case& c : cases) {
        Compiled out;
        std::string error;
        EXPECT_FALSE(Compile(c.files, &out, &error)) << c.message;
        EXPECT_EQ(error.rfind(c.message, 0), 0u) << "got: " << error << "\nwanted: " << c.message;
    }
}

TEST(UiTreeSource, TreesBeyondTheFormatsLimitsAreRefused)
{
    // 300 values on a node, and a pool past 16-bit offsets.
    std::string wide = "A";
    for (int i = 0; i < 300; ++i)
        wide += " 1";
    Compiled c;
    std::string error;
    EXPECT_FALSE(Compile({{"a.ui", wide + "\n"}}, &c, &error));
    EXPECT_NE(error.find("at most 255 values"), std::string::npos) << error;

    std::string big;
    for (int i = 0; i < 800; ++i)
        big += "N" + std::to_string(i) + " \"" + std::string(90, 'a' + i % 26) + std::to_string(i) + "\"\n";
    EXPECT_FALSE(Compile({{"a.ui", big}}, &c, &error));
    EXPECT_NE(error.find("at most 65535 fit"), std::string::npos) << error;
}

}  // namespace

namespace {

// A larger screen's tree from the small one's sources: only the values the
// rules name as pixels are multiplied; flags, anchors, colours, counts and
// strings stay, and the first matching rule decides.
TEST(UiTreeScaling, OnlyThePixelValuesTheRulesNameAreMultiplied)
{
    UiTreeScaling scaling;
    std::string error;
    ASSERT_TRUE(scaling.Parse("rules.txt",
                              "factor 2   # twice the size\n"
                              "MessageWnd 1 2 3 4\n"
                              "Menu/*     3 4 5 6 8\n"
                              "Army*      3 4 5 6 10\n"
                              "*Army      3 4 5 6 10\n"
                              "*          3 4 5 6\n",
                              &error))
        << error;
    Compiled c;
    ASSERT_TRUE(Compile({{"a.ui", "Main\n"
                                  "  Wnd 1 11 -4 3 224 270 \"Dialog\" 15\n"
                                  "    Lbl 1 0 4 2 100 14 \"Key\" 2 1 216\n"
                                  "    Snd_ \"/Sounds/x\" 1 2 3 4 5 6\n"
                                  "    Short 1 2 3 4\n"
                                  "  MessageWnd 70 120 150 50\n"
                                  "  Menu\n"
                                  "    Entry 1 0 0 16 136 16 \"Key\" 1 216\n"
                                  "  ArmyCtrl 1 2 0 0 200 40 \"None\" 2 1 36 0\n"
                                  "  GuardArmy 1 2 0 0 200 40 \"None\" 2 1 36 0\n"
                                  "  ResCost 1 2 0 0 200 40 \"None\" 2 1 15 0\n"
                                  "  Skinned 1 0 0 0 10 10 \"Skin\" \"Pic\"\n"}},
                        &c, &error, &scaling))
        << error;
    const struct {
        const char* path;
        std::vector<int16_t> values;  // strings skipped: -1
    } cases[] = {
        {"/Main/Wnd", {1, 11, -8, 6, 448, 540, -1, 15}},
        {"/Main/Wnd/Lbl", {1, 0, 8, 4, 200, 28, -1, 2, 1, 216}},
        {"/Main/Wnd/Snd_", {-1, 1, 2, 3, 4, 5, 6}},  // no head: a string comes first
        {"/Main/Wnd/Short", {1, 2, 3, 4}},           // no head: too few values
        {"/Main/MessageWnd", {140, 240, 300, 100}},
        {"/Main/Menu/Entry", {1, 0, 0, 32, 272, 32, -1, 2, 216}},
        {"/Main/ArmyCtrl", {1, 2, 0, 0, 400, 80, -1, 2, 1, 72, 0}},
        {"/Main/GuardArmy", {1, 2, 0, 0, 400, 80, -1, 2, 1, 72, 0}},
        {"/Main/ResCost", {1, 2, 0, 0, 400, 80, -1, 2, 1, 15, 0}},
        {"/Main/Skinned", {1, 0, 0, 0, 20, 20, -1, -1}},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.path);
        ASSERT_TRUE(c.tree.ResolvePath(k.path));
        for (size_t i = 0; i < k.values.size(); ++i) {
            const int16_t value = c.tree.ReadValue();
            if (k.values[i] != -1) {
                EXPECT_EQ(value, k.values[i]) << "value " << i + 1;
            }
        }
    }
}

TEST(UiTreeScaling, FaultyRulesAndOverflowingValuesAreRefused)
{
    const struct {
        const char* rules;
        const char* message;
    } faulty[] = {
        {"factor 0\n", "r.txt:1: the factor is a whole number from 1 to 8"},
        {"factor two\n", "r.txt:1: the factor is"},
        {"\nLbl\n", "r.txt:2: the rule for \"Lbl\" names no value"},
        {"Lbl 0\n", "r.txt:1: \"0\" is not a value position from 1 to 255"},
        {"Lbl 3x\n", "r.txt:1: \"3x\" is not a value position"},
        {"L*b 3\n", "r.txt:1: a pattern is a name with at most a leading or a trailing '*'"},
    };
    for (const auto& k : faulty) {
        UiTreeScaling scaling;
        std::string error;
        EXPECT_FALSE(scaling.Parse("r.txt", k.rules, &error)) << k.rules;
        EXPECT_EQ(error.rfind(k.message, 0), 0u) << "got: " << error << "\nwanted: " << k.message;
    }

    UiTreeScaling scaling;
    std::string error;
    ASSERT_TRUE(scaling.Parse("r.txt", "factor 2\n* 3 4 5 6\n", &error)) << error;
    Compiled c;
    EXPECT_FALSE(Compile({{"a.ui", "Wnd 1 0 0 0 20000 10\n"}}, &c, &error, &scaling));
    EXPECT_EQ(error, "a.ui:1: value 5 times 2 is not a 16-bit number");
}

}  // namespace
