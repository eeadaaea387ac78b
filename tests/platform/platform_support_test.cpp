// Code page, PNG encoding, settings and the data-folder listing.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "platform/code_page.h"
#include "platform/headless/headless_backend.h"
#include "platform/platform.h"
#include "platform/platform_settings.h"
#include "platform/png_writer.h"
#include "platform/video_choice.h"

namespace {

TEST(CodePage, MapsBothWaysIncludingTheHighControlsRow)
{
    struct Case {
        uint32_t unicode;
        uint8_t byte;
    } cases[] = {{'A', 'A'},   {0x20AC, 0x80}, {0x2122, 0x99}, {0x0178, 0x9F},
                 {0xE9, 0xE9}, {0xFF, 0xFF},   {0xA0, 0xA0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.unicode);
        EXPECT_EQ(UnicodeToCodePage(c.unicode), c.byte);
        EXPECT_EQ(CodePageToUnicode(c.byte), c.unicode);
    }
    // Unassigned bytes stand for themselves; characters outside the page become '?'.
    EXPECT_EQ(CodePageToUnicode(0x81), 0x81u);
    EXPECT_EQ(UnicodeToCodePage(0x81), 0x81);
    EXPECT_EQ(UnicodeToCodePage(0x4E00), '?');
    EXPECT_EQ(UnicodeToCodePage(0x0100), '?');
    EXPECT_EQ(CodePageToUtf8("a\x80\xE9"), "a\xE2\x82\xAC\xC3\xA9");
    EXPECT_EQ(Utf8ToUnicode("\xE2\x82\xAC\xF0\x9F\x98\x80z"), U"\u20AC\U0001F600z");
    EXPECT_EQ(Utf8ToUnicode("\xC3"), U"\uFFFD") << "a cut sequence";
    EXPECT_EQ(Utf8ToUnicode("\xFFq"), U"\uFFFDq");
}

TEST(PngWriter, MatchesAnIndependentEncodingByteForByte)
{
    // Made with another PNG/zlib implementation: 2x1, red then (0, 128, 255), stored deflate.
    const std::vector<uint8_t> expected = {
        0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44,
        0x52, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x01, 0x08, 0x02, 0x00, 0x00, 0x00, 0x7B,
        0x40, 0xE8, 0xDD, 0x00, 0x00, 0x00, 0x12, 0x49, 0x44, 0x41, 0x54, 0x78, 0x01, 0x01, 0x07,
        0x00, 0xF8, 0xFF, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x80, 0xFF, 0x08, 0x00, 0x02, 0x7F, 0xD5,
        0x70, 0x6E, 0xAA, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};
    EXPECT_EQ(EncodePng(2, 1, {255, 0, 0, 0, 128, 255}), expected);
}

TEST(PngWriter, SplitsLargeImagesIntoStoredBlocksOfAtMost65535Bytes)
{
    const int w = 200, h = 120;  // 72120 bytes of scanlines: two blocks
    std::vector<uint8_t> rgb(w * h * 3);
    for (size_t i = 0; i < rgb.size(); ++i) {
        rgb[i] = static_cast<uint8_t>(i * 31);
    }
    std::vector<uint8_t> png = EncodePng(w, h, rgb);
    size_t p = 8 + 25 + 8 + 2;  // signature, IHDR chunk, IDAT length+type, zlib header
    std::vector<uint8_t> raw;
    bool last = false;
    int blocks = 0;
    while (!last) {
        ASSERT_LT(p + 5, png.size());
        last = png[p] & 1;
        uint16_t len = png[p + 1] | (png[p + 2] << 8);
        uint16_t nlen = png[p + 3] | (png[p + 4] << 8);
        EXPECT_EQ(static_cast<uint16_t>(~len), nlen);
        raw.insert(raw.end(), png.begin() + p + 5, png.begin() + p + 5 + len);
        p += 5 + len;
        ++blocks;
    }
    EXPECT_EQ(blocks, 2);
    ASSERT_EQ(raw.size(), static_cast<size_t>((w * 3 + 1) * h));
    EXPECT_EQ(raw[0], 0);  // filter byte
    EXPECT_EQ(raw[(w * 3 + 1) * (h - 1) + 1], rgb[w * 3 * (h - 1)]);
}

TEST(PlatformSettings, ReadsTheEnvironmentAndKeepsDefaultsForNonsense)
{
    std::map<std::string, std::string> env;
    static std::map<std::string, std::string>* current = nullptr;
    current = &env;
    auto lookup = [](const char* name) -> const char* {
        auto it = current->find(name);
        return it == current->end() ? nullptr : it->second.c_str();
    };
    PlatformSettings d = ReadPlatformSettings(lookup);
    EXPECT_EQ(d.screenWidth, 240);
    EXPECT_EQ(d.screenHeight, 320);
    EXPECT_EQ(d.orientation, 0);
    EXPECT_EQ(d.scale, 2);
    EXPECT_EQ(d.video, "");

    env = {{"THARNMOOR_VIDEO", "headless"}, {"THARNMOOR_DATA", "/tmp/d"}, {"THARNMOOR_SCREEN", "480x640"},
           {"THARNMOOR_ORIENTATION", "4"},  {"THARNMOOR_SCALE", "3"},     {"THARNMOOR_SCRIPT", "s.txt"},
           {"THARNMOOR_SHOTS", "shots"}};
    PlatformSettings s = ReadPlatformSettings(lookup);
    EXPECT_EQ(s.video, "headless");
    EXPECT_EQ(s.dataFolder, "/tmp/d/");
    EXPECT_EQ(s.screenWidth, 480);
    EXPECT_EQ(s.screenHeight, 640);
    EXPECT_EQ(s.orientation, 4);
    EXPECT_EQ(s.scale, 3);
    EXPECT_EQ(s.script, "s.txt");
    EXPECT_EQ(s.shots, "shots");

    for (const char* bad : {"640", "x480", "10x10", "4000x300", "240x320x2", "abc"}) {
        env = {{"THARNMOOR_SCREEN", bad}, {"THARNMOOR_ORIENTATION", "3"}, {"THARNMOOR_SCALE", "0"}};
        PlatformSettings b = ReadPlatformSettings(lookup);
        EXPECT_EQ(b.screenWidth, 240) << bad;
        EXPECT_EQ(b.screenHeight, 320) << bad;
        EXPECT_EQ(b.orientation, 0);
        EXPECT_EQ(b.scale, 2);
    }
}

// A backend named is had or the run fails; only a run that names none falls
// back from the window to headless.
TEST(VideoChoice, ABackendNamedIsAPromiseAndOnlyTheUnnamedChoiceFallsBack)
{
    const struct {
        const char* named;
        bool sdlBuilt, display;
        VideoChoice expected;
    } cases[] = {
        {"sdl", false, true, VideoChoice::Unmet},          {"sdl", false, false, VideoChoice::Unmet},
        {"sdl", true, false, VideoChoice::Window},         {"sdl", true, true, VideoChoice::Window},
        {"headless", true, true, VideoChoice::Headless},   {"headless", false, false, VideoChoice::Headless},
        {"", true, true, VideoChoice::WindowElseHeadless}, {"", true, false, VideoChoice::Headless},
        {"", false, true, VideoChoice::Headless},          {"SDL", true, true, VideoChoice::Unmet},
        {"window", false, false, VideoChoice::Unmet},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "'" << c.named << "' sdl " << c.sdlBuilt << " display " << c.display);
        const VideoDecision d = ChooseVideo(c.named, c.sdlBuilt, c.display);
        EXPECT_EQ(d.choice, c.expected);
        EXPECT_EQ(d.refusal.empty(), c.expected != VideoChoice::Unmet) << d.refusal;
    }
    EXPECT_EQ(ChooseVideo("sdl", false, true).refusal,
              "THARNMOOR_VIDEO=sdl asks for a window, but this program was built without SDL2");
}

TEST(DataFolder, ListsPacksOfAnyCaseSortedAndSkipsEverythingElse)
{
    namespace fs = std::filesystem;
    fs::path dir = fs::temp_directory_path() / ("tharn_packs_" + std::to_string(::getpid()));
    fs::create_directories(dir / "folder.pak");
    for (const char* name :
         {"b.PAK", "a.pak", "c.Pak", "B.pak", "notes.txt", "x.paks", "pak", "zkvlog.sav"}) {
        std::ofstream(dir / name) << "x";
    }
    EXPECT_EQ(ListPackFiles(dir.string()), (std::vector<std::string>{"B.pak", "a.pak", "b.PAK", "c.Pak"}));
    EXPECT_EQ(ListPackFiles(dir.string() + "/"), ListPackFiles(dir.string()));
    EXPECT_TRUE(ListPackFiles((dir / "missing").string()).empty());
    fs::remove_all(dir);
}

TEST(DataFolder, DefaultsToDataBesideTheProgramAndFollowsTheSetting)
{
    HeadlessOptions o;
    UseHeadlessPlatform(o);
    std::string program = GetProgramPath();
    ASSERT_FALSE(program.empty());
    EXPECT_EQ(GetDataFolderPath(), program.substr(0, program.rfind('/') + 1) + "Data/");
    o.settings.dataFolder = "/somewhere/else/";
    UseHeadlessPlatform(o);
    EXPECT_EQ(GetDataFolderPath(), "/somewhere/else/");
    PlatformClose();
}

TEST(DataFolder, ReplacesAFileWholeOrNotAtAll)
{
    namespace fs = std::filesystem;
    fs::path dir = fs::temp_directory_path() / ("tharn_replace_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const auto read = [](const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    };
    std::ofstream(dir / "file.sav") << "old";
    std::ofstream(dir / "file_new.sav") << "new and longer";
    EXPECT_TRUE(ReplaceFileDurably((dir / "file_new.sav").string(), (dir / "file.sav").string()));
    EXPECT_EQ(read(dir / "file.sav"), "new and longer");
    EXPECT_FALSE(fs::exists(dir / "file_new.sav"));
    // Nothing to put in place: the old file stays.
    EXPECT_FALSE(ReplaceFileDurably((dir / "missing.sav").string(), (dir / "file.sav").string()));
    EXPECT_EQ(read(dir / "file.sav"), "new and longer");
    fs::remove_all(dir);
}

}  // namespace
