#pragma once
// CMiniMap: the small picture of a mission's map on the set-up screens. The
// picture is a mission preview whose pixel values below 100 are province
// indices; it is drawn with every province in its owner's colour, one
// province may blink (the chosen capital), and a skinned frame goes around
// the picture. It is made for a layout node named "MiniMap":
//   common head, picture name, horizontal and vertical alignment, frame skin.

#include <cstdint>
#include <memory>

#include "core/image_data.h"
#include "core/packed_geometry.h"
#include "core/ref_string.h"
#include "ui/button.h"
#include "ui/owner_timer.h"
#include "ui/skin.h"

// The province drawn in the blink colour at this moment (255 = none); one
// byte for all mini-maps, so two on screen blink together.
extern uint8_t MiniMapBlinkProvince;

// The colour rule of the window showing a mini-map: given the address of a
// pixel holding a province index, it writes the colour number 0..7 there.
// One binding at a time; a window releases it when it goes, so no mini-map
// ever calls into a window that is gone.
class MiniMapColourSlot {
public:
    template <typename T>
    void Bind(T* owner, void (T::*member)(uint8_t*))
    {
        m_rule.reset(new Rule<T>(owner, member));
        m_owner = owner;
    }
    // Empties the slot when it still holds this owner's rule.
    void Release(const void* owner)
    {
        if (m_owner == owner)
            Clear();
    }
    void Clear()
    {
        m_rule.reset();
        m_owner = nullptr;
    }
    bool IsBound() const { return m_rule != nullptr; }
    const void* Owner() const { return m_owner; }
    void operator()(uint8_t* pixel) const
    {
        if (m_rule)
            m_rule->Apply(pixel);
    }

private:
    struct RuleBase {
        virtual ~RuleBase() = default;
        virtual void Apply(uint8_t* pixel) = 0;
    };
    template <typename T>
    struct Rule : RuleBase {
        Rule(T* o, void (T::*m)(uint8_t*)) : object(o), member(m) {}
        void Apply(uint8_t* pixel) override { (object->*member)(pixel); }
        T* object;
        void (T::*member)(uint8_t*);
    };
    std::unique_ptr<RuleBase> m_rule;
    const void* m_owner = nullptr;
};
extern MiniMapColourSlot MiniMapColourHook;

// The palette index a source pixel of a mini-map picture is drawn in (the
// colour rule is asked for province pixels that are not blinking).
uint8_t MiniMapPixelColour(uint8_t source);

// The preview picture's path for a mission folder: "/preview" followed by
// "hi" on screens whose longer side is 481 or more, "lo" below 199.
CStr MiniMapPreviewPath(const CStr& missionPath, int32_t longerScreenSide);

class CMiniMap : public CIconWnd {
public:
    CMiniMap(CWindow* parent, const CStr& name, bool loadLayout = true);
    ~CMiniMap() override;

    void Paint(const PackedRect& rect) override;
    void OnShow() override;
    void OnHide() override;
    bool LoadLayout(bool keepVisibility) override { return Reload(keepVisibility) != 0; }

    // Reads the node; 1 when it was found.
    uint32_t Reload(bool keepPicture);
    uint32_t LoadFrameSkin(const CStr& name, bool redraw);
    // Sets the mission's preview for the current screen, falling back to the
    // plain "/preview" picture; false when neither loads.
    bool SetMissionPreview(const CStr& missionPath);
    void SetBlinkProvince(uint8_t province);
    void SetMarker(const PackedPoint& point, bool isCapital);
    void OnBlinkTimer();

    bool HasPicture() const;
    uint8_t BlinkProvince() const { return m_blinkProvince; }
    const CFrameSkin& FrameSkin() const { return m_frame; }
    CTimer* BlinkTimer() const { return m_timer; }
    const PackedPoint& Marker() const { return m_marker; }

private:
    CFrameSkin m_frame;
    ImageData m_capitalMark;
    ImageData m_castleMark;
    PackedPoint m_marker = UndefinedPoint;
    uint8_t m_markerIsCapital = 0;
    OwnerTimer<CMiniMap>* m_timer = nullptr;
    uint8_t m_blinkProvince = 255;
};
