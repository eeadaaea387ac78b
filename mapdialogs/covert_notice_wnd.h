#pragma once
// The notice windows of the covert operations share one shape: a picture, a
// few texts (and sometimes an army list or a castle) that the player only
// reads. Every child but the picture is disabled, so a tap anywhere reaches
// the window, and a tap closes it.

#include <cstdint>

#include "ui/dialog.h"

class CTextWnd;

// The kind of control a notice child is.
enum NoticeChildKind : uint8_t {
    NoticeIcon,
    NoticeText,
    NoticeLabel,
    NoticeArmyList,
    NoticeCastle,
};

struct NoticeChild {
    const char* name;
    NoticeChildKind kind;
};

class CArmy;
class PlayerRecord;

// The squad list of a notice: created from the node of the name, and filled
// with an army (face 0, no empty slots, not sorted) painted in its owner's
// colour (the window's own colour without an owner).
CWindow* CreateArmyListControl(CWindow* parent, const char* name);
void FillArmyListControl(CWindow* list, const CArmy* army, const PlayerRecord* owner);

class CCovertNoticeWnd : public CDialog {
public:
    // Builds the children in order from the window's node; `middle` names the
    // text that is centred vertically (null for none).
    CCovertNoticeWnd(CWindow* parent, const CStr& path, const NoticeChild* children, int32_t count,
                     const char* middle);
    ~CCovertNoticeWnd() override;

    // The default pen-up handling, then the window closes.
    void OnPenUp(const PackedPoint& point) override;

    // A child by name, null when the window has none of that name.
    CWindow* Child(const char* name) const;
    CTextWnd* Text(const char* name) const;

private:
    struct Entry {
        const char* name;
        CWindow* window;
    };
    Entry* m_entries = nullptr;  // owned array
    int32_t m_count = 0;
};
