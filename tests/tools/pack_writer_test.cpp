// The pack writer: the bytes it lays out and what it refuses.
#include <gtest/gtest.h>

#include <random>

#include "core/pack_format.h"
#include "tools/pack/pack_writer.h"

using namespace pack_format;

namespace {

std::string NameAt(const std::vector<uint8_t>& image, uint32_t index)
{
    const uint8_t* entry = &image[kHeaderSize + index * kEntrySize];
    return std::string(reinterpret_cast<const char*>(entry), StoredNameLength(entry, false));
}

TEST(PackWriterTest, DirectoryIsPreOrderWithSubtreeSteps)
{
    PackWriter writer(0x01020304);
    ASSERT_TRUE(writer.AddText("Top/Mid/leaf", "txt", "L"));
    ASSERT_TRUE(writer.AddText("Top/after", "dat", "AB"));
    ASSERT_TRUE(writer.AddText("root", "txt", "R"));
    std::vector<uint8_t> image = writer.Build();
    ASSERT_EQ(image.size(), 16u + 5 * 30 + 4);
    EXPECT_EQ(std::string(image.begin(), image.begin() + 8), "QRVKRSRC");
    EXPECT_EQ(ReadU32(&image[8]), 0x01020304u);
    EXPECT_EQ(static_cast<int32_t>(ReadU32(&image[12])), -5);

    struct Row {
        const char* name;
        const char* type;
        uint8_t depth;
        uint16_t children;  // folders
        uint16_t step;      // folders
        uint32_t size;      // files
    } rows[] = {
        {"Top", "...", 1, 2, 4, 0},   {"Mid", "...", 2, 1, 2, 0},  {"leaf", "txt", 3, 0, 0, 1},
        {"after", "dat", 2, 0, 0, 2}, {"root", "txt", 1, 0, 0, 1},
    };
    uint32_t dataAt = 16 + 5 * 30;
    for (uint32_t i = 0; i < 5; ++i) {
        const uint8_t* e = &image[kHeaderSize + i * kEntrySize];
        EXPECT_EQ(NameAt(image, i), rows[i].name);
        EXPECT_EQ(ReadU32(e + kEntryType), MakeType(rows[i].type)) << i;
        EXPECT_EQ(e[kEntryDepth], rows[i].depth) << i;
        if (std::string(rows[i].type) == "...") {
            EXPECT_EQ(ReadU16(e + kEntryChildCount), rows[i].children) << i;
            EXPECT_EQ(ReadU16(e + kEntryStep), rows[i].step) << i;
            EXPECT_EQ(e[kEntryIsFile], 0);
        } else {
            EXPECT_EQ(ReadU32(e + kEntryOffset), dataAt) << i;
            EXPECT_EQ(ReadU32(e + kEntrySizeField), rows[i].size) << i;
            EXPECT_EQ(e[kEntryIsFile], 1);
            dataAt += rows[i].size;
        }
    }
    EXPECT_EQ(std::string(image.end() - 4, image.end()), "LABR");
    EXPECT_EQ(ValidateImage(image.data(), image.size()), "");
}

TEST(PackWriterTest, ScrambledEntriesHideNamesAndTypes)
{
    PackWriter writer(9, true);
    ASSERT_TRUE(writer.AddText("Zb", "img", "x"));
    std::vector<uint8_t> image = writer.Build();
    EXPECT_EQ(static_cast<int32_t>(ReadU32(&image[12])), 1);
    const uint8_t* e = &image[kHeaderSize];
    EXPECT_EQ(e[0], 0);  // 'Z' is the first key byte
    EXPECT_EQ(e[1], 'b' ^ 0x13);
    EXPECT_EQ(e[2], 0);  // the terminator is stored as 0, not scrambled
    EXPECT_EQ(ReadU32(e + kEntryType), MakeType("img") ^ kTypeKey);
    EXPECT_EQ(StoredNameLength(e, true), 2u);
}

TEST(PackWriterTest, RefusesWhatTheReaderCannotTake)
{
    struct Case {
        const char* what;
        bool scrambled;
        const char* path;
        const char* type;
        size_t size;
    } cases[] = {
        {"17-character name", false, "ABCDEFGHIJKLMNOPQ", "txt", 1},
        {"17-character folder", false, "ABCDEFGHIJKLMNOPQ/x", "txt", 1},
        {"empty name", false, "Folder/", "txt", 1},
        {"empty folder name", false, "a//b", "txt", 1},
        {"raw text over 65535 bytes", false, "big", "txt", 65536},
        {"raw data over 65535 bytes", false, "big", "dat", 70000},
        {"palette list over 65535 bytes", false, "big", "plt", 65536},
        {"section text over 65535 bytes", false, "big", "zkqd", 65536},
        {"folder type for a file", false, "x", "...", 1},
        {"colon in a name", false, "a:b", "txt", 1},
        {"scrambled name ending in its key byte", true, "abcdefghZ", "txt", 1},
        {"scrambled name that is one key byte", true, "Z", "txt", 1},
    };
    for (const auto& c : cases) {
        PackWriter writer(1, c.scrambled);
        EXPECT_FALSE(writer.AddFile(c.path, c.type, std::vector<uint8_t>(c.size, 'x'))) << c.what;
        EXPECT_FALSE(writer.error().empty()) << c.what;
    }
    PackWriter writer(1);
    EXPECT_TRUE(writer.AddFile("big", "img", std::vector<uint8_t>(70000, 'x')));  // 32-bit sizes
    EXPECT_TRUE(writer.AddFile("ok", "txt", std::vector<uint8_t>(65535, 'x')));
    EXPECT_FALSE(writer.AddText("OK", "txt", "case-only twin"));  // plain lookups ignore case
    EXPECT_TRUE(writer.AddText("OK", "dat", "another type"));
    EXPECT_FALSE(writer.AddText("ok", "dat", "same name and type"));
    PackWriter scrambled(1, true);
    EXPECT_TRUE(scrambled.AddText("Ok", "txt", "a"));
    EXPECT_TRUE(scrambled.AddText("OK", "txt", "exact names differ"));
}

TEST(PackWriterTest, RefusesTreesBeyondSixteenBitSteps)
{
    PackWriter writer(1);
    for (int i = 0; i < 65535; ++i) {
        ASSERT_TRUE(writer.AddText("Many/" + std::to_string(i), "dat", ""));
    }
    EXPECT_TRUE(writer.Build().empty());
    EXPECT_NE(writer.error().find("65534"), std::string::npos);
}

// Random trees, plain and scrambled, always validate.
TEST(PackWriterTest, RandomTreesAlwaysValidate)
{
    std::mt19937 random(99);
    for (int round = 0; round < 100; ++round) {
        bool scrambled = round % 2 == 1;
        PackWriter writer(static_cast<uint32_t>(round), scrambled);
        int files = 1 + static_cast<int>(random() % 30);
        for (int i = 0; i < files; ++i) {
            std::string path;
            int depth = static_cast<int>(random() % 4);
            for (int d = 0; d < depth; ++d)
                path += "f" + std::to_string(random() % 3) + "/";
            path += "n" + std::to_string(i);
            ASSERT_TRUE(writer.AddFile(path, "dat", std::vector<uint8_t>(random() % 5, 1))) << writer.error();
        }
        std::vector<uint8_t> image = writer.Build();
        EXPECT_EQ(ValidateImage(image.data(), image.size()), "") << round;
    }
}

}  // namespace
