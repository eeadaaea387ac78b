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

bool Compile(const std::vector<std::pair<std::string, std::string>>& files, Compiled* out, std::string* error)
{
    UiTreeSource source;
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
