#pragma once
// CPlayerNameWnd ("/Main/PlayerNameWnd"): the winner types the name under
// which the result enters the hall of fame, on the window's own on-screen
// keyboard. Result 1 accept, 2 cancel.

#include <cstdint>

#include "game/player_record.h"
#include "ui/dialog.h"

class CKeyboardWnd;
class CLabel;
class CPushButton;
class PlayerRecord;

class CPlayerNameWnd : public CDialog {
public:
    static constexpr int32_t kMaxNameLength = kPlayerNameLength;

    CPlayerNameWnd(CWindow* parent, const CStr& path);
    ~CPlayerNameWnd() override;

    void Setup(const PlayerRecord& player);
    void SetName(const CStr& name);
    const CStr& GetName() const { return m_name; }
    // A character of the keyboard: 8 backspace, 10 enter, others appended.
    void OnKey(CKeyboardWnd* keyboard, int8_t character);

    CLabel* NameLabel() const { return m_lblValue; }
    CPushButton* ClearButton() const { return m_btnClear; }
    CPushButton* OkButton() const { return m_btnOk; }
    CPushButton* CancelButton() const { return m_btnCancel; }
    CKeyboardWnd* Keyboard() const { return m_keyboard; }

private:
    void ShowName();
    void OnClear(CWindow*, intptr_t);
    void OnOk(CWindow*, intptr_t);
    void OnCancel(CWindow*, intptr_t);

    CStr m_name;
    CLabel* m_lblCaption = nullptr;
    CLabel* m_lblValue = nullptr;
    CPushButton* m_btnClear = nullptr;
    CKeyboardWnd* m_keyboard = nullptr;
    CPushButton* m_btnOk = nullptr;
    CPushButton* m_btnCancel = nullptr;
};
