#include "game/report_list.h"

#include "core/ui_mgr.h"
#include "game/army.h"
#include "game/province_record.h"
#include "game/resource_bundle.h"
#include "game/squad_type.h"
#include "game/stream_util.h"

#include <algorithm>

CStr ArmyLine(const CArmy& army, char signMode)
{
    CStr body("{p align=center valign=bottom}");
    bool any = false;
    for (int i = 0; i < army.Count(); ++i) {
        const CSquad& squad = *army.Item(i);
        if (squad.count <= 0)
            continue;
        any = true;
        // The type id is data: it goes in as text, never as part of the format.
        CStr number;
        if (signMode == '-')
            number.Format("-%ld ", long(squad.count));
        else if (signMode == '+')
            number.Format("%+ld ", long(squad.count));
        else
            number.Format("%ld ", long(squad.count));
        body += "{img src=/Objects/Units/";
        body += squad.type ? squad.type->typeId : squad.name;
        body += "/icon_l} ";
        body += number;
    }
    return any ? body : CStr();
}

CStr ResourceLine(const CResourceBundle& bundle, bool signedAmounts)
{
    CStr body("{p align=center}");
    for (int i = 0; i < bundle.Count(); ++i) {
        CStr number;
        if (signedAmounts)
            number.Format("%+ld  ", long(bundle[i]));
        else
            number.Format("%ld  ", long(bundle[i]));
        body += "{ico src=";
        body += ResourceKindName(i);
        body += "s} ";
        body += number;
    }
    return body;
}

void ReportTitle(uint32_t kind, CStr& out)
{
    switch (kind) {
    case kReportTaxes:
        out = LocaleText("RepTaxes");
        break;
    case kReportTreasury:
        out = LocaleText("RepTreasury");
        break;
    case kReportRecruitment:
        out = LocaleText("RepRecruitment");
        break;
    case kReportCampRecruitment:
        out = LocaleText("RepCampRecr");
        break;
    case kReportDecease:
        out = LocaleText("RepDecease");
        break;
    default:
        break;
    }
}

void CReportList::AddCopy(uint32_t kind, const CStr& title, const CStr& body)
{
    if (m_entries.size() >= kMaxEntries)
        return;  // the count is 16 bits; older entries are worth more than a wrapped list
    auto entry = std::make_unique<ReportEntry>();
    entry->kind = kind;
    entry->title = title;
    entry->body = body;
    m_entries.push_back(std::move(entry));
}

void CReportList::AddPlain(uint32_t kind, const CStr& title)
{
    AddCopy(kind, title, CStr());
}

void CReportList::AddWithArmyLine(uint32_t kind, const CStr& title, const CArmy& army, char signMode)
{
    AddCopy(kind, title, ArmyLine(army, signMode));
}

void CReportList::AddWithResourceLine(uint32_t kind, const CStr& title, const CResourceBundle& bundle)
{
    AddCopy(kind, title, ResourceLine(bundle, kind == kReportTaxes));
}

void CReportList::AddScoutReport(const ProvinceRecord& province)
{
    const CStr title = LocaleFormat("RepScout", province.name);
    AddCopy(kReportCovert, title,
            province.garrisonFlag ? ArmyLine(province.garrison, ' ') : LocaleText("NoArmy"));
}

void CReportList::AddDeceasedReport(const ProvinceRecord& province, const CArmy& army)
{
    AddCopy(kReportDeceased, LocaleFormat("RepDeceased", province.name), ArmyLine(army, '-'));
}

void CReportList::AddRobberyReport(const RobberyRecord& record)
{
    AddPlain(kReportCovert, LocaleFormat("RepRobbery", long(record.amount), record.name));
}

void CReportList::AddTheftReport(const RobberyRecord& record)
{
    AddPlain(kReportCovert, LocaleFormat("RepTheft", long(record.amount)));
}

void CReportList::AddBattleReport(const BattleReportRecord& record)
{
    const CStr title = LocaleFormat(record.won ? "RepBattleWin" : "RepBattleLost", record.name);
    AddCopy(kReportBattle, title, record.army ? ArmyLine(*record.army, '-') : CStr());
}

void CReportList::AddDiplomacyInfo(int relation, int answer, const CStr& name)
{
    const char* key = relation == 1   ? "DiplRepInfoW"
                      : relation == 2 ? "DiplRepAA"
                      : relation == 0 ? (answer == 1 ? "DiplRepAN" : "DiplRepInfoN")
                                      : nullptr;
    AddPlain(kReportDiplomacy, key ? LocaleFormat(key, name) : CStr());
}

void CReportList::AddDiplomacyDecline(int relation, const CStr& name)
{
    const char* key = relation == 0 ? "DiplRepDN" : relation == 2 ? "DiplRepDA" : nullptr;
    AddPlain(kReportDiplomacy, key ? LocaleFormat(key, name) : CStr());
}

void CReportList::Clear()
{
    while (!m_entries.empty())
        m_entries.pop_back();
    m_shown = 0;
}

void CReportList::StartTurn()
{
    const size_t drop = m_shown > 0 ? std::min(size_t(m_shown), m_entries.size()) : 0;
    m_entries.erase(m_entries.begin(), m_entries.begin() + long(drop));
    // A player reads his turn as it went: the taxes that opened it, what
    // happened in the order it happened, and the treasury it left.
    std::stable_partition(m_entries.begin(), m_entries.end(),
                          [](const std::unique_ptr<ReportEntry>& e) { return e->kind == kReportTaxes; });
    std::stable_partition(m_entries.begin(), m_entries.end(),
                          [](const std::unique_ptr<ReportEntry>& e) { return e->kind != kReportTreasury; });
    m_shown = int16_t(m_entries.size());
}

void CReportList::Stream(CByteStream& s)
{
    s.I16(m_shown);
    uint32_t count = uint32_t(m_entries.size());
    s.U32(count);
    if (s.IsStoring()) {
        for (auto& entry : m_entries) {
            s.U32(entry->kind);
            s.String(entry->title);
            s.String(entry->body);
        }
        return;
    }
    m_entries.clear();
    // An entry is at least its kind and two NULs.
    if (!CheckCount(s, count, kMaxEntries, 6) || m_shown < 0 || uint32_t(m_shown) > count) {
        FailStream(s);
        m_shown = 0;
        return;
    }
    for (uint32_t i = 0; i < count && !StreamFailed(s); ++i) {
        auto entry = std::make_unique<ReportEntry>();
        s.U32(entry->kind);
        s.String(entry->title);
        s.String(entry->body);
        m_entries.push_back(std::move(entry));
    }
    if (StreamFailed(s)) {
        m_entries.clear();
        m_shown = 0;
    }
}
