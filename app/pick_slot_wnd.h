#pragma once
// CPickSlotWnd ("/Main/PickSlotWnd"): picks one of the nine save slots, for
// a new game (save mode) or for resuming a saved one (load mode), shows what
// the selected slot holds and lets the user delete a slot's saved game.
// Result 1 with the chosen slot, 2 on cancel or when no saved game is left.

#include <cstdint>

#include "ui/dialog.h"

class CIconWnd;
class CMarkupWnd;
class CPushButton;
class CValueScroller;

enum PickSlotMode : uint8_t {
    PickSlotSave = 0,
    PickSlotLoad = 1
};

class CPickSlotWnd : public CDialog {
public:
    CPickSlotWnd(uint8_t mode, CWindow* parent, const CStr& path);
    ~CPickSlotWnd() override;

    void OnShow() override;

    // 0-8 after result 1, -1 otherwise.
    int16_t ChosenSlot() const { return m_chosen; }
    uint8_t Mode() const { return m_mode; }
    // The slot the scroller's value stands for (-1 when none).
    int16_t SlotOfValue(int32_t value) const;
    int16_t CurrentSlot() const;
    // The details of a valid slot; false (and the text untouched) when its
    // file cannot be read, is older than version 6 or fails its check byte.
    static bool FormatSlotInfo(int slot, CStr& text);

    CMarkupWnd* SlotName() const { return m_rtName; }
    CMarkupWnd* SlotInfo() const { return m_rtInfo; }
    CPushButton* DeleteButton() const { return m_btnDelete; }
    CPushButton* OkButton() const { return m_btnOk; }
    CPushButton* CancelButton() const { return m_btnCancel; }
    CValueScroller* SlotScroller() const { return m_scroller; }

private:
    void ShowSlot();
    void OnSlotChanged(CValueScroller*);
    void OnOk(CWindow*, intptr_t);
    void OnCancel(CWindow*, intptr_t);
    void OnDelete(CWindow*, intptr_t);

    uint8_t m_mode;
    int16_t m_chosen = -1;
    CMarkupWnd* m_rtName = nullptr;
    CIconWnd* m_line = nullptr;
    CMarkupWnd* m_rtInfo = nullptr;
    CPushButton* m_btnDelete = nullptr;
    CValueScroller* m_scroller = nullptr;
    CPushButton* m_btnOk = nullptr;
    CPushButton* m_btnCancel = nullptr;
};
