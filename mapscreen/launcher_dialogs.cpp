#include "mapscreen/launcher_dialogs.h"

#include "game/player_controller.h"
#include "game/report_list.h"
#include "game/running_game.h"
#include "mapdialogs/castle_info_wnd.h"
#include "mapdialogs/report_wnd.h"
#include "players/request_records.h"
#include "ui/window_mgr.h"

namespace {

void OfferAgain(CastleInfoRequestArgs* request)
{
    if (request != nullptr)
        request->offer = OfferCastleWorks(request->province, request->index, CurrentPlayer());
}

}  // namespace

void LauncherDialogs::RunReport(CWindow* parent, const ReportRequestArgs* request)
{
    if (!request || !request->controller || request->controller->Reports().Count() < 1)
        return;
    if (!m_report)
        m_report = new CReportWnd(parent, CStr("ReportWnd"), true);
    m_report->BuildPages(request->controller->Reports());
    m_report->Invalidate();
    RunModal(m_report);
    CReportWnd* done = m_report;
    m_report = nullptr;
    delete done;
}

bool LauncherDialogs::IsCastleInfoShown() const
{
    return m_castleInfo && m_castleInfo->IsVisible();
}

void LauncherDialogs::HideCastleInfo()
{
    if (IsCastleInfoShown())
        m_castleInfo->Show(false, false);
}

void LauncherDialogs::SetupCastleInfo(CastleInfoRequestArgs* request)
{
    OfferAgain(request);
    if (m_castleInfo)
        m_castleInfo->Setup(request);
}

void LauncherDialogs::RefreshCastleInfo()
{
    if (!m_castleInfo)
        return;
    OfferAgain(m_castleInfo->Request());
    m_castleInfo->Refresh();
}

void LauncherDialogs::DestroyAll()
{
    CReportWnd* report = m_report;
    m_report = nullptr;
    delete report;
    delete m_castleInfo;
    m_castleInfo = nullptr;
}
