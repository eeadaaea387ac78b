// pakc's core: source texts, the type map and folder trees into packs.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/pack_format.h"
#include "tests/support/temp_folder.h"
#include "tools/pack/pack_compiler.h"

using namespace pack_format;

namespace {

TEST(PackCompilerTest, SourceTextBecomesWindows1252WithCrLf)
{
    struct Case {
        std::string source;
        std::string text;  // empty with error set: refused
        std::string error;
    } cases[] = {
        {"a\nb\n", "a\r\nb\r\n", ""},
        {"a\r\nb", "a\r\nb", ""},
        {"\xEF\xBB\xBFkey=v\n", "key=v\r\n", ""},
        {"caf\xC3\xA9 90\xC2\xB0", "caf\xE9 90\xB0", ""},
        {"\xE2\x82\xAC \xE2\x80\x9Cq\xE2\x80\x9D", "\x80 \x93q\x94", ""},
        {"ok\nbad\rline\n", "", "line 2: carriage return without line feed"},
        {"ok\n\xE2\x86\x92\n", "", "line 2: a character Windows-1252 cannot hold"},
        {"\xC3", "", "line 1: malformed UTF-8"},
        {"\xC0\x80", "", "line 1: malformed UTF-8"},
        {"\xFF", "", "line 1: malformed UTF-8"},
    };
    for (const auto& c : cases) {
        std::string out, error;
        bool ok = ConvertSourceText(c.source, &out, &error);
        EXPECT_EQ(ok, c.error.empty()) << c.source;
        if (ok) {
            EXPECT_EQ(out, c.text) << c.source;
        } else {
            EXPECT_EQ(error, c.error) << c.source;
        }
    }
}

TEST(PackCompilerTest, TypeMapLinesAndErrors)
{
    SourceTypeMap map;
    std::string error;
    ASSERT_TRUE(map.Parse("# comment\n.txt txt text\nRULES zkqd text # trailing\nmd ignore\nimg img binary\n",
                          "types.map", &error))
        << error;
    ASSERT_NE(map.Find("TXT"), nullptr);
    EXPECT_EQ(map.Find("txt")->type, kTextType);
    EXPECT_EQ(map.Find("rules")->type, kTextTableType);
    EXPECT_EQ(map.Find("rules")->conversion, SourceConversion::kText);
    EXPECT_EQ(map.Find("md")->conversion, SourceConversion::kIgnore);
    EXPECT_EQ(map.Find("png"), nullptr);

    struct Case {
        const char* text;
        const char* error;
    } cases[] = {
        {"txt txt\n", "m:1: conversion must be \"text\" or \"binary\""},
        {"\nx toolong text\n", "m:2: a type has 3 or 4 letters"},
        {"x ... binary\n", "m:1: \"...\" is the folder type"},
        {"a txt text\nA dat binary\n", "m:2: extension \"A\" mapped twice"},
        {"a txt text extra\n", "m:1: too many words"},
    };
    for (const auto& c : cases) {
        SourceTypeMap bad;
        EXPECT_FALSE(bad.Parse(c.text, "m", &error)) << c.text;
        EXPECT_EQ(error, c.error);
    }
}

class SourceTrees : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(m_types.Parse("txt txt text\ndat dat binary\nmd ignore\n", "t", &error));
    }
    void Put(const std::string& relative, const std::string& bytes)
    {
        std::filesystem::create_directories(std::filesystem::path(m_folder.File(relative)).parent_path());
        ASSERT_TRUE(m_folder.Write(relative, bytes));
    }
    SourceTypeMap m_types;
    TempFolder m_folder;
};

TEST_F(SourceTrees, TwoRootsJoinTheSameFolders)
{
    Put("authored/Locale/locale.txt", "k=v\n");
    Put("authored/Locale/notes.md", "not packed");
    Put("authored/.hidden", "skipped");
    Put("generated/Locale/Fonts/font.dat", "\x01\x02");
    Put("generated/Sounds/beep.dat", "b");
    PackWriter writer(42);
    std::vector<std::string> inputs;
    std::string error;
    ASSERT_TRUE(CompileSourceRoots({m_folder.File("authored"), m_folder.File("generated")}, m_types, &writer,
                                   &inputs, &error))
        << error;
    std::vector<uint8_t> image = writer.Build();
    EXPECT_EQ(ValidateImage(image.data(), image.size()), "");
    // Locale(folder) locale Fonts(folder) font Sounds(folder) beep
    EXPECT_EQ(writer.entryCount(), 6u);
    std::string bytes(image.begin(), image.end());
    EXPECT_NE(bytes.find("k=v\r\n"), std::string::npos);
    EXPECT_EQ(bytes.find("not packed"), std::string::npos);
    EXPECT_EQ(bytes.find("skipped"), std::string::npos);
    // Every file and folder read is an input of the build step.
    EXPECT_NE(std::find(inputs.begin(), inputs.end(), m_folder.File("generated/Sounds")), inputs.end());
    EXPECT_NE(std::find(inputs.begin(), inputs.end(), m_folder.File("authored/Locale/locale.txt")),
              inputs.end());
}

TEST_F(SourceTrees, ErrorsNameTheSourceFile)
{
    struct Case {
        const char* file;
        const char* bytes;
        const char* message;
    } cases[] = {
        {"a/x.png", "p", "no type is mapped to the extension \"png\""},
        {"a/noext", "p", "a source file needs an extension"},
        {"a/averyveryverylongname.txt", "p", "longer than 16 characters"},
        {"a/t.txt", "one\nt\rwo\n", "t.txt: line 2: carriage return"},
        {"a/caf\xC3\xA9.txt", "x", "a name must be printable ASCII"},
    };
    for (const auto& c : cases) {
        std::filesystem::remove_all(m_folder.File("a"));
        Put(c.file, c.bytes);
        PackWriter writer(1);
        std::vector<std::string> inputs;
        std::string error;
        EXPECT_FALSE(CompileSourceRoots({m_folder.File("a")}, m_types, &writer, &inputs, &error)) << c.file;
        EXPECT_NE(error.find(c.message), std::string::npos) << error;
    }
    std::filesystem::remove_all(m_folder.File("a"));
    Put("a/same.txt", "1");
    Put("b/same.txt", "2");
    PackWriter writer(1);
    std::vector<std::string> inputs;
    std::string error;
    EXPECT_FALSE(
        CompileSourceRoots({m_folder.File("a"), m_folder.File("b")}, m_types, &writer, &inputs, &error));
    EXPECT_NE(error.find("exists already"), std::string::npos) << error;
}

}  // namespace
