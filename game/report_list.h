#pragma once
// The turn reports a controller keeps for its player.

#include <cstdint>
#include <memory>
#include <vector>

#include "core/ref_string.h"

class CArmy;
class CByteStream;
class CResourceBundle;
class ProvinceRecord;

enum : uint32_t {
    kReportTaxes = 0,
    kReportTreasury = 1,
    kReportRecruitment = 2,
    kReportCampRecruitment = 3,
    kReportDecease = 5,
    kReportDeceased = 6,
    kReportCovert = 7,
    kReportBattle = 9,
    kReportDiplomacy = 21,
    kReportCastleWork = 22,
};

struct ReportEntry {
    uint32_t kind = 0;
    CStr title;
    CStr body;
};

// A name and an amount, as robberies and thefts report them.
struct RobberyRecord {
    CStr name;
    int32_t amount = 0;
};

struct BattleReportRecord {
    uint8_t won = 0;
    const CArmy* army = nullptr;
    CStr name;
};

class CReportList {
public:
    // A stream may not hold more entries than the 16-bit count allows.
    static constexpr uint32_t kMaxEntries = 32767;

    void AddPlain(uint32_t kind, const CStr& title);
    void AddWithArmyLine(uint32_t kind, const CStr& title, const CArmy& army, char signMode);
    void AddWithResourceLine(uint32_t kind, const CStr& title, const CResourceBundle& bundle);
    void AddCopy(uint32_t kind, const CStr& title, const CStr& body);
    void AddScoutReport(const ProvinceRecord& province);
    void AddDeceasedReport(const ProvinceRecord& province, const CArmy& army);
    void AddRobberyReport(const RobberyRecord& record);
    void AddTheftReport(const RobberyRecord& record);
    void AddBattleReport(const BattleReportRecord& record);
    void AddDiplomacyInfo(int relation, int answer, const CStr& name);
    void AddDiplomacyDecline(int relation, const CStr& name);
    void Clear();
    // Drops the entries the last turn showed and orders the rest as the
    // player reads them: taxes, then what happened in its order, then the
    // treasury.
    void StartTurn();
    void Stream(CByteStream& s);

    int Count() const { return int(m_entries.size()); }
    const ReportEntry& Entry(int i) const { return *m_entries[size_t(i)]; }
    int16_t ShownCount() const { return m_shown; }

private:
    std::vector<std::unique_ptr<ReportEntry>> m_entries;
    int16_t m_shown = 0;
};

void ReportTitle(uint32_t kind, CStr& out);
// Mark-up bodies of an army (sign '-', '+' or plain) and of a resource bundle.
CStr ArmyLine(const CArmy& army, char signMode);
CStr ResourceLine(const CResourceBundle& bundle, bool signedAmounts);
