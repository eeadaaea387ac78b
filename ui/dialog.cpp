#include "ui/dialog.h"

#include "core/ui_mgr.h"

CDialog::CDialog(CWindow* parent, const CStr& path, bool load)
    : CFrameWnd(parent, path, false),
      m_show(new CUiSound(CStr("SndShow_"))),
      m_hide(new CUiSound(CStr("SndHide_"))),
      m_click(new CUiSound(CStr("SndClick_")))
{
    if (load)
        LoadLayout(false);
}

CDialog::~CDialog()
{
    PrepareDestroy();
    delete m_show;
    delete m_hide;
    delete m_click;
    m_show = m_hide = m_click = nullptr;
}

void* CDialog::QueryInterface(int32_t id)
{
    return id == IidDialog ? static_cast<CWindow*>(this) : CFrameWnd::QueryInterface(id);
}

bool CDialog::LoadLayout(bool keepVisibility)
{
    const bool was = m_link.SetRefreshEnabled(false);
    if (!CFrameWnd::LoadLayout(keepVisibility)) {
        m_link.SetRefreshEnabled(was);
        return false;
    }
    CUiTree& tree = CUIMgr::Tree();
    {
        TreeNodeScope scope;
        // The sound entries are relative: read them only from the dialog's own node.
        bool here = false;
        if (scope.Saved()) {
            here = m_link.BoundNode() >= 0
                       ? tree.GoToIndex(m_link.BoundNode(), m_link.Path())
                       : (!m_link.Path().IsEmpty() && tree.GoToPath(m_link.Path().Chars()));
        }
        if (here) {
            m_show->Reload(false);
            m_hide->Reload(false);
            m_click->Reload(false);
        }
    }
    m_link.SetRefreshEnabled(was);
    if (was)
        m_link.Refresh();
    return true;
}

void CDialog::OnShow()
{
    if (m_show)
        m_show->Sound().Play();
    CWindow::OnShow();
}

void CDialog::OnHide()
{
    if (m_hide)
        m_hide->Sound().Play();
    CWindow::OnHide();
}

void CDialog::OnClick(const PackedPoint& point)
{
    if (m_click)
        m_click->Sound().Play();
    InvokeHandler(HandlerClick, reinterpret_cast<intptr_t>(&point));
}
