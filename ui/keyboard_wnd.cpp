#include "ui/keyboard_wnd.h"

#include <algorithm>

#include "core/ui_mgr.h"
#include "ui/link_layout.h"

CKeyboardWnd::CKeyboardWnd(CWindow* parent, const CStr& path, bool load)
    : CCompositeWnd(parent, path, false), m_panel(new CCompositeWnd(m_window, CStr(), false))
{
    m_panel->Window()->Show(true, false);
    m_space = MakeKey();
    m_shift = MakeKey();
    m_caps = MakeKey();
    m_enter = MakeKey();
    m_layoutKey = MakeKey();
    m_backspace = MakeKey();
    m_shift->mode = PressToggle;
    m_caps->mode = PressToggle;
    m_layoutKey->Enable(false, false);
    if (load)
        LoadNode(false);
}

CKeyboardWnd::~CKeyboardWnd()
{
    // The buttons go with the panel's window; only the lists are ours.
    for (auto& row : m_rows)
        row.clear();
}

void* CKeyboardWnd::QueryInterface(int32_t id)
{
    if (id == IidKeyboard)
        return this;
    if (id == IidSkinTarget)
        return static_cast<CSkinTarget*>(this);
    return CCompositeWnd::QueryInterface(id);
}

CButton* CKeyboardWnd::MakeKey()
{
    auto* key = new CButton(m_panel->Window(), CStr(), false);
    key->BindHandler(HandlerClick, this, &CKeyboardWnd::OnKeyButton);
    key->Show(true, false);
    return key;
}

bool CKeyboardWnd::LoadNode(bool reload)
{
    bool refreshWas;
    if (!BeginLinkLayout(m_link, reload, refreshWas))
        return false;
    LoadLayout(CUIMgr::NextString(), false);
    SetSkin(CUIMgr::NextString(), false);
    SetKeyColour(static_cast<uint8_t>(CUIMgr::NextNumber()), false);
    EndLinkLayout(m_link, refreshWas);
    return true;
}

void CKeyboardWnd::ClearRows()
{
    // A rebuild deletes the old keys, so none of them lingers on the panel.
    for (auto& row : m_rows) {
        for (CButton* key : row)
            delete key;
        row.clear();
    }
}

bool CKeyboardWnd::LoadLayout(const CStr& name, bool redraw)
{
    KeyboardLayout layout;
    if (!layout.Load(name.Chars()))
        return false;
    m_layout = layout;
    ClearRows();
    for (int32_t r = 0; r < KeyboardRowCount; ++r) {
        const int32_t count = std::min(m_layout.KeyCount(r), MaxKeysPerRow);
        for (int32_t i = 0; i < count; ++i) {
            CButton* key = MakeKey();
            key->Caption().foreground = keyColour;
            m_rows[r].push_back(key);
        }
    }
    UpdateCaptions(false);
    SetSkin(m_skinFolder, false);
    if (redraw)
        m_window->Invalidate();
    return true;
}

KeyboardState CKeyboardWnd::State() const
{
    return KeyboardLayout::StateFor(m_caps->IsDrawnDown(), m_shift->IsDrawnDown());
}

int32_t CKeyboardWnd::KeyCount(int32_t row) const
{
    if (row < 0 || row >= KeyboardRowCount)
        return 0;
    return static_cast<int32_t>(m_rows[row].size());
}

CButton* CKeyboardWnd::Key(int32_t row, int32_t index) const
{
    if (index < 0 || index >= KeyCount(row))
        return nullptr;
    return m_rows[row][static_cast<size_t>(index)];
}

void CKeyboardWnd::UpdateCaptions(bool redraw)
{
    const KeyboardState state = State();
    for (int32_t r = 0; r < KeyboardRowCount; ++r) {
        for (size_t i = 0; i < m_rows[r].size(); ++i) {
            m_rows[r][i]->SetText(m_layout.Caption(state, r, static_cast<int32_t>(i)), redraw);
        }
    }
}

void CKeyboardWnd::SetKeyColour(uint8_t colour, bool redraw)
{
    keyColour = colour;
    for (auto& row : m_rows) {
        for (CButton* key : row)
            key->Caption().foreground = colour;
    }
    if (redraw)
        m_window->Invalidate();
}

uint32_t CKeyboardWnd::SetSkin(const CStr& folder, bool redraw)
{
    if (m_rows[0].empty() || folder.IsEmpty()) {
        m_skinFolder = folder;
        return 1;
    }
    const struct {
        CButton* button;
        const char* suffix;
    } specials[] = {{m_shift, "/Shift"},      {m_caps, "/Caps"},        {m_enter, "/Enter"},
                    {m_layoutKey, "/Layout"}, {m_backspace, "/Backsp"}, {m_space, "/Space"}};
    for (const auto& special : specials)
        special.button->SetSkin(CStr::ConcatChars(folder, special.suffix), false);
    const CStr symbol = CStr::ConcatChars(folder, "/Symbol");
    for (int32_t r = KeyboardRowCount - 1; r >= 0; --r) {
        for (auto key = m_rows[r].rbegin(); key != m_rows[r].rend(); ++key)
            (*key)->SetSkin(symbol, false);
    }
    m_skinFolder = folder;
    Arrange();
    if (redraw)
        m_window->Invalidate();
    return 1;
}

void CKeyboardWnd::Arrange()
{
    int32_t y = 0, indent = 0, panelWidth = 0, panelHeight = 0;
    auto place = [](CButton* button, int32_t& x, int32_t top) {
        button->SetRect(PackedRect(0, 0, 0, 0), false);  // the skin's size
        const int32_t w = button->Width(), h = button->Height();
        button->SetRect(PackedRect(static_cast<int16_t>(x), static_cast<int16_t>(top),
                                   static_cast<int16_t>(x + w - 1), static_cast<int16_t>(top + h - 1)),
                        false);
        x += w;
        return h;
    };
    const std::vector<CButton*> rowEnds[KeyboardRowCount] = {
        {m_backspace}, {m_enter}, {m_caps}, {m_shift}, {m_space, m_layoutKey}};
    for (int32_t r = 0; r < KeyboardRowCount; ++r) {
        int32_t x = indent;
        int32_t rowHeight = 0;
        for (CButton* key : m_rows[r])
            rowHeight = std::max(rowHeight, place(key, x, y));
        for (CButton* special : rowEnds[r])
            place(special, x, y);
        panelWidth = std::max(panelWidth, x);
        panelHeight += rowHeight;
        y += rowHeight;
        // A row without keys gives no indent step.
        if (!m_rows[r].empty())
            indent += m_rows[r].front()->Width() / 2;
    }
    const int32_t left = (m_window->Width() - panelWidth) / 2;
    const int32_t top = (m_window->Height() - panelHeight) / 2;
    m_panel->Window()->SetRect(PackedRect(static_cast<int16_t>(left), static_cast<int16_t>(top),
                                          static_cast<int16_t>(left + panelWidth - 1),
                                          static_cast<int16_t>(top + panelHeight - 1)),
                               false);
}

void CKeyboardWnd::OnKey(int8_t character)
{
    keyHandler(this, character);
}

void CKeyboardWnd::OnKeyButton(CWindow* button, intptr_t)
{
    if (button == m_backspace) {
        OnKey(8);
    } else if (button == m_enter) {
        OnKey(10);
    } else if (button == m_space) {
        OnKey(32);
    } else if (button == m_caps || button == m_shift) {
        UpdateCaptions(true);
    } else if (button == m_layoutKey) {
        // Only one layout: the key does nothing.
    } else {
        for (auto& row : m_rows) {
            if (std::find(row.begin(), row.end(), button) == row.end())
                continue;
            const CStr& caption = button->Text();
            if (!caption.IsEmpty())
                OnKey(static_cast<int8_t>(caption.At(0)));
            // Shift holds for one character only; Caps stays until clicked.
            if (m_shift->IsDrawnDown()) {
                m_shift->SetChecked(false, true);
                UpdateCaptions(true);
            }
            return;
        }
    }
}
