#include "mapdialogs/hall_of_fame_wnd.h"

#include "core/pack_format.h"
#include "core/text_section_reader.h"
#include "game/hall_of_fame.h"
#include "game/scenario_mgr.h"
#include "mapdialogs/game_statistics_wnd.h"
#include "ui/child_path.h"
#include "ui/inks.h"
#include "ui/layout_box.h"
#include "ui/markup_wnd.h"
#include "ui/message_wnd.h"
#include "ui/text_format.h"
#include "ui/value_scroller.h"
#include "ui/window_mgr.h"

namespace {

// A row control takes its node's rectangle moved down by the row's offset.
template <typename T>
T* MoveDown(T* control, int32_t offset)
{
    PackedRect rect = control->RequestedRect();
    if (rect.IsDefined()) {
        rect.Offset(0, offset);
        control->SetRect(rect, false);
    }
    return control;
}

// A screen opened over another takes its whole rectangle, title bar included:
// the layout places it inside the client area, which would leave the title
// and the help button of the screen behind above it, dead while it runs.
void CoverWhole(CWindow* screen, CWindow* over)
{
    const PackedRect& margins = over->Margins();
    screen->SetAnchorMode(AnchorNone);
    screen->SetRect(PackedRect(-margins.Left(), -margins.Top(), over->Width() - 1 - margins.Left(),
                               over->Height() - 1 - margins.Top()),
                    false);
}

int32_t RowsPerPage()
{
    const int32_t n = HallOfFameConfig().placesPerMission;
    return n > 0 ? n : 1;
}

}  // namespace

CHallOfFameWnd::CHallOfFameWnd(CWindow* parent, const CStr& path) : CScreenWnd(parent, path, true)
{
    m_scrMission = new CValueScroller(Window(), ChildPath(path, "ScrDifficulty"), true);
    m_scrMission->flags |= ScrollerTextSuspended;
    // The toolkit's grey reads too faint on the dark face behind the name.
    m_scrMission->ValueLabel()->Caption().foreground = kInkOnDark;
    m_scrPage = new CValueScroller(Window(), ChildPath(path, "ScrPage"), true);
    m_btnReturn = new CPushButton(Window(), ChildPath(path, "BtnReturn"));
    m_btnClear = new CPushButton(Window(), ChildPath(path, "BtnClearResults"));
    BuildRows();
    m_scrMission->valueChanged.Bind(this, &CHallOfFameWnd::OnMissionChanged);
    m_btnReturn->BindHandler(HandlerClick, this, &CHallOfFameWnd::OnReturn);
    m_btnClear->BindHandler(HandlerClick, this, &CHallOfFameWnd::OnClearResults);
    m_scrPage->valueChanged.Bind(this, &CHallOfFameWnd::FillRows);
}

CHallOfFameWnd::~CHallOfFameWnd() = default;

void CHallOfFameWnd::BuildRows()
{
    const CStr path = m_link.Path();
    CWindow* window = Window();
    int32_t offset = m_scrMission->Window()->RequestedRect().Bottom() + 1;
    for (int32_t r = 0; r < RowsPerPage(); ++r) {
        Row row;
        row.line = MoveDown(new CIconWnd(window, ChildPath(path, "EHorzLine")), offset);
        row.playerName = MoveDown(new CMarkupWnd(window, ChildPath(path, "EPlrName"), true), offset);
        row.playerName->SetAlign(AlignStart, AlignCentre, false);
        row.mapName = MoveDown(new CMarkupWnd(window, ChildPath(path, "EMapName"), true), offset);
        row.mapName->SetAlign(AlignStart, AlignCentre, false);
        row.score = MoveDown(new CMarkupWnd(window, ChildPath(path, "EScore"), true), offset);
        row.turns = MoveDown(new CMarkupWnd(window, ChildPath(path, "ETurns"), true), offset);
        for (CMarkupWnd* text : {row.playerName, row.mapName, row.score, row.turns})
            text->foreground = kInkOnDark;
        row.details = MoveDown(new CPushButton(window, ChildPath(path, "EBtnDetails")), offset);
        row.details->BindHandler(HandlerClick, this, &CHallOfFameWnd::OnDetails);
        offset = row.details->RequestedRect().Bottom() + 1;
        m_rows.push_back(row);
    }
}

void CHallOfFameWnd::OnShow()
{
    // The palette and animations stay as the opener had them.
    CWindow* window = Window();
    window->CWindow::OnShow();
    LoadHallOfFameFile();
    const int32_t n = RowsPerPage();
    m_scrPage->SetMin(1, false);
    m_scrPage->SetMax((n + n - 1) / n, false);
    m_scrPage->Window()->Show(m_scrPage->Min() != m_scrPage->Max(), false);
    m_scrMission->SetMin(0, false);
    m_scrMission->SetMax(Map::CSrenarionMgr::TotalMissions() - 1, false);
    m_scrMission->SetValue(m_startMission, true, true);
    if (TakeHallOfFameDamageNotice()) {
        auto* box = new CMessageWnd(window);
        box->Setup(LocaleText("HOFDamagedM"), CStr("HOFDamagedT"), MessageTapToClose, CStr(), true);
        delete box;
    }
}

void CHallOfFameWnd::OnMissionChanged(CValueScroller* scroller)
{
    int scenario = 0, mission = 0;
    Map::CSrenarionMgr::MissionFromIndex(scroller->Value(), &scenario, &mission);
    m_missionPath = Map::CSrenarionMgr::MissionPath(scenario, mission);
    CStr title;
    TextSectionReader reader;
    const CStr textPath = ChildPath(m_missionPath, "mission");
    if (!reader.Open(textPath.Chars(), pack_format::kTextType, TextSectionReader::kAllOptions) ||
        !reader.ReadLine(title)) {
        title = LocaleText("Error");
    }
    scroller->ValueLabel()->SetText(title, true);
    m_scrPage->SetValue(1, true, true);
    m_btnClear->Show(HallOfFameCount(m_missionPath) > 0, false);
    Window()->Invalidate(UndefinedRect, true);
}

void CHallOfFameWnd::FillRows(CValueScroller*)
{
    const int32_t n = RowsPerPage();
    const int32_t count = HallOfFameCount(m_missionPath);
    for (int32_t r = 0; r < RowCount(); ++r) {
        const Row& row = m_rows[static_cast<size_t>(r)];
        const int32_t i = (m_scrPage->Value() - 1) * n + r;
        CHallOfFameEntry entry;
        const bool filled = i < count && HallOfFameGetEntry(m_missionPath, i, entry);
        if (filled) {
            CStr name;
            name.Format("%ld. %s", i + 1, entry.playerName);
            row.playerName->SetText(name, true);
            row.mapName->SetText(LocaleText(DifficultyKey(entry.difficulty, "Normal")), true);
            row.score->SetText(LocaleFormat("HOFScore", entry.score), true);
            row.turns->SetText(LocaleFormat("HOFTurns", entry.turns), true);
        } else {
            row.playerName->SetText(LocaleFormat("NoHOFEntry", i + 1), true);
        }
        row.mapName->Show(filled, false);
        row.score->Show(filled, false);
        row.turns->Show(filled, false);
        row.details->Show(filled, false);
    }
    Window()->Invalidate(UndefinedRect, true);
}

void CHallOfFameWnd::ShowDetails(int32_t row)
{
    if (row < 0 || row >= RowCount())
        return;
    CHallOfFameEntry entry;
    if (!HallOfFameGetEntry(m_missionPath, row + (m_scrPage->Value() - 1) * RowsPerPage(), entry))
        return;
    StopAnimations();
    auto* statistics = new CGameStatisticsWnd(Window(), CStr("/Map/MapWnd/VictoryWnd"));
    statistics->Fill(entry);
    statistics->SetTitle(CStr(), true);
    CoverWhole(statistics->Window(), Window());
    statistics->Window()->BringToFront(true);
    WindowGuard guard(Window());
    RunModal(statistics->Window());
    delete statistics;
    if (!guard.Alive())
        return;
    Window()->Invalidate(UndefinedRect, true);
    StartAnimations();
}

void CHallOfFameWnd::OnDetails(CWindow* button, intptr_t)
{
    for (int32_t r = 0; r < RowCount(); ++r) {
        if (m_rows[static_cast<size_t>(r)].details == button) {
            ShowDetails(r);
            return;
        }
    }
}

void CHallOfFameWnd::ClearResults()
{
    auto* box = new CMessageWnd(Window());
    WindowGuard guard(Window());
    box->Setup(LocaleText("ResetHighScoresMsg"), CStr("ResetHighScores"), MessageQuestion,
               CStr("/Sounds/msg_qst"), true);
    const bool yes = box->ModalResult() == MessageResultYes;
    delete box;
    if (!guard.Alive() || !yes)
        return;
    RemoveHallOfFameEntries(m_missionPath);
    SaveHallOfFameFile();
    LoadHallOfFameFile();
    OnMissionChanged(m_scrMission);
}

void CHallOfFameWnd::OnReturn(CWindow*, intptr_t)
{
    EndModal(Window());
}

void CHallOfFameWnd::OnClearResults(CWindow*, intptr_t)
{
    ClearResults();
}
