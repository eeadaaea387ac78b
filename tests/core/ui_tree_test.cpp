// The UI description tree: paths, repeated names, values, and damaged tables.
#include <gtest/gtest.h>

#include "core/pack_format.h"
#include "core/path_mgr.h"
#include "core/resource_mgr.h"
#include "core/ui_mgr.h"
#include "core/ui_tree.h"
#include "tests/support/fixture_packs.h"

namespace {

struct NodeSpec {
    int depth;
    std::string name;
    std::vector<int16_t> values;
};

// Writes the string pool ("uit") and the node table ("uib") of a tree given
// in pre-order; subtree sizes are computed from the depths.
void BuildTree(const std::vector<NodeSpec>& tree, std::vector<uint8_t>* names, std::vector<uint8_t>* nodes)
{
    names->clear();
    nodes->assign(2, 0);
    pack_format::WriteU16(nodes->data(), static_cast<uint16_t>(tree.size()));
    for (size_t i = 0; i < tree.size(); ++i) {
        uint16_t offset = static_cast<uint16_t>(names->size());
        names->insert(names->end(), tree[i].name.begin(), tree[i].name.end());
        names->push_back(0);
        size_t end = i + 1;
        while (end < tree.size() && tree[end].depth > tree[i].depth)
            ++end;
        uint8_t record[4];
        pack_format::WriteU16(record, static_cast<uint16_t>(end - i));
        record[2] = static_cast<uint8_t>(tree[i].depth);
        record[3] = static_cast<uint8_t>(tree[i].values.size());
        nodes->insert(nodes->end(), record, record + 4);
        std::vector<int16_t> values{static_cast<int16_t>(offset)};
        values.insert(values.end(), tree[i].values.begin(), tree[i].values.end());
        for (int16_t value : values) {
            nodes->push_back(static_cast<uint8_t>(value));
            nodes->push_back(static_cast<uint8_t>(static_cast<uint16_t>(value) >> 8));
        }
    }
}

const std::vector<NodeSpec> kLayout = {
    {0, "Main", {}},
    {1, "ScreenWnd", {1, 12, 0, 0, 0, 0}},
    {1, "MainMenu", {0, 5, -30, 150, 480, 426}},
    {2, "Label", {7}},
    {3, "Deep", {}},
    {2, "Label", {8}},
    {2, "Other", {}},
    {2, "Label", {9}},
    {0, "Map", {}},
    {1, "MapWnd", {15, 15}},  // 15: the offset of "MainMenu" in the names
};

class UiTreeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        BuildTree(kLayout, &m_names, &m_nodes);
        ASSERT_TRUE(m_tree.LoadFromViews(m_names.data(), static_cast<uint32_t>(m_names.size()),
                                         m_nodes.data(), static_cast<uint32_t>(m_nodes.size())));
    }
    std::vector<uint8_t> m_names, m_nodes;
    CUiTree m_tree;
};

TEST_F(UiTreeTest, PathsResolveByNameWithoutCase)
{
    EXPECT_EQ(m_tree.NodeCount(), 10);
    struct Case {
        const char* path;
        int node;  // -1: refused
    } cases[] = {
        {"/Main/MainMenu", 2}, {"/main/mainmenu", 2},   {"/Map/MapWnd", 9}, {"/Main/Deep", -1},
        {"/Main/", -1},        {"/Main//MainMenu", -1}, {"MainMenu", -1},   {"/Nothing", -1},
    };
    for (const auto& c : cases) {
        CUiTree tree = m_tree;
        EXPECT_EQ(tree.ResolvePath(c.path), c.node >= 0) << c.path;
        EXPECT_EQ(tree.SelectedNode(), c.node >= 0 ? c.node : -1) << c.path;
    }
    // A relative path resolves from the current node only.
    ASSERT_TRUE(m_tree.GoToPath("/Main"));
    ASSERT_TRUE(m_tree.ResolvePath("MainMenu/Label/Deep"));
    EXPECT_STREQ(m_tree.SelectedPath().Chars(), "/Main/MainMenu/Label/Deep");
    EXPECT_FALSE(m_tree.GoToPath("/Main/"));
    EXPECT_EQ(m_tree.CurrentNode(), 0);
}

TEST_F(UiTreeTest, ValuesStartAfterTheNameAndRepeatedNamesFollow)
{
    ASSERT_TRUE(m_tree.ResolvePath("/Main/MainMenu"));
    std::vector<int16_t> got;
    for (int i = 0; i < 7; ++i)
        got.push_back(m_tree.ReadValue());
    EXPECT_EQ(got, (std::vector<int16_t>{0, 5, -30, 150, 480, 426, 0}));  // 0 past the last value

    ASSERT_TRUE(m_tree.ResolvePath("/Main/MainMenu/Label"));
    std::vector<int16_t> labels{m_tree.ReadValue()};
    while (m_tree.NextSameName())
        labels.push_back(m_tree.ReadValue());
    EXPECT_EQ(labels, (std::vector<int16_t>{7, 8, 9}));  // "Other" between is passed over

    ASSERT_TRUE(m_tree.GoToPath("/Main"));
    ASSERT_TRUE(m_tree.PushNode());
    ASSERT_TRUE(m_tree.GoToPath("/Map"));
    ASSERT_TRUE(m_tree.PopNode());
    EXPECT_STREQ(m_tree.CurrentPath().Chars(), "/Main");
    EXPECT_FALSE(m_tree.PopNode());
    for (int i = 0; i < CUiTree::kStackSize; ++i)
        ASSERT_TRUE(m_tree.PushNode());
    EXPECT_FALSE(m_tree.PushNode());
}

TEST_F(UiTreeTest, DamagedTablesAreRefused)
{
    auto patched = [&](size_t at, uint8_t value) {
        std::vector<uint8_t> nodes = m_nodes;
        nodes[at] = value;
        return nodes;
    };
    struct Case {
        const char* what;
        std::vector<uint8_t> nodes;
    } cases[] = {
        {"truncated", std::vector<uint8_t>(m_nodes.begin(), m_nodes.end() - 3)},
        {"count past the records", patched(0, 11)},
        {"subtree size 0", patched(2, 0)},
        {"subtree past the end", patched(2, 40)},
        {"subtree too short", patched(2, 1)},
        {"first depth not 0", patched(4, 1)},
    };
    for (const auto& c : cases) {
        CUiTree tree;
        EXPECT_FALSE(tree.LoadFromViews(m_names.data(), static_cast<uint32_t>(m_names.size()), c.nodes.data(),
                                        static_cast<uint32_t>(c.nodes.size())))
            << c.what;
    }
    // Name offsets outside the pool read as empty names.
    EXPECT_STREQ(m_tree.StringAt(60000).Chars(), "");
}

TEST(UiMgrTree, LoadedFromThePacksAndReadThroughTheManager)
{
    FixtureData data;
    std::vector<uint8_t> names, nodes;
    BuildTree(kLayout, &names, &nodes);
    PackWriter writer(1);
    ASSERT_TRUE(writer.AddFile("UI/240x320", "uit", names));
    ASSERT_TRUE(writer.AddFile("UI/240x320", "uib", nodes));
    ASSERT_TRUE(writer.AddText("Locale/locale", "txt", "MainMenu=Main menu\r\n"));
    data.AddPack("p", writer);
    ASSERT_TRUE(data.Mount());
    CPathMgr::Init();
    ASSERT_TRUE(CUIMgr::Init());
    ASSERT_TRUE(CResourceMgr::SetCurrentFolder("/Locale"));
    EXPECT_FALSE(CUIMgr::LoadUiTree("480x640"));
    ASSERT_TRUE(CUIMgr::LoadUiTree("240x320"));
    EXPECT_STREQ(CResourceMgr::CurrentFolder().Chars(), "/Locale");  // the folder is restored
    EXPECT_STREQ(CUIMgr::UiTreePath().Chars(), "240x320");
    EXPECT_FALSE(CUIMgr::LoadUiTree("480x640"));
    EXPECT_STREQ(CUIMgr::UiTreePath().Chars(), "240x320");  // the old tree stays

    ASSERT_TRUE(CUIMgr::Tree().ResolvePath("/Main/ScreenWnd"));
    EXPECT_TRUE(CUIMgr::NextBool());
    EXPECT_EQ(CUIMgr::NextNumber(), 12);
    ASSERT_TRUE(CUIMgr::Tree().ResolvePath("/Map/MapWnd"));
    EXPECT_STREQ(CUIMgr::NextString().Chars(), "MainMenu");
    EXPECT_STREQ(CUIMgr::Tree().ReadText().Chars(), "Main menu");  // through the locale
    CUIMgr::Shutdown();
}

}  // namespace
