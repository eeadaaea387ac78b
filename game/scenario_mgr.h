// The scenarios and missions of the packs: the scenario folders under
// "/Scenarios/", the number of missions of each and one running index over
// all of them, with the paths and texts of each mission.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "core/ref_string.h"

namespace Map {

struct ScenarioEntry {
    CStr path;
    uint16_t missions = 0;
};

class CSrenarionMgr {
public:
    // Lists the scenario folders ("scenario01" first when present) and counts
    // their missions.
    static bool Init();
    // The same over a given list of folder names (in listing order).
    static void InitFromNames(const std::vector<CStr>& names);
    static void Clear();

    static int ScenarioCount();
    static const ScenarioEntry* Scenario(int scenario);
    static uint16_t TotalMissions();
    static bool MissionFromIndex(int n, int* scenario, int* mission);
    static int IndexOfMission(int scenario, int mission);
    static CStr MissionPath(int scenario, int mission);
    static uint16_t CountMissions(const ScenarioEntry& entry);
    static CStr ScenarioName(int scenario);
    static CStr MissionTitle(int scenario, int mission);
    static CStr MissionTitleOfPath(const CStr& missionPath);
    static bool HasAuthor(int scenario, int mission);
    static CStr Author(int scenario, int mission);
    static bool HasAuthorNotes(int scenario, int mission);
    static CStr AuthorNotes(int scenario, int mission);
    static CStr ScenarioShortDescr(int scenario);
    static CStr MissionShortDescr(int scenario, int mission);
    static CStr ScenarioShortDescrPath(int scenario);
    static CStr ShortDescrPath(int scenario, int mission);
    static bool FindMission(const CStr& missionPath, int* scenario, int* mission);

private:
    static std::vector<std::unique_ptr<ScenarioEntry>>& Entries();
};

}  // namespace Map
