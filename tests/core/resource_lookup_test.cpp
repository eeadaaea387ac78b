// Lookup by path and type over three overlaid packs, folder mapping,
// listings and the folder stack.
#include <gtest/gtest.h>

#include "core/resource_mgr.h"
#include "tests/support/fixture_packs.h"

using namespace pack_format;

namespace {

std::string PackOf(const ResourceRef& ref)
{
    return ref.IsFound() ? std::string(ref.pack->name.Chars()) : std::string("-");
}

std::string Joined(CStringList& names)
{
    std::string text;
    for (int32_t i = 0; i < names.Count(); ++i)
        text += std::string(names.GetString(i).Chars()) + " ";
    return text;
}

// Packs A (oldest), B and C (newest).
class ThreePacks : public ::testing::Test {
protected:
    void SetUp() override
    {
        PackWriter a(10);
        ASSERT_TRUE(a.AddText("inAll", "txt", "A"));
        ASSERT_TRUE(a.AddText("inAB", "txt", "A"));
        ASSERT_TRUE(a.AddText("onlyA", "txt", "A"));
        ASSERT_TRUE(a.AddText("Sounds/msg_info", "wav", "A"));
        ASSERT_TRUE(a.AddText("Sounds/Shared", "wav", "A"));
        ASSERT_TRUE(a.AddText("Sounds/ownA", "wav", "A"));
        // A folder "a" holding "b", followed by a file "b".
        ASSERT_TRUE(a.AddText("Nest/a/b", "txt", "grandchild"));
        ASSERT_TRUE(a.AddText("Nest/b", "txt", "child"));
        PackWriter b(20);
        ASSERT_TRUE(b.AddText("inAll", "txt", "B"));
        ASSERT_TRUE(b.AddText("inAB", "txt", "B"));
        ASSERT_TRUE(b.AddText("inBC", "txt", "B"));
        ASSERT_TRUE(b.AddText("Sounds/shared", "wav", "B"));
        ASSERT_TRUE(b.AddText("Sounds/ownB", "wav", "B"));
        PackWriter c(30);
        ASSERT_TRUE(c.AddText("inAll", "txt", "C"));
        ASSERT_TRUE(c.AddText("inBC", "txt", "C"));
        ASSERT_TRUE(c.AddText("Skin320/button", "img", "C"));
        m_data.AddPack("A", a);
        m_data.AddPack("B", b);
        m_data.AddPack("C", c);
        ASSERT_TRUE(m_data.Mount());
    }
    FixtureData m_data;
};

TEST_F(ThreePacks, PathsResolveToTheNewestPackThatHasThem)
{
    struct Case {
        const char* path;
        ResourceType type;
        const char* pack;
    } cases[] = {
        {"inAll", kTextType, "C"},
        {"inAB", kTextType, "B"},
        {"onlyA", kTextType, "A"},
        {"/inBC", kTextType, "C"},
        {"/Sounds/msg_info", kSoundType, "A"},
        {"/Sounds/msg_info", kImageType, "-"},  // the type is part of the name
        {"/Sounds", kFolderType, "B"},
        {"/Sounds/", kFolderType, "-"},  // a trailing '/' finds nothing
        {"/Sounds/msg_info/", kSoundType, "-"},
        {":A/inAll", kTextType, "C"},  // a pack's mount searches it and newer ones
        {":a/onlyA", kTextType, "A"},
        {":B/onlyA", kTextType, "-"},
        {":C/inAB", kTextType, "-"},  // the newest mount reaches only itself
        {":C/inAll", kTextType, "C"},
        {":C", kFolderType, "C"},
        {":nosuch/inAll", kTextType, "-"},
        {"/Nest/b", kTextType, "A"},  // the file, not the grandchild
        {"/Nest/a/b", kTextType, "A"},
        {"", kTextType, "-"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PackOf(CResourceMgr::FindResource(c.path, c.type)), c.pack) << c.path;
    }
    ResourceRef child = CResourceMgr::FindResource("/Nest/b", kTextType);
    EXPECT_EQ(EntryDepth(child), 2u);
}

TEST_F(ThreePacks, CurrentFolderServesRelativePaths)
{
    ASSERT_TRUE(CResourceMgr::SetCurrentFolder("/Sounds/"));
    EXPECT_STREQ(CResourceMgr::CurrentFolder().Chars(), "/Sounds");
    EXPECT_EQ(PackOf(CResourceMgr::FindResource("msg_info", kSoundType)), "A");
    EXPECT_EQ(PackOf(CResourceMgr::FindResource("SHARED", kSoundType)), "B");
    // Absolute paths ignore the current folder.
    EXPECT_EQ(PackOf(CResourceMgr::FindResource("/inAll", kTextType)), "C");
    EXPECT_FALSE(CResourceMgr::FindResource("inAll", kTextType).IsFound());

    // A failed change keeps the old path but leaves relative lookups empty.
    EXPECT_FALSE(CResourceMgr::SetCurrentFolder("/NoSuchFolder"));
    EXPECT_STREQ(CResourceMgr::CurrentFolder().Chars(), "/Sounds");
    EXPECT_FALSE(CResourceMgr::FindResource("msg_info", kSoundType).IsFound());
    CResourceMgr::ResetCurrentFolder();
    EXPECT_EQ(PackOf(CResourceMgr::FindResource("Sounds/msg_info", kSoundType)), "A");
}

TEST_F(ThreePacks, ListingsAreNewestFirstAndEachNameOnce)
{
    CStringList names;
    ASSERT_TRUE(CResourceMgr::ListFolder("/Sounds/", "", 0, names));
    EXPECT_EQ(Joined(names), "shared ownB msg_info ownA ");
    names.RemoveAll();
    ASSERT_TRUE(CResourceMgr::ListFolder("Sounds", "OWN", kSoundType, names));
    EXPECT_EQ(Joined(names), "ownB ownA ");
    names.RemoveAll();
    EXPECT_FALSE(CResourceMgr::ListFolder("/Sounds", "", kTextType, names));
    // The vector form appends the same way, skipping names it holds already.
    std::vector<CStr> vector{CStr("OWNA")};
    ASSERT_TRUE(CResourceMgr::ListFolder("/Sounds", "own", kSoundType, vector));
    ASSERT_EQ(vector.size(), 2u);
    EXPECT_STREQ(vector[1].Chars(), "ownB");
    names.RemoveAll();
    // The root lists every pack's top level, folders included.
    ASSERT_TRUE(CResourceMgr::ListFolder("", "in", kTextType, names));
    EXPECT_EQ(Joined(names), "inAll inBC inAB ");
}

TEST_F(ThreePacks, MappingAFolderOntoTheRootOverlaysIt)
{
    ASSERT_TRUE(CResourceMgr::MapFolder("", "/Skin320"));
    EXPECT_EQ(PackOf(CResourceMgr::FindResource("/button", kImageType)), "C");
    // Mapping a folder onto itself, or onto a member of its chain, would make
    // lookups go round for ever: refused.
    EXPECT_FALSE(CResourceMgr::MapFolder("", ""));
    EXPECT_FALSE(CResourceMgr::MapFolder("", ":B"));
    EXPECT_FALSE(CResourceMgr::MapFolder("/Skin320", ":A"));
    EXPECT_FALSE(CResourceMgr::MapFolder("", "/NoSuchFolder"));
    EXPECT_EQ(PackOf(CResourceMgr::FindResource("/inAll", kTextType)), "C");
    // Unmapping a member closes the chain over the gap: C drops out, the skin
    // folder stays.
    ASSERT_TRUE(CResourceMgr::UnmapFolder(":C"));
    EXPECT_EQ(PackOf(CResourceMgr::FindResource("/button", kImageType)), "C");
    EXPECT_EQ(PackOf(CResourceMgr::FindResource("/inAll", kTextType)), "B");
}

TEST_F(ThreePacks, FolderStackRestoresTheCurrentFolder)
{
    ASSERT_TRUE(CResourceMgr::SetCurrentFolder("/Sounds"));
    ASSERT_TRUE(PushResourceFolder());
    ASSERT_TRUE(CResourceMgr::SetCurrentFolder("/Nest"));
    EXPECT_TRUE(CResourceMgr::FindResource("b", kTextType).IsFound());
    ASSERT_TRUE(PopResourceFolder());
    EXPECT_STREQ(CResourceMgr::CurrentFolder().Chars(), "/Sounds");
    EXPECT_TRUE(CResourceMgr::FindResource("msg_info", kSoundType).IsFound());

    // The stack has 15 slots: a 16th push and a pop on an empty stack are
    // refused instead of writing or reading outside it.
    for (int i = 0; i < kResourceFolderStackSize; ++i)
        ASSERT_TRUE(PushResourceFolder());
    EXPECT_FALSE(PushResourceFolder());
    for (int i = 0; i < kResourceFolderStackSize; ++i)
        ASSERT_TRUE(PopResourceFolder());
    EXPECT_FALSE(PopResourceFolder());
    EXPECT_EQ(ResourceFolderDepth(), 0);
}

}  // namespace
