#include "core/data_file.h"
#include "core/log.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

class DataFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/tharn_data_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_folder = pattern;
        SetDataFolder(CStr(m_folder.c_str()));  // no trailing slash: one is added
    }
    void TearDown() override
    {
        LogStop();
        SetDataFolder(CStr());
        std::string command = "rm -rf '" + m_folder + "'";
        EXPECT_EQ(std::system(command.c_str()), 0);
    }

    std::string PathOf(const char* name) const { return m_folder + "/" + name + ".sav"; }

    void WriteFile(const char* name, const std::vector<uint8_t>& bytes) const
    {
        std::ofstream out(PathOf(name), std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }

    std::string ReadFile(const char* name) const
    {
        std::ifstream in(PathOf(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    bool Exists(const char* name) const { return std::ifstream(PathOf(name)).good(); }

    std::string m_folder;
};

}  // namespace

TEST_F(DataFolderTest, NamesMapToSavFilesInTheFolder)
{
    EXPECT_EQ(DataFilePath("zkvprefs"), (m_folder + "/zkvprefs.sav").c_str());
    FILE* f = OpenDataFile("zkvtrainer", DataFileCreate);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(FileWrite("abc", 1, 3, f), 3u);
    EXPECT_TRUE(FileClose(f));
    EXPECT_EQ(ReadFile("zkvtrainer"), "abc");
    EXPECT_EQ(OpenDataFile("zkvtrainer", 7), nullptr);  // no such mode
    EXPECT_TRUE(DeleteDataFile("zkvtrainer"));
    EXPECT_FALSE(DeleteDataFile("zkvtrainer"));
    EXPECT_EQ(OpenDataFile("zkvtrainer", DataFileRead), nullptr);

    SetDataFolder(CStr());  // before start-up nothing is opened anywhere
    EXPECT_EQ(OpenDataFile("zkvtrainer", DataFileCreate), nullptr);
    EXPECT_FALSE(DeleteDataFile("zkvtrainer"));
}

TEST_F(DataFolderTest, VersionedFilesRefuseOldVersions)
{
    struct Case {
        std::vector<uint8_t> bytes;
        bool accepted;
        uint16_t version;
    };
    const Case cases[] = {
        {{5, 0, 'x'}, false, 5}, {{6, 0, 'x'}, true, 6},
        {{9, 0, 'x'}, true, 9},  {{0x0A, 0x01, 'x'}, true, 0x10A},  // little-endian
        {{9}, false, 0},                                            // shorter than the version word
        {{}, false, 0},
    };
    for (const Case& c : cases) {
        WriteFile("zkvsave00", c.bytes);
        EXPECT_EQ(ReadDataFileVersion("zkvsave00"), c.version);
        FILE* f = OpenVersionedFile("zkvsave00", DataFileRead);
        EXPECT_EQ(f != nullptr, c.accepted);
        if (f) {
            char body = 0;
            EXPECT_EQ(FileRead(&body, 1, 1, f), 1u);  // positioned behind the version
            EXPECT_EQ(body, 'x');
            FileClose(f);
        }
    }
    EXPECT_EQ(ReadDataFileVersion("missing"), 0);
    EXPECT_EQ(OpenVersionedFile("missing", DataFileRead), nullptr);
}

TEST_F(DataFolderTest, VersionedWriteAndRefusedUpdate)
{
    FILE* f = OpenVersionedFile("zkvhof0", DataFileCreate);
    ASSERT_NE(f, nullptr);
    FileWrite("body", 1, 4, f);
    FileClose(f);
    EXPECT_EQ(ReadFile("zkvhof0"), std::string("\x09\x00"
                                               "body",
                                               6));
    EXPECT_EQ(OpenVersionedFile("zkvhof0", DataFileUpdate), nullptr);
    EXPECT_EQ(ReadFile("zkvhof0"), std::string("\x09\x00"
                                               "body",
                                               6));  // untouched
}

TEST_F(DataFolderTest, SeekTellAndSizeKeepThePosition)
{
    WriteFile("zkvprefs", {1, 2, 3, 4, 5, 6, 7});
    FILE* f = OpenDataFile("zkvprefs", DataFileUpdate);
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(FileSeek(f, 3, 0));
    EXPECT_EQ(FileSize(f), 7);
    EXPECT_EQ(FileTell(f), 3);
    EXPECT_TRUE(FileSeek(f, 2, 1));
    EXPECT_EQ(FileTell(f), 5);
    EXPECT_TRUE(FileSeek(f, -1, 2));
    EXPECT_EQ(FileTell(f), 6);
    EXPECT_FALSE(FileSeek(f, 0, 3));
    EXPECT_FALSE(FileSeek(f, -100, 0));
    FileClose(f);
    EXPECT_EQ(FileSize(nullptr), -1);
}

TEST_F(DataFolderTest, LogLinesAreIndentedAndEndWithBlankCrLf)
{
    WriteFile(LogFileName, {'o', 'l', 'd'});
    LogWrite("MAIN: before the log is open");  // dropped
    EXPECT_TRUE(LogOpen());
    EXPECT_FALSE(Exists(LogFileName));  // the previous log is deleted
    LogWrite("MAIN: Starting core...");
    LogEnter();
    LogEnter();
    LogWrite(CStr("MAIN: nested"));
    LogLeave();
    LogWrite("QRAPP: two\r\nlines");
    LogLeave();
    LogLeave();  // never below 0
    EXPECT_EQ(LogDepth(), 0);
    LogWrite("MAIN: Core initialized.");
    LogStop();
    LogWrite("MAIN: after the stop");  // dropped
    EXPECT_EQ(ReadFile(LogFileName), "MAIN: Starting core... \r\n"
                                     "\t\tMAIN: nested \r\n"
                                     "\tQRAPP: two\r\nlines \r\n"
                                     "MAIN: Core initialized. \r\n");
}

TEST_F(DataFolderTest, LogLineIsLostWhenTheFileCannotBeOpened)
{
    EXPECT_TRUE(LogOpen());
    const std::string folder = m_folder;
    SetDataFolder(CStr((folder + "/no/such/folder").c_str()));
    LogWrite("MAIN: lost");
    SetDataFolder(CStr(folder.c_str()));
    LogWrite("MAIN: kept");  // the failed write left logging on
    EXPECT_EQ(ReadFile(LogFileName), "MAIN: kept \r\n");
}
