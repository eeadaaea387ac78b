#include "game/scenario_mgr.h"

#include <strings.h>

#include "game/pack_access.h"

namespace Map {

namespace {

CStr WholeText(const CStr& path)
{
    const uint8_t* data = nullptr;
    uint32_t size = 0;
    if (!LoadPackData(path, "txt", data, size) || !data)
        return CStr();
    return CStr(reinterpret_cast<const char*>(data), int32_t(size));
}

bool TextExists(const CStr& path)
{
    const uint8_t* data = nullptr;
    uint32_t size = 0;
    return LoadPackData(path, "txt", data, size);
}

CStr FirstLine(const CStr& text)
{
    const int32_t end = text.Find("\r\n");
    return end < 0 ? text : text.Mid(0, end);
}

CStr Join(const CStr& a, const char* b)
{
    return CStr::ConcatChars(a, b);
}

}  // namespace

std::vector<std::unique_ptr<ScenarioEntry>>& CSrenarionMgr::Entries()
{
    static std::vector<std::unique_ptr<ScenarioEntry>> entries;
    return entries;
}

void CSrenarionMgr::Clear()
{
    Entries().clear();
}

void CSrenarionMgr::InitFromNames(const std::vector<CStr>& listed)
{
    Clear();
    std::vector<CStr> names = listed;
    for (size_t i = 1; i < names.size(); ++i) {
        if (strcasecmp(names[i].Chars(), "scenario01") == 0) {
            names.erase(names.begin() + long(i));
            names.insert(names.begin(), CStr("scenario01"));
            break;
        }
    }
    for (const CStr& name : names) {
        auto entry = std::make_unique<ScenarioEntry>();
        entry->path = CStr::ConcatChars(CStr("/Scenarios/"), name.Chars());
        entry->missions = CountMissions(*entry);
        Entries().push_back(std::move(entry));
    }
}

bool CSrenarionMgr::Init()
{
    std::vector<CStr> names;
    ListPackFolders(CStr("/Scenarios/"), names);
    InitFromNames(names);
    return true;
}

int CSrenarionMgr::ScenarioCount()
{
    return int(Entries().size());
}

const ScenarioEntry* CSrenarionMgr::Scenario(int scenario)
{
    if (scenario < 0 || scenario >= ScenarioCount())
        return nullptr;
    return Entries()[size_t(scenario)].get();
}

uint16_t CSrenarionMgr::TotalMissions()
{
    uint16_t n = 0;
    for (const auto& e : Entries())
        n = uint16_t(n + e->missions);
    return n;
}

bool CSrenarionMgr::MissionFromIndex(int n, int* scenario, int* mission)
{
    if (n < 0 || n >= TotalMissions())
        return false;
    for (int s = 0; s < ScenarioCount(); ++s) {
        const int count = Entries()[size_t(s)]->missions;
        if (n < count) {
            *scenario = s;
            *mission = n;
            return true;
        }
        n -= count;
    }
    return false;
}

int CSrenarionMgr::IndexOfMission(int scenario, int mission)
{
    int index = 0;
    for (int s = 0; s < scenario && s < ScenarioCount(); ++s)
        index += Entries()[size_t(s)]->missions;
    return index + mission;
}

CStr CSrenarionMgr::MissionPath(int scenario, int mission)
{
    const ScenarioEntry* e = Scenario(scenario);
    CStr path;
    path.Format("%s/Mission%03ld", e ? e->path.Chars() : "", long(mission + 1));
    return path;
}

uint16_t CSrenarionMgr::CountMissions(const ScenarioEntry& entry)
{
    std::vector<CStr> folders;
    ListPackFolders(entry.path, folders);
    uint16_t n = 0;
    for (const CStr& f : folders)
        if (strncasecmp(f.Chars(), "Mission", 7) == 0)
            ++n;
    return n;
}

CStr CSrenarionMgr::ScenarioName(int scenario)
{
    const ScenarioEntry* e = Scenario(scenario);
    return e ? WholeText(Join(e->path, "/name")) : CStr();
}

CStr CSrenarionMgr::MissionTitle(int scenario, int mission)
{
    return MissionTitleOfPath(MissionPath(scenario, mission));
}

CStr CSrenarionMgr::MissionTitleOfPath(const CStr& missionPath)
{
    return FirstLine(WholeText(Join(missionPath, "/mission")));
}

bool CSrenarionMgr::HasAuthor(int scenario, int mission)
{
    return TextExists(Join(MissionPath(scenario, mission), "/author"));
}

CStr CSrenarionMgr::Author(int scenario, int mission)
{
    return WholeText(Join(MissionPath(scenario, mission), "/author"));
}

bool CSrenarionMgr::HasAuthorNotes(int scenario, int mission)
{
    return TextExists(Join(MissionPath(scenario, mission), "/authnotes"));
}

CStr CSrenarionMgr::AuthorNotes(int scenario, int mission)
{
    return WholeText(Join(MissionPath(scenario, mission), "/authnotes"));
}

CStr CSrenarionMgr::ScenarioShortDescrPath(int scenario)
{
    const ScenarioEntry* e = Scenario(scenario);
    return e ? Join(e->path, "/shortdescr") : CStr();
}

CStr CSrenarionMgr::ShortDescrPath(int scenario, int mission)
{
    return Join(MissionPath(scenario, mission), "/shortdescr");
}

CStr CSrenarionMgr::ScenarioShortDescr(int scenario)
{
    return WholeText(ScenarioShortDescrPath(scenario));
}

CStr CSrenarionMgr::MissionShortDescr(int scenario, int mission)
{
    return WholeText(ShortDescrPath(scenario, mission));
}

bool CSrenarionMgr::FindMission(const CStr& missionPath, int* scenario, int* mission)
{
    for (int s = 0; s < ScenarioCount(); ++s) {
        for (int m = 0; m < Entries()[size_t(s)]->missions; ++m) {
            if (strcasecmp(MissionPath(s, m).Chars(), missionPath.Chars()) == 0) {
                *scenario = s;
                *mission = m;
                return true;
            }
        }
    }
    return false;
}

}  // namespace Map
