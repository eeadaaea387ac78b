#include "mapscreen/game_flow_windows.h"

#include "mapdialogs/cust_plr_wnd.h"
#include "mapdialogs/victory_wnd.h"
#include "mapscreen/map_wnd_parts.h"
#include "ui/message_wnd.h"
#include "ui/window_mgr.h"

void GameFlowWindows::ShowStartFailure(const char* titleKey, const char* textKey)
{
    CMessageWnd* box = new CMessageWnd(CWindowMgr::Root());
    box->Setup(LocalizedText(textKey), CStr(titleKey), MessageTapToClose, CStr(), true);
    delete box;
}

uint16_t GameFlowWindows::AskQuestion(const char* titleKey, const char* textKey) const
{
    CMessageWnd* box = new CMessageWnd(m_window);
    box->Setup(LocalizedText(textKey), CStr(titleKey), MessageQuestion, CStr("/Sounds/msg_qst"), true);
    const uint16_t result = box->ModalResult();
    delete box;
    return result;
}

void GameFlowWindows::RunCustomPlayerWindow(PlayerRecord* player) const
{
    // A new game sets its people up before the map window is first shown; a
    // child of the hidden window would wait unseen, so it stands on the root
    // until the map is up.
    CWindow* parent = m_window->IsVisible() ? m_window : CWindowMgr::Root();
    if (parent == nullptr)
        parent = m_window;
    CCustPlrWnd* window = new CCustPlrWnd(parent, MapWndPath(m_layoutPath, "CustPlrWnd"));
    window->Setup(player);
    RunModal(window);
    delete window;
}

void GameFlowWindows::RunGameOverWindows(uint8_t victory, PlayerRecord* player) const
{
    RunEndOfGameWindows(m_window, victory, player);
}
