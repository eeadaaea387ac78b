// Mounting packs: overlay order, plain and scrambled names, and damaged or
// clashing packs that must be skipped without stopping the others.
#include <gtest/gtest.h>

#include <cstring>

#include "core/error_code_stack.h"
#include "core/resource_mgr.h"
#include "tests/support/fixture_packs.h"

using namespace pack_format;

namespace {

// The pack that holds the entry a lookup found.
std::string PackOf(const ResourceRef& ref)
{
    return ref.IsFound() ? std::string(ref.pack->name.Chars()) : std::string("(none)");
}

PackWriter PackWith(uint32_t key, const std::vector<std::string>& files)
{
    PackWriter writer(key);
    for (const auto& path : files)
        EXPECT_TRUE(writer.AddText(path, "txt", path)) << writer.error();
    return writer;
}

TEST(ResourcePacks, FourPacksOverlayByOrderKeyNotByName)
{
    FixtureData data;
    // File names sort opposite to the keys, so name order cannot pass for key order.
    data.AddPack("d", PackWith(100, {"all", "Sounds/only1", "in12"}));
    data.AddPack("c", PackWith(200, {"all", "in12", "in23"}));
    data.AddPack("b", PackWith(300, {"all", "in23"}));
    data.AddPack("a", PackWith(400, {"all"}));
    ASSERT_TRUE(data.Mount());

    struct Case {
        const char* path;
        const char* pack;
    } cases[] = {
        {"/all", "a"}, {"/in23", "b"}, {"/in12", "c"}, {"/Sounds/only1", "d"}, {"all", "a"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PackOf(CResourceMgr::FindResource(c.path, kTextType)), c.pack) << c.path;
    }
    std::vector<ResourceRef> hits;
    ASSERT_TRUE(CResourceMgr::FindAll("/all", kTextType, hits));
    std::string order;
    for (const auto& hit : hits)
        order += PackOf(hit);
    EXPECT_EQ(order, "abcd");  // newest first
    // The root is the oldest pack.
    EXPECT_EQ(PackOf(CResourceMgr::FindResource("", kFolderType)), "d");
}

// A program that needs a few packs mounts only those, named in any letter
// case; the oldest of them is the root, and no other pack is seen.
TEST(ResourcePacks, OnlyTheNamedPacksAreMounted)
{
    FixtureData data;
    data.AddPack("base", PackWith(100, {"all", "in_base"}));
    data.AddPack("Game", PackWith(200, {"all", "in_game"}));
    data.AddPack("art", PackWith(300, {"all", "in_art"}));
    data.AddPack("rules", PackWith(400, {"in_rules"}));
    ASSERT_TRUE(CResourceMgr::InitFromFolder(data.folder().path().c_str(), {"game", "RULES", "missing"}));
    struct Case {
        const char* path;
        const char* pack;
    } cases[] = {
        {"/all", "Game"},       {"/in_game", "Game"},  {"/in_rules", "rules"},
        {"/in_base", "(none)"}, {"/in_art", "(none)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PackOf(CResourceMgr::FindResource(c.path, kTextType)), c.pack) << c.path;
    EXPECT_EQ(PackOf(CResourceMgr::FindResource("", kFolderType)), "Game");
    EXPECT_EQ(CResourceMgr::Packs().size(), 2u);
    // None of the named packs there: nothing to start from.
    EXPECT_FALSE(CResourceMgr::InitFromFolder(data.folder().path().c_str(), {"missing"}));
    CResourceMgr::Shutdown();
}

TEST(ResourcePacks, EqualKeysLaterNameOverlaysEarlier)
{
    FixtureData data;
    data.AddPack("second", PackWith(500, {"x"}));
    data.AddPack("first", PackWith(500, {"x"}));
    data.AddPack("zoldest", PackWith(10, {"x"}));
    ASSERT_TRUE(data.Mount());
    EXPECT_EQ(PackOf(CResourceMgr::FindResource("/x", kTextType)), "second");
}

TEST(ResourcePacks, PlainNamesIgnoreCaseScrambledNamesDoNot)
{
    FixtureData data;
    PackWriter plain(1);
    ASSERT_TRUE(plain.AddText("Folder/Name", "txt", "p"));
    PackWriter scrambled(2, true);
    ASSERT_TRUE(scrambled.AddText("Hidden/Secret", "txt", "s"));
    data.AddPack("plain", plain);
    data.AddPack("scrambled", scrambled);
    ASSERT_TRUE(data.Mount());

    struct Case {
        const char* path;
        bool found;
    } cases[] = {
        {"/Folder/Name", true},    {"/folder/NAME", true},    {"/Hidden/Secret", true},
        {"/hidden/Secret", false}, {"/Hidden/secret", false}, {"/Hidden/Secre", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CResourceMgr::FindResource(c.path, kTextType).IsFound(), c.found) << c.path;
    }
    // Listings unscramble names and types.
    CStringList names;
    ASSERT_TRUE(CResourceMgr::ListFolder("/Hidden", "", 0, names));
    ASSERT_EQ(names.Count(), 1);
    EXPECT_STREQ(names.GetString(0).Chars(), "Secret");
    EXPECT_EQ(EntryType(CResourceMgr::FindResource("/Hidden/Secret", kTextType)), kTextType);
}

TEST(ResourcePacks, SixteenCharacterNamesHaveNoTerminator)
{
    FixtureData data;
    for (bool scrambled : {false, true}) {
        PackWriter writer(scrambled ? 2 : 1, scrambled);
        ASSERT_TRUE(writer.AddText("ABCDEFGHIJKLMNOP", "txt", "sixteen"));
        ASSERT_TRUE(writer.AddText("ABCDEFGHIJKLMNO", "dat", "fifteen"));
        data.AddPack(scrambled ? "s" : "p", writer);
    }
    ASSERT_TRUE(data.Mount());
    for (const char* mount : {":p/", ":s/"}) {
        std::string base = mount;
        ResourceRef sixteen = CResourceMgr::FindResource((base + "ABCDEFGHIJKLMNOP").c_str(), kTextType);
        ASSERT_TRUE(sixteen.IsFound()) << mount;
        EXPECT_STREQ(EntryName(sixteen).Chars(), "ABCDEFGHIJKLMNOP");
        // A longer query must not match on its first 16 characters.
        EXPECT_FALSE(CResourceMgr::FindResource((base + "ABCDEFGHIJKLMNOPQ").c_str(), kTextType).IsFound());
        EXPECT_FALSE(CResourceMgr::FindResource((base + "ABCDEFGHIJKLMNO").c_str(), kTextType).IsFound());
        EXPECT_TRUE(CResourceMgr::FindResource((base + "ABCDEFGHIJKLMNO").c_str(), kDataType).IsFound());
    }
}

// 'Z' is the first key byte, so a scrambled name beginning with it stores a
// zero byte first; names must still be told apart by all their characters.
TEST(ResourcePacks, ScrambledNamesWithZeroBytesAreToldApart)
{
    FixtureData data;
    PackWriter writer(1, true);
    ASSERT_TRUE(writer.AddText("Zone", "txt", "zone"));
    ASSERT_TRUE(writer.AddText("Zeal", "txt", "zeal"));
    ASSERT_TRUE(writer.AddText("abcdefghZx", "txt", "inner zero"));
    data.AddPack("s", writer);
    ASSERT_TRUE(data.Mount());

    for (const char* name : {"Zone", "Zeal", "abcdefghZx"}) {
        RawResource text;
        ASSERT_TRUE(CResourceMgr::LoadText(name, kTextType, text)) << name;
        ResourceRef ref = CResourceMgr::FindResource(name, kTextType);
        EXPECT_STREQ(EntryName(ref).Chars(), name);
    }
    RawResource zone;
    ASSERT_TRUE(CResourceMgr::LoadText("Zone", kTextType, zone));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(zone.data), zone.size), "zone");
    EXPECT_FALSE(CResourceMgr::FindResource("Zoo", kTextType).IsFound());
    EXPECT_FALSE(CResourceMgr::FindResource("abcdefgh", kTextType).IsFound());
    CStringList names;
    ASSERT_TRUE(CResourceMgr::ListFolder("", "Z", kTextType, names));
    ASSERT_EQ(names.Count(), 2);
    EXPECT_STREQ(names.GetString(0).Chars(), "Zone");
    EXPECT_STREQ(names.GetString(1).Chars(), "Zeal");
}

// Two packs whose names differ only in case: the second is left out (and
// logged), and lookups still end.
TEST(ResourcePacks, CaseOnlyDuplicatePackNamesAreSkipped)
{
    FixtureData data;
    data.AddPack("Base", PackWith(1, {"x"}));
    data.AddPack("base", PackWith(2, {"x", "y"}));
    data.AddPack("extra", PackWith(3, {"z"}));
    ASSERT_TRUE(data.Mount());
    EXPECT_EQ(PackOf(CResourceMgr::FindResource("/x", kTextType)), "Base");
    EXPECT_FALSE(CResourceMgr::FindResource("/y", kTextType).IsFound());
    EXPECT_EQ(PackOf(CResourceMgr::FindResource(":BASE/z", kTextType)), "extra");
    EXPECT_EQ(CResourceMgr::Packs().size(), 2u);
    EXPECT_NE(data.Log().find("base.pak: a pack of that name is mounted already"), std::string::npos);
}

// Damage that would make lookups read outside the image or loop: each
// damaged pack is skipped with a log line, the good one still serves.
TEST(ResourcePacks, DamagedPacksAreSkippedAndTheRestLoad)
{
    PackWriter writer(5);
    ASSERT_TRUE(writer.AddText("Folder/Sub/leaf", "txt", "leaf"));
    ASSERT_TRUE(writer.AddText("Folder/file", "txt", "file"));
    const std::vector<uint8_t> good = writer.Build();
    // Entries: 0 Folder, 1 Sub, 2 leaf, 3 file.
    auto patch16 = [](std::vector<uint8_t> image, size_t at, uint16_t value) {
        WriteU16(&image[at], value);
        return image;
    };
    auto patch32 = [](std::vector<uint8_t> image, size_t at, uint32_t value) {
        WriteU32(&image[at], value);
        return image;
    };
    auto patch8 = [](std::vector<uint8_t> image, size_t at, uint8_t value) {
        image[at] = value;
        return image;
    };
    struct Case {
        const char* what;
        std::vector<uint8_t> image;
    } cases[] = {
        {"truncated directory", std::vector<uint8_t>(good.begin(), good.begin() + 40)},
        {"header only", std::vector<uint8_t>(good.begin(), good.begin() + 12)},
        {"huge entry count", patch32(good, 12, 0x80000001u)},
        {"folder step 0", patch16(good, EntryOffsetInImage(0) + kEntryStep, 0)},
        {"folder step past the end", patch16(good, EntryOffsetInImage(0) + kEntryStep, 9)},
        {"folder step too short", patch16(good, EntryOffsetInImage(0) + kEntryStep, 2)},
        {"data past the end", patch32(good, EntryOffsetInImage(3) + kEntryOffset, 0xFFFFFFF0u)},
        {"size past the end", patch32(good, EntryOffsetInImage(3) + kEntrySizeField, 1000)},
        {"depth 0", patch8(good, EntryOffsetInImage(0) + kEntryDepth, 0)},
        {"depth jump", patch8(good, EntryOffsetInImage(3) + kEntryDepth, 4)},
    };
    for (const auto& c : cases) {
        FixtureData data;
        data.AddPackBytes("broken", c.image);
        data.AddPack("good", PackWith(1, {"ok"}));
        ASSERT_TRUE(data.Mount()) << c.what;
        EXPECT_EQ(CResourceMgr::Packs().size(), 1u) << c.what;
        EXPECT_TRUE(CResourceMgr::FindResource("/ok", kTextType).IsFound()) << c.what;
        EXPECT_FALSE(CResourceMgr::FindResource("/Folder/file", kTextType).IsFound()) << c.what;
        bool skippedOrNotOpened = data.Log().find("Skipping") != std::string::npos ||
                                  data.Log().find("broken.pak opened") == std::string::npos;
        EXPECT_TRUE(skippedOrNotOpened) << c.what;
    }
}

TEST(ResourcePacks, StartUpLinesAndFailureWithoutPacks)
{
    FixtureData data;
    ASSERT_TRUE(data.folder().Write("notapack.pak", "QRVKXXXX and more bytes"));
    ASSERT_TRUE(data.folder().Write("readme.txt", "not a pack"));
    EXPECT_FALSE(data.Mount());
    data.AddPack("Main", PackWith(7, {"x"}));
    ASSERT_TRUE(data.Mount());
    const std::string path = data.folder().path();
    const std::string expected = "RESOURCE_MGR: Initializing generic manager... \r\n"
                                 "RESOURCE_MGR: Opening resource files... \r\n"
                                 "\tRESOURCE_MGR: Found file " +
                                 path +
                                 "Main.pak \r\n"
                                 "\tRESOURCE_MGR: " +
                                 path +
                                 "Main.pak opened \r\n"
                                 "\tRESOURCE_MGR: Found file " +
                                 path +
                                 "notapack.pak \r\n"
                                 "RESOURCE_MGR: Adding mapping entries... \r\n";
    std::string log = data.Log();
    ASSERT_NE(log.find(expected), std::string::npos) << log;

    // An error code left pending by an earlier step fails the start-up.
    PushErrorCode(0x12);
    EXPECT_FALSE(data.Mount());
    EXPECT_TRUE(data.Mount());
}

}  // namespace
