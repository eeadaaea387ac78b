#pragma once
// The castle work windows: small modal windows in which the player confirms
// one castle operation (build a castle, complete or repair it, dig a moat, add
// a catapult, fortified walls or a building, or demolish it). The human
// controller works the numbers out and fills the request; the window shows
// them, offers Ok only when the player can pay, and writes the answer back.

#include <cstdint>

#include "ui/frame_wnd.h"

class CIconWnd;
class CLabel;
class CPushButton;
class CResWnd;
class CResourceBundle;
class CTextWnd;
struct CastleWorkRequestArgs;

// Which window of the family a CCastleWorkWnd is.
enum CastleWorkMember : int32_t {
    MemberBuildCastle,
    MemberCompleteCastle,
    MemberRepairCastle,
    MemberDigMoat,
    MemberAddCatapult,
    MemberAddWalls,
    MemberAddBuilding,
    MemberDemolishCastle,
    MemberCount
};

// What differs between the members: their controls in layout order and the
// control that carries the message with its number of arguments.
struct CastleWorkLayout {
    const char* layoutName;
    const char* const* controls;  // null-terminated
    const char* messageControl;   // null: no message is formatted
    int32_t messageArguments;
};
const CastleWorkLayout& CastleWorkLayoutOf(CastleWorkMember member);

// Shows a bundle in a resource control, one amount per kind of the world.
void ShowResourceAmounts(CResWnd* control, const CResourceBundle& bundle, bool redraw);

class CCastleWorkWnd : public CFrameWnd {
public:
    CCastleWorkWnd(CWindow* parent, const CStr& path, CastleWorkMember member);
    ~CCastleWorkWnd() override;

    // Keeps the record (not owned) and shows its numbers.
    virtual void Setup(CastleWorkRequestArgs* request);
    void OnOk(CWindow*, intptr_t);
    void OnCancel(CWindow*, intptr_t);

    CastleWorkMember Member() const { return m_member; }
    CastleWorkRequestArgs* Request() const { return m_request; }
    // A child by name (null when the member has no such control).
    CWindow* Control(const char* name) const;
    CResWnd* ResControl(const char* name) const;
    CTextWnd* TextControl(const char* name) const;
    CPushButton* OkButton() const;
    CPushButton* CancelButton() const;
    // The string of a text control's list that Setup showed (-1: formatted
    // or untouched).
    int32_t ShownString(const char* name) const;

protected:
    void ShowString(const char* name, int32_t index);

    CastleWorkRequestArgs* m_request = nullptr;

private:
    struct Child {
        const char* name;
        CWindow* window;
        int32_t shownString;
    };
    Child* FindChild(const char* name) const;

    CastleWorkMember m_member;
    Child* m_children = nullptr;  // owned array, one per control of the member
    int32_t m_childCount = 0;
};

class CBuildCastleWnd : public CCastleWorkWnd {
public:
    CBuildCastleWnd(CWindow* parent, const CStr& path) : CCastleWorkWnd(parent, path, MemberBuildCastle) {}
};
class CCompleteCastleWnd : public CCastleWorkWnd {
public:
    CCompleteCastleWnd(CWindow* parent, const CStr& path) : CCastleWorkWnd(parent, path, MemberCompleteCastle)
    {}
};
class CRepairCastleWnd : public CCastleWorkWnd {
public:
    CRepairCastleWnd(CWindow* parent, const CStr& path) : CCastleWorkWnd(parent, path, MemberRepairCastle) {}
};
class CDigMoatWnd : public CCastleWorkWnd {
public:
    CDigMoatWnd(CWindow* parent, const CStr& path) : CCastleWorkWnd(parent, path, MemberDigMoat) {}
};
class CAddCatapultWnd : public CCastleWorkWnd {
public:
    CAddCatapultWnd(CWindow* parent, const CStr& path) : CCastleWorkWnd(parent, path, MemberAddCatapult) {}
};
class CAddWallsWnd : public CCastleWorkWnd {
public:
    CAddWallsWnd(CWindow* parent, const CStr& path) : CCastleWorkWnd(parent, path, MemberAddWalls) {}
};
class CAddBuildingWnd : public CCastleWorkWnd {
public:
    CAddBuildingWnd(CWindow* parent, const CStr& path) : CCastleWorkWnd(parent, path, MemberAddBuilding) {}
};
// Shows the refund (the record's cost) and always offers Ok.
class CDemolishCastleWnd : public CCastleWorkWnd {
public:
    CDemolishCastleWnd(CWindow* parent, const CStr& path) : CCastleWorkWnd(parent, path, MemberDemolishCastle)
    {}
    void Setup(CastleWorkRequestArgs* request) override;
};
