#include "mapdialogs/player_name_wnd.h"

#include "game/player_record.h"
#include "ui/child_path.h"
#include "ui/keyboard_wnd.h"
#include "ui/label.h"
#include "ui/window_mgr.h"

CPlayerNameWnd::CPlayerNameWnd(CWindow* parent, const CStr& path) : CDialog(parent, path, true)
{
    m_lblCaption = new CLabel(this, ChildPath(path, "LblName"), true);
    m_lblValue = new CLabel(this, ChildPath(path, "Name"), true);
    m_btnClear = new CPushButton(this, ChildPath(path, "BtnClear"));
    m_keyboard = new CKeyboardWnd(this, ChildPath(path, "Keyboard"), true);
    m_btnOk = new CPushButton(this, ChildPath(path, "BtnOk"));
    m_btnCancel = new CPushButton(this, ChildPath(path, "BtnCancel"));
    m_btnClear->BindHandler(HandlerClick, this, &CPlayerNameWnd::OnClear);
    m_btnOk->BindHandler(HandlerClick, this, &CPlayerNameWnd::OnOk);
    m_btnCancel->BindHandler(HandlerClick, this, &CPlayerNameWnd::OnCancel);
    m_keyboard->keyHandler.Bind(this, &CPlayerNameWnd::OnKey);
    ShowName();
}

CPlayerNameWnd::~CPlayerNameWnd()
{
    PrepareDestroy();
}

void CPlayerNameWnd::Setup(const PlayerRecord& player)
{
    SetName(player.name);
}

void CPlayerNameWnd::SetName(const CStr& name)
{
    // A longer name than the window takes is cut, so that backspace always
    // works on what the user sees.
    m_name = name.Length() > kMaxNameLength ? name.Mid(0, kMaxNameLength) : name;
    ShowName();
}

void CPlayerNameWnd::ShowName()
{
    m_lblValue->SetText(m_name, true);
    m_btnOk->Enable(!m_name.IsEmpty(), true);
}

void CPlayerNameWnd::OnKey(CKeyboardWnd*, int8_t character)
{
    const uint8_t code = static_cast<uint8_t>(character);
    if (code == 8) {
        if (m_name.IsEmpty())
            return;
        m_name = m_name.Mid(0, m_name.Length() - 1);
    } else if (code == 10) {
        if (!m_name.IsEmpty()) {
            SetModalResult(ResultOk);
            EndModal(this);
        }
        return;
    } else {
        if (m_name.Length() >= kMaxNameLength)
            return;
        const char text[2] = {static_cast<char>(code), 0};
        m_name.AppendChars(text, 1);
    }
    ShowName();
}

void CPlayerNameWnd::OnClear(CWindow*, intptr_t)
{
    m_name = CStr();
    ShowName();
}

void CPlayerNameWnd::OnOk(CWindow*, intptr_t)
{
    SetModalResult(ResultOk);
    EndModal(this);
}

void CPlayerNameWnd::OnCancel(CWindow*, intptr_t)
{
    SetModalResult(ResultCancel);
    EndModal(this);
}
