#include "ui/keyboard_layout.h"

#include <gtest/gtest.h>

#include <string>

#include "core/path_mgr.h"
#include "tests/support/fixture_packs.h"

namespace {

std::vector<CStr> Lines(std::initializer_list<const char*> lines)
{
    std::vector<CStr> result;
    for (const char* line : lines)
        result.emplace_back(line);
    return result;
}

const char* const kLayoutText = "; test layout\r\n"
                                "[lowercase] rows\r\n"  // any case, and text after the header
                                "qwe\r\nas d\r\nzx\r\n1\r\n \r\n\r\n"
                                "[UpperCase]\r\n"
                                "QWE\r\nAS D\r\nZ\r\n!\r\n \r\n\r\n"
                                "[CapsLockLower]\r\n"
                                "qwE\r\nas d\r\nzx\r\n1\r\n \r\n\r\n"
                                "[CapsLockUpper]\r\n"
                                "QWe\r\nAS D\r\nZX\r\n!\r\n \r\n";

TEST(KeyboardLayout, RowsAndCaptionsOfEveryState)
{
    FixtureData data;
    PackWriter writer(1);
    ASSERT_TRUE(writer.AddText("Locale/Keyboards/test", "kbd", kLayoutText));
    data.AddPack("p", writer);
    ASSERT_TRUE(data.Mount());
    CPathMgr::Init();

    KeyboardLayout layout;
    EXPECT_FALSE(layout.Load("missing"));
    EXPECT_FALSE(layout.IsLoaded());
    ASSERT_TRUE(layout.Load("test"));
    EXPECT_EQ(layout.SectionStart(KeyboardLowerCase), 2);
    const int32_t keys[] = {3, 4, 2, 1, 1};
    for (int32_t row = 0; row < KeyboardRowCount; ++row)
        EXPECT_EQ(layout.KeyCount(row), keys[row]) << row;

    struct Case {
        KeyboardState state;
        int32_t row, key;
        const char* caption;
    };
    const Case cases[] = {
        {KeyboardLowerCase, 0, 0, "q"},     {KeyboardUpperCase, 0, 0, "Q"},
        {KeyboardCapsLockLower, 0, 2, "E"}, {KeyboardCapsLockUpper, 0, 2, "e"},
        {KeyboardLowerCase, 1, 2, " "},                                     // a blank in a row is a key
        {KeyboardUpperCase, 2, 1, ""},                                      // the upper-case row is shorter
        {KeyboardLowerCase, 4, 0, " "},     {KeyboardLowerCase, 5, 0, ""},  // no sixth row
        {KeyboardLowerCase, 0, 3, ""},                                      // past the row
        {KeyboardLowerCase, -1, 0, ""},
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(layout.Caption(c.state, c.row, c.key).Chars(), c.caption)
            << int(c.state) << " " << c.row << " " << c.key;
    }
}

TEST(KeyboardLayout, ShiftAndCapsChooseTheState)
{
    EXPECT_EQ(KeyboardLayout::StateFor(false, false), KeyboardLowerCase);
    EXPECT_EQ(KeyboardLayout::StateFor(false, true), KeyboardUpperCase);
    EXPECT_EQ(KeyboardLayout::StateFor(true, false), KeyboardCapsLockLower);
    EXPECT_EQ(KeyboardLayout::StateFor(true, true), KeyboardCapsLockUpper);
}

TEST(KeyboardLayout, MissingHeadersAndShortTexts)
{
    KeyboardLayout layout;
    // None of the headers: refused, and an earlier layout stays.
    ASSERT_TRUE(layout.Parse(Lines({"[UpperCase]", "AB"})));
    EXPECT_FALSE(layout.Parse(Lines({"ab", "cd"})));
    EXPECT_STREQ(layout.Caption(KeyboardUpperCase, 0, 1).Chars(), "B");
    // A missing header reads its rows from the first lines of the text.
    EXPECT_EQ(layout.SectionStart(KeyboardLowerCase), 0);
    EXPECT_STREQ(layout.RowLine(KeyboardLowerCase, 0).Chars(), "[UpperCase]");
    // Rows past the end of a short text are empty, not read out of bounds.
    EXPECT_STREQ(layout.RowLine(KeyboardUpperCase, 1).Chars(), "");
    EXPECT_EQ(layout.KeyCount(4), 0);
    // A header on the last line: its section is empty.
    ASSERT_TRUE(layout.Parse(Lines({"x", "[CapsLockUpper]"})));
    EXPECT_STREQ(layout.RowLine(KeyboardCapsLockUpper, 0).Chars(), "");
}

}  // namespace
