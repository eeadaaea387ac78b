// Section texts: headers, comments, trimming and integers.
#include <gtest/gtest.h>

#include <cstring>

#include "core/text_section_reader.h"
#include "core/text_table.h"
#include "tests/support/fixture_packs.h"

namespace {

TextSectionReader Over(const std::string& text, uint32_t options = TextSectionReader::kAllOptions)
{
    TextSectionReader reader;
    reader.OpenText(text.data(), text.size(), options);
    return reader;
}

TEST(TextSectionReaderTest, SectionEndsAtTheNextHeaderWhichStaysNext)
{
    TextSectionReader reader = Over("[main]\r\n// comment\r\n\r\n   42   // the answer\r\n[cost]\r\n7\r\n");
    ASSERT_TRUE(reader.FindSection("[main]"));
    CStr line;
    ASSERT_TRUE(reader.ReadLine(line));
    EXPECT_STREQ(line.Chars(), "42");
    EXPECT_FALSE(reader.ReadLine(line));
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_EQ(reader.ReadInt(-1), -1);  // still at the header
    ASSERT_TRUE(reader.FindSection("cost"));
    EXPECT_EQ(reader.ReadInt(-1), 7);
    EXPECT_EQ(reader.ReadInt(-1), -1);  // past the last line: the default
    EXPECT_TRUE(reader.AtEnd());
}

TEST(TextSectionReaderTest, FindSectionIgnoresCaseAndTrailingText)
{
    TextSectionReader reader = Over("x\r\n[TREBUCHET] // siege engine\r\n5\r\n");
    EXPECT_FALSE(reader.FindSection(""));
    EXPECT_FALSE(reader.FindSection("Catapult"));
    ASSERT_TRUE(reader.FindSection("Trebuchet"));
    EXPECT_EQ(reader.ReadInt(0), 5);
}

TEST(TextSectionReaderTest, LinesBeforeTheFirstHeaderReadHeadersAsLines)
{
    TextSectionReader reader = Over("1\r\n[next]\r\n2\r\n");
    CStr line;
    ASSERT_TRUE(reader.ReadLine(line));
    EXPECT_STREQ(line.Chars(), "1");
    ASSERT_TRUE(reader.ReadLine(line));
    EXPECT_STREQ(line.Chars(), "[next]");
    ASSERT_TRUE(reader.ReadLine(line));
    EXPECT_STREQ(line.Chars(), "2");
}

TEST(TextSectionReaderTest, OptionsAndIntegerParsing)
{
    // A line of blanks is neither empty nor trimmed, and reads as 0.
    TextSectionReader blanks = Over("   \r\n");
    CStr line;
    ASSERT_TRUE(blanks.ReadLine(line));
    EXPECT_STREQ(line.Chars(), "   ");
    blanks.Rewind();
    EXPECT_EQ(blanks.ReadInt(99), 0);

    // Without options every line comes back as it is.
    TextSectionReader raw = Over("// c\r\n\r\n x // y\r\n", 0);
    std::vector<std::string> got;
    while (raw.ReadLine(line))
        got.emplace_back(line.Chars());
    EXPECT_EQ(got, (std::vector<std::string>{"// c", "", " x // y", ""}));

    struct Case {
        const char* text;
        int32_t value;
    } cases[] = {
        {"12abc", 12},
        {"-7", -7},
        {"+3", 3},
        {"\t 9", 9},
        {"x1", 0},
        {"99999999999", INT32_MAX},
        {"-99999999999", INT32_MIN},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseLeadingInt(c.text), c.value) << c.text;
}

TEST(TextSectionReaderTest, OpensTextResourcesOfBothTypes)
{
    FixtureData data;
    PackWriter writer(1);
    ASSERT_TRUE(writer.AddText("Objects/Battle/Gates/descr", "zkqd", "// gates\r\n120\r\n"));
    data.AddPack("p", writer);
    ASSERT_TRUE(data.Mount());
    TextSectionReader reader("/Objects/Battle/Gates/descr", pack_format::kTextTableType,
                             TextSectionReader::kAllOptions);
    EXPECT_EQ(reader.ReadInt(0), 120);
    TextSectionReader missing;
    EXPECT_FALSE(missing.Open("/Objects/Battle/Wall/descr", pack_format::kTextTableType, 15));
    EXPECT_EQ(missing.ReadInt(33), 33);
}

TEST(TextTableTest, IndentedNamesAndValues)
{
    const std::string text = "Main (1, 2)\r\n"
                             "\tMenu (\"New game\", 7)\r\n"
                             "\t// not a node\r\n"
                             "\tItem (a)\r\n"
                             "\t\tItem (deep)\r\n"
                             "\tItem (b)\r\n"
                             "Other\r\n"
                             "\tItem (c)\r\n";
    CTextTable table;
    table.Build(text.data(), text.size());
    EXPECT_EQ(table.NodeCount(), 7u);
    ASSERT_TRUE(table.Find("/main/menu"));
    EXPECT_STREQ(table.FoundPath().Chars(), "/main/menu");
    EXPECT_STREQ(table.ReadValue().Chars(), "New game");
    EXPECT_STREQ(table.ReadValue().Chars(), "7");
    ASSERT_TRUE(table.Find("/Main/Item"));
    EXPECT_STREQ(table.ReadValue().Chars(), "a");
    ASSERT_TRUE(table.FindNext());  // passes over the deeper "Item"
    EXPECT_STREQ(table.ReadValue().Chars(), "b");
    EXPECT_FALSE(table.FindNext());  // "Other/Item" has another parent
    EXPECT_FALSE(table.Find("/Main/Men"));
    ASSERT_TRUE(table.Find("/Other"));
    ASSERT_TRUE(table.Find("Item"));  // relative to the current node
    EXPECT_STREQ(table.ReadValue().Chars(), "c");
}

TEST(TextTableTest, QuotedValuesKeepBlanksAndEscapes)
{
    const std::string text = "Key (\"a\\tb\\\\c\", x y ,\"\")\r\n";
    CTextTable table;
    table.Build(text.data(), text.size());
    ASSERT_TRUE(table.Find("Key"));
    EXPECT_STREQ(table.ReadValue().Chars(), "a\tb\\c");
    EXPECT_STREQ(table.ReadValue().Chars(), "xy");
    EXPECT_STREQ(table.ReadValue().Chars(), "");
}

}  // namespace
