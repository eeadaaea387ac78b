#include "mapscreen/launcher_dialogs.h"

#include "mapdialogs/castle_info_wnd.h"

bool LauncherDialogs::IsCastleInfoShown() const
{
    return m_castleInfo && m_castleInfo->IsVisible();
}

void LauncherDialogs::HideCastleInfo()
{
    if (IsCastleInfoShown())
        m_castleInfo->Show(false, false);
}

void LauncherDialogs::RefreshCastleInfo()
{
    if (m_castleInfo)
        m_castleInfo->Refresh();
}

void LauncherDialogs::DestroyAll()
{
    delete m_castleInfo;
    m_castleInfo = nullptr;
}
