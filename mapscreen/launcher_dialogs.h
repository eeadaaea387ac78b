#pragma once
// The windows the map window's launchers keep. A modal window sits in its
// kind's slot while it runs, so a second request of the kind cannot open a
// second window over it; the castle information window is not modal and
// outlives its request, reused by the next one until the screen's dialogs
// are torn down.

#include <cstdint>

class CCastleInfoWnd;
class CWindow;
struct CastleInfoRequestArgs;
enum class UiRequestKind : uint32_t;

class LauncherDialogs {
public:
    static constexpr uint32_t kSlotCount = 38;

    CWindow*& Slot(UiRequestKind kind) { return m_slots[static_cast<uint32_t>(kind)]; }

    // Null until the first castle information request.
    CCastleInfoWnd* CastleInfo() const { return m_castleInfo; }
    void KeepCastleInfo(CCastleInfoWnd* window) { m_castleInfo = window; }
    bool IsCastleInfoShown() const;
    void HideCastleInfo();
    // Gives the window the record with the castle's offer as the rules see
    // it now; the refresh works the offer out again for the kept record.
    void SetupCastleInfo(CastleInfoRequestArgs* request);
    void RefreshCastleInfo();

    // Deletes the dialogs still alive (the castle information window).
    void DestroyAll();

private:
    CWindow* m_slots[kSlotCount] = {};
    CCastleInfoWnd* m_castleInfo = nullptr;
};
