#include "tools/missionc/mission_source.h"

#include <map>
#include <set>
#include <sstream>

#include "game/player_record.h"

namespace {
std::string Where(const std::string& file, int line)
{
    return file + ":" + std::to_string(line) + ": ";
}

std::string Trim(const std::string& s)
{
    const size_t a = s.find_first_not_of(" \t\r");
    if (a == std::string::npos)
        return "";
    const size_t b = s.find_last_not_of(" \t\r");
    return s.substr(a, b - a + 1);
}

bool ToInt(const std::string& word, int64_t& out)
{
    if (word.empty())
        return false;
    size_t used = 0;
    try {
        out = std::stoll(word, &used, 0);
    } catch (...) {
        return false;
    }
    return used == word.size();
}

// Words of a line, and the rest of the line after the first n words.
struct Line {
    std::vector<std::string> words;
    std::string text;
    std::string RestAfter(size_t n) const
    {
        std::istringstream in(text);
        std::string w;
        for (size_t i = 0; i < n && in >> w; ++i) {
        }
        std::string rest;
        std::getline(in, rest);
        return Trim(rest);
    }
};
}  // namespace

bool ParseMissionSource(const std::string& file, const std::string& text, MissionSource& out,
                        std::string& error)
{
    out = MissionSource();
    out.file = file;
    std::istringstream in(text);
    std::string raw;
    int lineNo = 0;
    auto fail = [&](const std::string& what) {
        error = Where(file, lineNo) + what;
        return false;
    };
    while (std::getline(in, raw)) {
        ++lineNo;
        const size_t hash = raw.find('#');
        Line line;
        line.text = Trim(hash == std::string::npos ? raw : raw.substr(0, hash));
        if (line.text.empty())
            continue;
        std::istringstream words(line.text);
        for (std::string w; words >> w;)
            line.words.push_back(w);
        const std::string& key = line.words[0];
        auto numbers = [&](size_t from, std::vector<int64_t>& values) {
            values.clear();
            for (size_t i = from; i < line.words.size(); ++i) {
                int64_t v = 0;
                if (!ToInt(line.words[i], v))
                    return fail("\"" + line.words[i] + "\" is not a number");
                values.push_back(v);
            }
            return true;
        };
        auto number = [&](size_t i, int64_t lo, int64_t hi, int64_t& v) {
            if (i >= line.words.size() || !ToInt(line.words[i], v))
                return fail(key + ": value " + std::to_string(i) + " is missing or not a number");
            if (v < lo || v > hi)
                return fail(key + ": " + line.words[i] + " is not within " + std::to_string(lo) + ".." +
                            std::to_string(hi));
            return true;
        };
        int64_t v = 0;
        if (key == "world") {
            out.world = line.RestAfter(1);
        } else if (key == "tag") {
            if (!number(1, 0, UINT32_MAX, v))
                return false;
            out.tag = uint32_t(v);
        } else if (key == "value") {
            if (!number(1, 0, UINT32_MAX, v))
                return false;
            out.value = uint32_t(v);
        } else if (key == "kinds") {
            out.kinds.assign(line.words.begin() + 1, line.words.end());
            for (const std::string& k : out.kinds)
                if (k.size() != 4)
                    return fail("resource kind \"" + k + "\" is not four characters");
        } else if (key == "slots") {
            out.slots.assign(line.words.begin() + 1, line.words.end());
            out.slotsLine = lineNo;
        } else if (key == "goal") {
            if (!number(1, 0, 255, v))
                return false;
            out.goalKind = int(v);
            if (!numbers(2, out.goalValues))
                return false;
        } else if (key == "limit") {
            if (!number(1, 0, 255, v))
                return false;
            out.limitKind = int(v);
            if (line.words.size() > 2 && !number(2, 0, 65535, out.limitValue))
                return false;
        } else if (key == "player") {
            // player <id> <capital> <battle> <builder> <stealth> <assignment> <hero kind> <name>
            MissionSource::Player p;
            p.line = lineNo;
            if (!number(1, 0, 255, v))
                return false;
            p.id = int(v);
            if (line.words.size() < 3)
                return fail("player: the capital is missing");
            p.capital = line.words[2];
            for (int i = 0; i < 3; ++i) {
                if (!number(size_t(3 + i), 0, 15, v))
                    return false;
                p.skills[i] = int(v);
            }
            if (!number(6, 0, 255, v))
                return false;
            p.assignment = int(v);
            if (!number(7, 0, 255, v))
                return false;
            p.heroKind = int(v);
            p.name = line.RestAfter(8);
            out.players.push_back(p);
        } else if (key == "army" || key == "treasury") {
            if (out.players.empty())
                return fail(key + " before any player");
            if (!numbers(1, key == "army" ? out.players.back().army : out.players.back().treasury))
                return false;
        } else if (key == "province") {
            // province <key> <col> <row> <name>
            MissionSource::Province p;
            p.line = lineNo;
            if (line.words.size() < 2)
                return fail("province: the key is missing");
            p.key = line.words[1];
            if (!number(2, 0, 40, v))
                return false;
            p.col = int(v);
            if (!number(3, 0, 40, v))
                return false;
            p.row = int(v);
            p.name = line.RestAfter(4);
            out.provinces.push_back(p);
        } else if (key == "income" || key == "garrison" || key == "owner" || key == "castle" ||
                   key == "link" || key == "cut") {
            if (out.provinces.empty())
                return fail(key + " before any province");
            MissionSource::Province& p = out.provinces.back();
            if (key == "income") {
                if (!numbers(1, p.income))
                    return false;
            } else if (key == "garrison") {
                if (!numbers(1, p.garrison))
                    return false;
            } else if (key == "owner") {
                p.ownerLine = lineNo;
                if (line.words.size() == 2 && line.words[1] == "none")
                    p.owner = -1;
                else if (!number(1, 0, 255, v))
                    return false;
                else
                    p.owner = int(v);
            } else if (key == "castle") {
                // castle <percent> [moat] [walls] [catapults N] [market] [bank] [tavern] [metalmine] [stonemine]
                p.castle = true;
                if (!number(1, 1, 100, v))
                    return false;
                p.percent = int(v);
                static const std::map<std::string, int> buildingBits = {
                    {"market", kBuildingMarket},       {"bank", kBuildingBank},
                    {"tavern", kBuildingTavern},       {"metalmine", kBuildingMetalMine},
                    {"stonemine", kBuildingStoneMine},
                };
                for (size_t i = 2; i < line.words.size(); ++i) {
                    const std::string& w = line.words[i];
                    if (w == "moat") {
                        p.moat = true;
                    } else if (w == "walls") {
                        p.walls = true;
                    } else if (w == "catapults") {
                        // The mission form keeps three bits of catapults.
                        if (!number(++i, 0, kMaxCatapultsInMission, v))
                            return false;
                        p.catapults = int(v);
                    } else if (buildingBits.count(w)) {
                        p.buildings |= buildingBits.at(w);
                    } else {
                        return fail("castle: unknown word \"" + w + "\"");
                    }
                }
            } else {
                for (size_t i = 1; i < line.words.size(); ++i)
                    (key == "link" ? p.links : p.cuts).emplace_back(line.words[i], lineNo);
            }
        } else {
            return fail("unknown keyword \"" + key + "\"");
        }
    }
    return true;
}

bool BuildMissionWorld(const MissionSource& src, bool (*knownSquadType)(const std::string&),
                       CGameWorld& world, std::string& error)
{
    auto fail = [&](int line, const std::string& what) {
        error = Where(src.file, line) + what;
        return false;
    };
    const size_t k = src.kinds.size();
    const size_t slots = src.slots.size();
    if (src.world.empty() || src.world.rfind("//", 0) == 0)
        return fail(1, "the world needs a name that does not begin with //");
    if (k == 0 || k > size_t(kMaxResourceKinds))
        return fail(1, "a mission needs 1 to " + std::to_string(kMaxResourceKinds) + " resource kinds");
    if (slots == 0 || slots > size_t(kMaxArmySlots))
        return fail(src.slotsLine, "a mission needs 1 to " + std::to_string(kMaxArmySlots) + " army slots");
    for (size_t a = 0; a < slots; ++a) {
        if (!knownSquadType(src.slots[a]))
            return fail(src.slotsLine, "no squad type \"" + src.slots[a] + "\" in the unit folders");
        for (size_t b = a + 1; b < slots; ++b)
            if (CompareNoCase(src.slots[a].c_str(), src.slots[b].c_str()) == 0)
                return fail(src.slotsLine, "squad type \"" + src.slots[a] + "\" is named twice");
    }
    if (src.players.empty() || src.players.size() > size_t(kMaxPlayers))
        return fail(1, "a mission needs 1 to " + std::to_string(kMaxPlayers) + " players");
    if (src.provinces.empty() || src.provinces.size() > size_t(kMaxProvinces))
        return fail(1, "a mission needs 1 to " + std::to_string(kMaxProvinces) + " provinces");

    std::map<std::string, int> index;
    std::map<std::pair<int, int>, int> cells;
    for (size_t i = 0; i < src.provinces.size(); ++i) {
        const MissionSource::Province& p = src.provinces[i];
        if (!index.emplace(p.key, int(i)).second)
            return fail(p.line, "province key \"" + p.key + "\" is used twice");
        if (!cells.emplace(std::make_pair(p.col, p.row), int(i)).second)
            return fail(p.line, "two provinces stand on one map cell");
        if (p.name.empty() || p.name.rfind("//", 0) == 0)
            return fail(p.line, "a province needs a name that does not begin with //");
        if (p.income.size() != k)
            return fail(p.line, "income needs one value per resource kind");
        for (int64_t v : p.income)
            if (v < 0 || v > 255)
                return fail(p.line, "income values are bytes (0..255)");
        if (p.owner >= int(src.players.size()))
            return fail(p.ownerLine, "the owner is not a player of this mission");
        if (p.owner >= 0 && p.garrison.size() != slots)
            return fail(p.line, "an owned province needs one garrison count per army slot");
        if (p.owner < 0 && !p.garrison.empty())
            return fail(p.line, "a neutral province has no garrison");
    }

    world.Clear();
    world.name = CStr(src.world.c_str());
    world.worldTag = src.tag;
    world.worldValue = src.value;
    for (const std::string& kind : src.kinds)
        world.kinds.push_back(FourCCFromChars(kind.c_str()));
    world.slotCount = uint8_t(slots);
    world.SetPlayerCount(int(src.players.size()));
    for (size_t i = 0; i < src.players.size(); ++i) {
        const MissionSource::Player& s = src.players[i];
        if (s.id != int(i))
            return fail(s.line,
                        "player ids must run 0 to " + std::to_string(src.players.size() - 1) + " in order");
        if (s.name.empty() || s.name.rfind("//", 0) == 0)
            return fail(s.line, "a player needs a name that does not begin with //");
        // The hall of fame keeps no more of a winner's name than this.
        if (int32_t(s.name.size()) > kPlayerNameLength)
            return fail(s.line, "the name \"" + s.name + "\" is longer than " +
                                    std::to_string(kPlayerNameLength) + " characters");
        if (!index.count(s.capital))
            return fail(s.line, "no province \"" + s.capital + "\" for the capital");
        const MissionSource::Province& capital = src.provinces[size_t(index[s.capital])];
        if (capital.owner != s.id || !capital.castle)
            return fail(s.line, "the capital must be a castle province of this player");
        if (s.skills[0] == 0 && s.skills[1] == 0)
            return fail(s.line, "a hero needs battle or builder skill");
        // The set-up window hands out this many points; a hero given more
        // would open it with points below zero and no way to confirm.
        if (s.skills[0] + s.skills[1] + s.skills[2] > kHeroStartSkillPoints)
            return fail(s.line, "the hero's skills add up to " +
                                    std::to_string(s.skills[0] + s.skills[1] + s.skills[2]) + ", more than " +
                                    std::to_string(kHeroStartSkillPoints));
        if (s.army.size() != slots)
            return fail(s.line, "army needs one count per army slot");
        if (s.treasury.size() != k)
            return fail(s.line, "treasury needs one amount per resource kind");
        PlayerRecord& p = world.Player(int(i));
        p.playerId = uint8_t(s.id);
        p.capital = uint8_t(index[s.capital]);
        for (int j = 0; j < 3; ++j)
            p.skills[j] = uint8_t(s.skills[j]);
        p.assignment = uint8_t(s.assignment);
        p.heroKind = uint32_t(s.heroKind);
        for (const std::string& slot : src.slots)
            p.slotTypes.push_back(CStr(slot.c_str()));
        p.army.definitionCounts.SetSize(int32_t(slots));
        for (size_t j = 0; j < slots; ++j) {
            if (s.army[j] < 0 || s.army[j] > 100000)
                return fail(s.line, "army counts are 0..100000");
            p.army.definitionCounts[int(j)] = int32_t(s.army[j]);
        }
        for (int64_t amount : s.treasury) {
            if (amount < 0 || amount > 65535)
                return fail(s.line, "starting amounts are 16-bit (0..65535)");
            p.startingResources.push_back(uint16_t(amount));
        }
        p.name = CStr(s.name.c_str());
    }

    world.SetProvinceCount(int(src.provinces.size()));
    for (size_t i = 0; i < src.provinces.size(); ++i) {
        const MissionSource::Province& s = src.provinces[i];
        ProvinceRecord& p = world.Province(int(i));
        for (int64_t v : s.income)
            p.incomeBytes.push_back(uint8_t(v));
        p.ownerId = s.owner < 0 ? ProvinceRecord::kNoOwnerInFile : uint8_t(s.owner);
        p.castleFlag = s.castle ? 1 : 0;
        if (s.castle) {
            p.castle.moat = s.moat;
            p.castle.fortWalls = s.walls;
            p.castle.catapults = uint8_t(s.catapults);
            p.castle.PackDefinition();
            p.castle.buildings = uint8_t(s.buildings);
            p.castle.percent = uint8_t(s.percent);
        }
        const int x = kMapMargin + s.col * kCellWidth;
        const int y = kMapMargin + s.row * kCellHeight;
        const int16_t geometry[8] = {int16_t(x),
                                     int16_t(y),
                                     int16_t(x + kCellWidth - 1),
                                     int16_t(y + kCellHeight - 1),
                                     int16_t(x + kCellWidth / 2),
                                     int16_t(y + 12),
                                     int16_t(x + kCellWidth / 2),
                                     int16_t(y + 28)};
        for (int j = 0; j < 4; ++j) {
            p.rect[j] = geometry[j];
            p.points[j] = geometry[4 + j];
        }
        p.garrisonFlag = s.owner >= 0 ? 1 : 0;
        p.garrison.definitionCounts.SetSize(int32_t(slots));
        for (size_t j = 0; j < slots; ++j) {
            const int64_t n = j < s.garrison.size() ? s.garrison[j] : 0;
            if (n < 0 || n > 100000)
                return fail(s.line, "garrison counts are 0..100000");
            p.garrison.definitionCounts[int(j)] = int32_t(n);
        }
        p.name = CStr(s.name.c_str());
    }

    // Neighbours: the cells beside each other on the grid, plus links, less cuts.
    std::vector<std::set<int>> near(src.provinces.size());
    for (size_t i = 0; i < src.provinces.size(); ++i) {
        const MissionSource::Province& s = src.provinces[i];
        const int dx[] = {1, -1, 0, 0};
        const int dy[] = {0, 0, 1, -1};
        for (int d = 0; d < 4; ++d) {
            auto it = cells.find({s.col + dx[d], s.row + dy[d]});
            if (it != cells.end())
                near[i].insert(it->second);
        }
    }
    for (size_t i = 0; i < src.provinces.size(); ++i) {
        for (const auto& [key, line] : src.provinces[i].links) {
            if (!index.count(key) || index[key] == int(i))
                return fail(line, "link: no other province \"" + key + "\"");
            near[i].insert(index[key]);
            near[size_t(index[key])].insert(int(i));
        }
    }
    for (size_t i = 0; i < src.provinces.size(); ++i) {
        for (const auto& [key, line] : src.provinces[i].cuts) {
            if (!index.count(key) || !near[i].count(index[key]))
                return fail(line, "cut: \"" + key + "\" is not a neighbour");
            near[i].erase(index[key]);
            near[size_t(index[key])].erase(int(i));
        }
    }
    for (size_t i = 0; i < src.provinces.size(); ++i) {
        if (near[i].empty())
            return fail(src.provinces[i].line, "the province has no neighbour");
        for (int n : near[i])
            world.Province(int(i)).neighbours.push_back(uint8_t(n));
    }

    // Every province must be reachable from every other.
    std::vector<bool> seen(src.provinces.size(), false);
    std::vector<int> todo = {0};
    seen[0] = true;
    while (!todo.empty()) {
        const int at = todo.back();
        todo.pop_back();
        for (int n : near[size_t(at)])
            if (!seen[size_t(n)]) {
                seen[size_t(n)] = true;
                todo.push_back(n);
            }
    }
    for (size_t i = 0; i < seen.size(); ++i)
        if (!seen[i])
            return fail(src.provinces[i].line, "the province cannot be reached from the first one");

    world.goalKind = uint8_t(src.goalKind);
    auto goalValue = [&](size_t i) { return i < src.goalValues.size() ? src.goalValues[i] : 0; };
    switch (src.goalKind) {
    case 0:
        world.goal.kind0Value = uint8_t(goalValue(0));
        break;
    case 1:
        world.goal.kind1Value = uint8_t(goalValue(0));
        break;
    case 4:
        world.goal.kind4Value = uint8_t(goalValue(0));
        break;
    default:
        break;
    }
    world.goal.armyCounts.assign(slots, 0);
    world.goal.resourceBytes.assign(k, 0);
    world.limitKind = uint8_t(src.limitKind);
    if (src.limitKind == 1)
        world.byteLimit = int16_t(src.limitValue & 0xFF);
    else if (src.limitKind == 2)
        world.wordLimit = int16_t(src.limitValue);

    const CStr fault = world.Validate(false);
    if (!fault.IsEmpty())
        return fail(1, fault.Chars());
    return true;
}
