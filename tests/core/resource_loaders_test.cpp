// The raw loaders and the chunked block.
#include <gtest/gtest.h>

#include "core/chunked_block.h"
#include "core/resource_mgr.h"
#include "tests/support/fixture_packs.h"

using namespace pack_format;

namespace {

std::string AsText(const uint8_t* data, size_t size)
{
    return std::string(reinterpret_cast<const char*>(data), size);
}

TEST(ResourceLoaders, RawLoadersGiveViewsIntoThePack)
{
    FixtureData data;
    PackWriter writer(1);
    ASSERT_TRUE(writer.AddFile("Palettes/pallist", "plt", std::vector<uint8_t>(40, 'n')));
    ASSERT_TRUE(writer.AddFile("Palettes/base", "pal", std::vector<uint8_t>(768, 7)));
    ASSERT_TRUE(writer.AddText("UI/240x320", "uib", "nodes"));
    ASSERT_TRUE(writer.AddFile("big", "img", std::vector<uint8_t>(70000, 1)));
    // A raw resource of exactly the limit is still served.
    ASSERT_TRUE(writer.AddFile("limit", "dat", std::vector<uint8_t>(65535, 2)));
    data.AddPack("p", writer);
    ASSERT_TRUE(data.Mount());

    PaletteTable table;
    ASSERT_TRUE(CResourceMgr::LoadPaletteTable("/Palettes/pallist", table));
    EXPECT_EQ(table.size, 40);
    EXPECT_EQ(table.count, 2);  // the remainder is ignored
    RawResource palette;
    ASSERT_TRUE(CResourceMgr::LoadPalette("/Palettes/base", palette));
    EXPECT_EQ(palette.size, 768);
    RawResource ui;
    ASSERT_TRUE(CResourceMgr::LoadData("/UI/240x320", kUiBinaryType, ui));
    EXPECT_EQ(AsText(ui.data, ui.size), "nodes");
    EXPECT_FALSE(CResourceMgr::LoadData("/UI/240x320", kUiTextType, ui));
    RawResource limit;
    ASSERT_TRUE(CResourceMgr::LoadData("/limit", kDataType, limit));
    EXPECT_EQ(limit.size, 65535);

    // Pictures and sounds go through blocks, whose sizes are 32-bit.
    ChunkedBlock block;
    ASSERT_TRUE(CResourceMgr::GetResourceBlock("/big", kImageType, block));
    EXPECT_TRUE(block.IsSingleChunk());
    EXPECT_FALSE(block.OwnsChunks());
    EXPECT_EQ(block.TotalSize(), 70000u);
    EXPECT_EQ(*block.Current(), 1);
}

// A raw resource over 65535 bytes would be served with its size cut to 16
// bits; it is refused instead. The writer refuses to make one, so the
// fixture retypes a large picture in the written image.
TEST(ResourceLoaders, OversizedRawResourceIsRefusedNotTruncated)
{
    FixtureData data;
    PackWriter writer(1);
    ASSERT_TRUE(writer.AddFile("Locale/locale", "img", std::vector<uint8_t>(70000, 'a')));
    std::vector<uint8_t> image = writer.Build();
    WriteU32(&image[EntryOffsetInImage(1) + kEntryType], kTextType);
    data.AddPackBytes("p", image);
    ASSERT_TRUE(data.Mount());

    ASSERT_TRUE(CResourceMgr::FindResource("/Locale/locale", kTextType).IsFound());
    RawResource text;
    EXPECT_FALSE(CResourceMgr::LoadText("/Locale/locale", kTextType, text));
    TextLines lines;
    EXPECT_FALSE(CResourceMgr::LoadTextLines("/Locale/locale", kTextType, lines));
    const uint8_t* pointer = nullptr;
    uint16_t size = 0;
    EXPECT_FALSE(CResourceMgr::GetResourceData("/Locale/locale", kTextType, pointer, size));
}

TEST(ResourceLoaders, TextLinesSplitOnlyAtCrLf)
{
    struct Case {
        std::string text;
        std::vector<std::string> lines;
    } cases[] = {
        {"one\r\ntwo\r\n", {"one", "two", ""}},
        {"single", {"single"}},
        {"", {""}},
        {"a\nb\rc\r\nd", {"a\nb\rc", "d"}},
        {std::string("keep\r\nstop\0hidden\r\nmore", 24), {"keep", "stop"}},
    };
    for (const auto& c : cases) {
        FixtureData data;
        PackWriter writer(1);
        ASSERT_TRUE(writer.AddText("text", "txt", c.text));
        data.AddPack("p", writer);
        ASSERT_TRUE(data.Mount());
        TextLines lines;
        lines.lines.emplace_back("stale");
        ASSERT_TRUE(CResourceMgr::LoadTextLines("/text", kTextType, lines));
        std::vector<std::string> got;
        for (const auto& line : lines.lines)
            got.emplace_back(line.Chars(), line.Length());
        EXPECT_EQ(got, c.lines) << c.text;
    }
}

TEST(ChunkedBlockTest, PositionsCarryAcrossChunks)
{
    ChunkedBlock block;
    ASSERT_TRUE(block.Allocate(150000));
    EXPECT_TRUE(block.OwnsChunks());
    ASSERT_EQ(block.ChunkCount(), 3u);
    EXPECT_EQ(block.ChunkSize(0), 64000u);
    EXPECT_EQ(block.ChunkSize(2), 22000u);
    struct Case {
        uint32_t chunk;
        int32_t offset;
        uint32_t wantChunk;
        int32_t wantOffset;
    } cases[] = {
        {0, 64000, 1, 0},     {1, -1, 0, 63999},
        {0, 130000, 2, 2000}, {2, 30000, 2, 30000},  // past the last chunk stays there (Current() is null)
        {0, -5, 0, -5},                              // before the first chunk stays there
    };
    for (const auto& c : cases) {
        block.SetPosition(c.chunk, c.offset);
        EXPECT_EQ(block.PositionChunk(), c.wantChunk) << c.chunk << "/" << c.offset;
        EXPECT_EQ(block.PositionOffset(), c.wantOffset) << c.chunk << "/" << c.offset;
    }
    block.SetPosition(2, 30000);
    EXPECT_EQ(block.Current(), nullptr);

    // A borrowing copy takes the chunks and the position, not the ownership.
    block.SetPosition(1, 5);
    ChunkedBlock view;
    view.AssignFrom(block);
    EXPECT_FALSE(view.OwnsChunks());
    EXPECT_EQ(view.Current(), block.Current());
    EXPECT_EQ(view.TotalSize(), 150000u);

    // More than 255 chunks cannot be described.
    ChunkedBlock huge;
    EXPECT_FALSE(huge.Allocate(256u * 64000u));
    EXPECT_EQ(huge.ChunkCount(), 0u);
}

}  // namespace
