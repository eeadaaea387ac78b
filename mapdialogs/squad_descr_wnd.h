#pragma once
// What a squad type is, in two views. CSquadDescrWnd is the modal pop-up
// ("/Map/MapWnd/RecruitWnd/SquadDescrWnd") with the type's picture; its
// openers create it, call Setup, run it modally and delete it; lifting the
// stylus anywhere on it closes it. CSquadStatsPanel is the battle window's
// panel with the same numbers and no picture, refilled whenever the battle
// window describes another squad. Neither changes anything in the game.

#include <cstdint>

#include "ui/frame_wnd.h"

class CIconWnd;
class CLabel;
class CMarkupWnd;
class CSquadType;
class CTextWnd;

// The layout every opener of the description window uses.
inline constexpr const char* kSquadDescrLayout = "/Map/MapWnd/RecruitWnd/SquadDescrWnd";

// The value texts both views show.
struct SquadStatTexts {
    CStr melee;
    CStr ranged;  // "-" for a type without a ranged attack
    CStr hitPoints;
    CStr moveSpeed;
    CStr extras;  // the localized "NoExtras" when the type has none
};
SquadStatTexts MakeSquadStatTexts(const CSquadType& type);

class CSquadDescrWnd : public CFrameWnd {
public:
    CSquadDescrWnd(CWindow* parent, const CStr& layoutPath);
    ~CSquadDescrWnd() override;

    void Setup(const CSquadType* type);

    void OnPenUp(const PackedPoint& point) override;
    void OnShow() override;
    void OnHide() override;
    void Close(CWindow*, intptr_t);

    CLabel* MeleeValue() const { return m_lblMeleeVal; }
    CLabel* RangedValue() const { return m_lblRangedVal; }
    CLabel* HitPointsValue() const { return m_lblHPVal; }
    CLabel* MoveSpeedValue() const { return m_lblMoveSpeedVal; }
    CTextWnd* ExtrasText() const { return m_rtExtras; }
    CIconWnd* BackgroundImage() const { return m_bgImage; }
    CIconWnd* UnitImage() const { return m_unitImage; }
    CTextWnd* MeleeCaption() const { return m_rtMelee; }

private:
    CTextWnd* m_rtMelee = nullptr;
    CTextWnd* m_rtRanged = nullptr;
    CTextWnd* m_rtHP = nullptr;
    CTextWnd* m_rtMoveSpeed = nullptr;
    CIconWnd* m_icoMelee = nullptr;
    CIconWnd* m_icoRanged = nullptr;
    CIconWnd* m_icoHP = nullptr;
    CIconWnd* m_icoMoveSpeed = nullptr;
    CLabel* m_lblMeleeVal = nullptr;
    CLabel* m_lblRangedVal = nullptr;
    CLabel* m_lblHPVal = nullptr;
    CLabel* m_lblMoveSpeedVal = nullptr;
    CTextWnd* m_rtExtras = nullptr;
    CIconWnd* m_bgImage = nullptr;
    CIconWnd* m_unitImage = nullptr;
};

class CSquadStatsPanel : public CFrameWnd {
public:
    CSquadStatsPanel(CWindow* parent, const CStr& layoutPath);
    ~CSquadStatsPanel() override;

    void SetSquadType(const CSquadType* type);

    CLabel* NameLabel() const { return m_lblName; }
    CLabel* MeleeValue() const { return m_lblMeleeVal; }
    CLabel* RangedValue() const { return m_lblRangedVal; }
    CLabel* HitPointsValue() const { return m_lblHPVal; }
    CLabel* MoveSpeedValue() const { return m_lblMoveSpeedVal; }
    CMarkupWnd* ExtrasText() const { return m_rtExtras; }

private:
    CLabel* m_lblName = nullptr;
    CTextWnd* m_lblMelee = nullptr;
    CTextWnd* m_lblRanged = nullptr;
    CTextWnd* m_lblHP = nullptr;
    CTextWnd* m_lblMoveSpeed = nullptr;
    CIconWnd* m_icoMelee = nullptr;
    CIconWnd* m_icoRanged = nullptr;
    CIconWnd* m_icoHP = nullptr;
    CIconWnd* m_icoMoveSpeed = nullptr;
    CLabel* m_lblMeleeVal = nullptr;
    CLabel* m_lblRangedVal = nullptr;
    CLabel* m_lblHPVal = nullptr;
    CLabel* m_lblMoveSpeedVal = nullptr;
    CMarkupWnd* m_rtExtras = nullptr;
};
