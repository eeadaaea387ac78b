#pragma once
// The windows the map window's launchers keep. A modal window sits in its
// kind's slot while it runs, so a second request of the kind cannot open a
// second window over it; the report window is held while it runs; the castle
// information window is not modal and outlives its request, reused by the
// next one until the screen's dialogs are torn down.

#include <cstdint>

class CCastleInfoWnd;
class CReportWnd;
class CWindow;
struct CastleInfoRequestArgs;
struct ReportRequestArgs;
enum class UiRequestKind : uint32_t;

class LauncherDialogs {
public:
    static constexpr uint32_t kSlotCount = 38;

    CWindow*& Slot(UiRequestKind kind) { return m_slots[static_cast<uint32_t>(kind)]; }

    // Shows the controller's turn reports in a modal window over parent;
    // nothing when there are none.
    void RunReport(CWindow* parent, const ReportRequestArgs* request);

    // Null until the first castle information request.
    CCastleInfoWnd* CastleInfo() const { return m_castleInfo; }
    void KeepCastleInfo(CCastleInfoWnd* window) { m_castleInfo = window; }
    bool IsCastleInfoShown() const;
    void HideCastleInfo();
    // Gives the window the record with the castle's offer as the rules see
    // it now; the refresh works the offer out again for the kept record.
    void SetupCastleInfo(CastleInfoRequestArgs* request);
    void RefreshCastleInfo();

    // Deletes the dialogs still alive (the report and the castle
    // information windows).
    void DestroyAll();

private:
    CWindow* m_slots[kSlotCount] = {};
    // The report window while it runs, otherwise null.
    CReportWnd* m_report = nullptr;
    CCastleInfoWnd* m_castleInfo = nullptr;
};
