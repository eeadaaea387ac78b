#pragma once
// CRandomEventWnd ("RandomEventWnd"): tells the player that a random event
// struck a province, with the resources and units lost (or, for event 2,
// the volunteers that arrived). A tap anywhere closes it.

#include <cstdint>

#include "players/request_records.h"
#include "ui/frame_wnd.h"

class CItemListWnd;
class CLabel;
class CResWnd;
class CSound;
class CTextWnd;

class CRandomEventWnd : public CFrameWnd {
public:
    static constexpr int32_t kEventCount = 9;
    static constexpr int32_t kArrivalEvent = 2;

    CRandomEventWnd(CWindow* parent, const CStr& layoutName, bool load);
    ~CRandomEventWnd() override;

    void Setup(RandomEventRequest* record);
    void OnShow() override;
    void OnPenUp(const PackedPoint& point) override;

    // The sound path of an event number; empty outside 1 to 9.
    static const char* EventSoundPath(int32_t event);

    CLabel* PlayerLabel() const { return m_lblPlayer; }
    CLabel* ProvinceLabel() const { return m_lblProvince; }
    CTextWnd* MessageText() const { return m_rtMessage; }
    CLabel* LostsLabel() const { return m_lblLosts; }
    CResWnd* LostResources() const { return m_resLost; }
    CItemListWnd* LostArmy() const { return m_armyLost; }
    CSound* EventSound() const { return m_sound; }

private:
    CSound* m_sound = nullptr;
    CLabel* m_lblPlayer = nullptr;
    CLabel* m_lblProvince = nullptr;
    CTextWnd* m_rtMessage = nullptr;
    CLabel* m_lblLosts = nullptr;
    CResWnd* m_resLost = nullptr;
    CItemListWnd* m_armyLost = nullptr;
};
