// missionc: compiles a readable mission source into the mission's data (the
// game's own world stream), its name texts and its map blocks.
//
//   missionc --units <unit source folder> --out <mission folder>
//            [--large-out <mission folder>] [--seed-save <file>] [--seed-hof <file>] <source>
//
// Writes <out>/mission.dat, <out>/mission.txt, <out>/map.dat and the map's
// strip pictures <out>/block<i>.img and <out>/domblock<i>.img. --large-out
// writes the strips of a screen twice as large: its full scale the full
// strips with every pixel doubled (a pixel holds a region id, so none is
// mixed), its half scale the full strips as they are. The world is
// written by the game's stream, read back by the game's reader and written
// again; the build fails unless both writes agree byte for byte.
//
// The seed options also write a saved game of the mission's first turn and a
// hall of fame with one entry per player: the fuzz targets start from them.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "core/byte_stream.h"
#include "game/game_world.h"
#include "game/hall_of_fame.h"
#include "game/saved_game.h"
#include "game/squad_type.h"
#include "tools/missionc/map_painter.h"
#include "tools/missionc/mission_source.h"

namespace {
std::string g_units;

bool KnownSquadType(const std::string& id)
{
    return std::filesystem::is_regular_file(std::filesystem::path(g_units) / id / "descr.rules");
}

template <typename F>
std::vector<uint8_t> Write(F&& routine)
{
    CSizeCounter counter;
    routine(static_cast<CByteStream&>(counter));
    std::vector<uint8_t> bytes(counter.Capacity());
    CStreamWriter writer(bytes.data(), uint32_t(bytes.size()));
    routine(static_cast<CByteStream&>(writer));
    return bytes;
}

bool Save(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    return bool(out);
}

// A saved game and a hall of fame of the mission as it starts. The squad
// types only need their ids here: saves name squads by id.
bool WriteSeeds(const MissionSource& source, const std::vector<uint8_t>& mission, const std::string& savePath,
                const std::string& hofPath)
{
    for (const std::string& id : source.slots) {
        auto* type = new CSquadType;
        type->typeId = CStr(id.c_str());
        type->hp = 1;
        RegisterSquadType(type);
    }
    CGameWorld world;
    SetActiveWorld(&world);
    CStreamReader reader(mission.data(), uint32_t(mission.size()));
    bool ok = LoadWorldFromStream(reader, world);
    for (int i = 0; ok && i < world.PlayerCount(); ++i)
        world.Player(i).name = CStr(source.players[size_t(i)].name.c_str());
    for (int i = 0; ok && i < world.ProvinceCount(); ++i)
        world.Province(i).name = CStr(source.provinces[size_t(i)].name.c_str());
    CStr path("/Scenarios/seed/Mission001");
    SessionState session;
    std::vector<uint8_t> save;
    if (ok && !savePath.empty())
        ok = WriteSavedGame(SavedGameParts{world, path, session}, save) &&
             Save(savePath, std::string(save.begin(), save.end()));
    if (ok && !hofPath.empty()) {
        HallOfFameConfig().blocks[1].base = 25000;
        HallOfFameGame game{&world, path, 12, 1};
        for (int i = 0; i < world.PlayerCount(); ++i)
            AddToHallOfFame(world.Player(i), game);
        const std::vector<uint8_t> hof = WriteHallOfFame();
        ok = Save(hofPath, std::string(hof.begin(), hof.end()));
    }
    FreeHallOfFame();
    SetActiveWorld(nullptr);
    FreeSquadTypes();
    return ok;
}

int Fail(const std::string& message)
{
    std::fprintf(stderr, "missionc: %s\n", message.c_str());
    return 1;
}
IndexedPicture Doubled(const IndexedPicture& small)
{
    IndexedPicture large;
    large.width = static_cast<uint16_t>(small.width * 2);
    large.height = static_cast<uint16_t>(small.height * 2);
    large.pixels.resize(static_cast<size_t>(large.width) * large.height);
    for (int y = 0; y < large.height; ++y)
        for (int x = 0; x < large.width; ++x)
            large.pixels[static_cast<size_t>(y) * large.width + x] = small.At(x / 2, y / 2);
    return large;
}

bool SaveLargeStrips(const PaintedMap& painted, const std::string& dir)
{
    std::filesystem::create_directories(dir);
    const std::filesystem::path out(dir);
    for (size_t i = 0; i < painted.full.size(); ++i) {
        ImageEncodeOptions options;  // opaque, drawn with the current palette
        const EncodeResult full = EncodeImage(Doubled(painted.full[i]), options);
        const EncodeResult half = EncodeImage(painted.full[i], options);
        if (!full.ok() || !half.ok() ||
            !Save(out / ("block" + std::to_string(i) + ".img"),
                  std::string(full.bytes.begin(), full.bytes.end())) ||
            !Save(out / ("domblock" + std::to_string(i) + ".img"),
                  std::string(half.bytes.begin(), half.bytes.end())))
            return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string outDir;
    std::string sourcePath;
    std::string seedSave;
    std::string seedHof;
    std::string largeDir;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--units" && i + 1 < argc)
            g_units = argv[++i];
        else if (arg == "--out" && i + 1 < argc)
            outDir = argv[++i];
        else if (arg == "--large-out" && i + 1 < argc)
            largeDir = argv[++i];
        else if (arg == "--seed-save" && i + 1 < argc)
            seedSave = argv[++i];
        else if (arg == "--seed-hof" && i + 1 < argc)
            seedHof = argv[++i];
        else
            sourcePath = arg;
    }
    if (g_units.empty() || outDir.empty() || sourcePath.empty())
        return Fail("usage: missionc --units <folder> --out <folder> <source>");

    std::ifstream in(sourcePath, std::ios::binary);
    if (!in)
        return Fail("cannot read " + sourcePath);
    std::stringstream text;
    text << in.rdbuf();

    MissionSource source;
    std::string error;
    if (!ParseMissionSource(sourcePath, text.str(), source, error))
        return Fail(error);
    CGameWorld world;
    SetActiveWorld(&world);
    if (!BuildMissionWorld(source, KnownSquadType, world, error))
        return Fail(error);
    // The map is painted first: each province's rect is where its pixels lie.
    PaintedMap painted;
    if (!PaintMissionMap(source, painted, error))
        return Fail(sourcePath + ": " + error);
    for (int i = 0; i < world.ProvinceCount(); ++i)
        for (int j = 0; j < 4; ++j)
            world.Province(i).rect[j] = painted.rects[size_t(i)][size_t(j)];

    const std::vector<uint8_t> bytes = Write([&](CByteStream& s) { world.Stream(s); });
    if (bytes.size() > 65535)
        return Fail(sourcePath + ": the mission data is " + std::to_string(bytes.size()) +
                    " bytes; a data resource holds at most 65535");
    CGameWorld back;
    SetActiveWorld(&back);
    CStreamReader reader(bytes.data(), uint32_t(bytes.size()));
    back.Stream(reader);
    if (reader.HasError() || reader.Position() != bytes.size())
        return Fail(sourcePath + ": the game's reader does not take the written data back");
    if (Write([&](CByteStream& s) { back.Stream(s); }) != bytes)
        return Fail(sourcePath + ": the data read back writes different bytes");

    // Names: the world, one line per player, one per province.
    std::string names = source.world + "\n";
    for (const auto& p : source.players)
        names += p.name + "\n";
    for (const auto& p : source.provinces)
        names += p.name + "\n";
    if (names.size() > 65000)
        return Fail(sourcePath + ": the mission texts are too long");

    // Map blocks: the band table and the strip pictures of both scales.
    const std::vector<uint8_t> map = Write([&](CByteStream& s) { world.StreamBlockList(painted.blocks, s); });

    std::filesystem::create_directories(outDir);
    const std::filesystem::path out(outDir);
    if (!Save(out / "mission.dat", std::string(bytes.begin(), bytes.end())) ||
        !Save(out / "mission.txt", names) || !Save(out / "map.dat", std::string(map.begin(), map.end())))
        return Fail("cannot write into " + outDir);
    for (size_t i = 0; i < painted.full.size(); ++i) {
        ImageEncodeOptions options;  // opaque, drawn with the current palette
        const EncodeResult full = EncodeImage(painted.full[i], options);
        const EncodeResult half = EncodeImage(painted.half[i], options);
        if (!full.ok() || !half.ok())
            return Fail(sourcePath + ": map strip " + std::to_string(i) + ": " + full.error + half.error);
        if (!Save(out / ("block" + std::to_string(i) + ".img"),
                  std::string(full.bytes.begin(), full.bytes.end())) ||
            !Save(out / ("domblock" + std::to_string(i) + ".img"),
                  std::string(half.bytes.begin(), half.bytes.end())))
            return Fail("cannot write into " + outDir);
    }
    if (!largeDir.empty() && !SaveLargeStrips(painted, largeDir))
        return Fail(sourcePath + ": cannot write the large map strips into " + largeDir);
    SetActiveWorld(nullptr);
    if ((!seedSave.empty() || !seedHof.empty()) && !WriteSeeds(source, bytes, seedSave, seedHof))
        return Fail(sourcePath + ": cannot write the fuzzing seeds");
    return 0;
}
