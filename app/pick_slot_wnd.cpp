#include "app/pick_slot_wnd.h"

#include <vector>

#include "core/byte_stream.h"
#include "core/core_main.h"
#include "game/data_file_io.h"
#include "game/saved_game.h"
#include "game/scenario_mgr.h"
#include "game/stream_util.h"
#include "ui/child_path.h"
#include "ui/markup_wnd.h"
#include "ui/message_wnd.h"
#include "ui/text_format.h"
#include "ui/value_scroller.h"
#include "ui/window_mgr.h"

namespace {

// Asks a question in a message box; true when the user answered Ok.
bool Ask(CWindow* parent, const char* titleKey, const char* textKey)
{
    CMessageWnd* box = new CMessageWnd(parent);
    box->Setup(LocaleText(textKey), CStr(titleKey), MessageQuestion, CStr("/Sounds/msg_qst"), true);
    const bool yes = box->ModalResult() == MessageResultYes;
    delete box;
    return yes;
}

}  // namespace

CPickSlotWnd::CPickSlotWnd(uint8_t mode, CWindow* parent, const CStr& path)
    : CDialog(parent, path, true), m_mode(mode)
{
    m_rtName = new CMarkupWnd(this, ChildPath(path, "RtSlotName"), true);
    m_line = new CIconWnd(this, ChildPath(path, "ImgLine"));
    m_rtInfo = new CMarkupWnd(this, ChildPath(path, "RtSlotInfo"), true);
    m_btnDelete = new CPushButton(this, ChildPath(path, "BtnDelete"));
    m_scroller = new CValueScroller(this, ChildPath(path, "ScrSlot"), true);
    m_btnOk = new CPushButton(this, ChildPath(path, "BtnOk"));
    m_btnCancel = new CPushButton(this, ChildPath(path, "BtnCancel"));
    m_btnOk->BindHandler(HandlerClick, this, &CPickSlotWnd::OnOk);
    m_btnCancel->BindHandler(HandlerClick, this, &CPickSlotWnd::OnCancel);
    m_btnDelete->BindHandler(HandlerClick, this, &CPickSlotWnd::OnDelete);
    m_scroller->valueChanged.Bind(this, &CPickSlotWnd::OnSlotChanged);
}

CPickSlotWnd::~CPickSlotWnd()
{
    PrepareDestroy();
}

int16_t CPickSlotWnd::SlotOfValue(int32_t value) const
{
    if (m_mode == PickSlotSave)
        return value >= 1 && value <= SaveSlots::kCount ? static_cast<int16_t>(value - 1) : -1;
    int32_t wanted = value - 1;
    for (int slot = 0; slot < SaveSlots::kCount; ++slot) {
        if (SaveSlots::Check(slot) != SaveSlots::kValid)
            continue;
        if (wanted == 0)
            return static_cast<int16_t>(slot);
        --wanted;
    }
    return -1;
}

int16_t CPickSlotWnd::CurrentSlot() const
{
    return SlotOfValue(m_scroller->Value());
}

void CPickSlotWnd::OnShow()
{
    if (m_mode == PickSlotSave) {
        SetText(LocaleText("NewGame"), true);
        m_scroller->SetMin(1, false);
        m_scroller->SetMax(SaveSlots::kCount, false);
        m_scroller->SetValue(SaveSlots::FirstFree() + 1, true, true);
    } else {
        SetText(LocaleText("ResumeGame"), true);
        SaveSlots::Recount();
        m_scroller->SetMin(1, false);
        m_scroller->SetMax(SaveSlots::ValidCount(), false);
        m_scroller->SetValue(1, true, true);
    }
    CDialog::OnShow();
}

void CPickSlotWnd::OnSlotChanged(CValueScroller*)
{
    ShowSlot();
}

void CPickSlotWnd::ShowSlot()
{
    const int16_t slot = CurrentSlot();
    m_rtName->SetText(LocaleFormat("SlotName", slot + 1), true);
    const uint32_t state = slot < 0 ? SaveSlots::kNone : SaveSlots::Check(slot);
    const bool save = m_mode == PickSlotSave;
    CStr info;
    bool canDelete = false, canTake = false;
    switch (state) {
    case SaveSlots::kAbsent:
        info = LocaleText("SlotEmpty");
        canTake = save;
        break;
    case SaveSlots::kDamaged:
        info = LocaleText("SlotInvalid");
        canDelete = true;
        canTake = save;
        break;
    case SaveSlots::kValid:
        if (!FormatSlotInfo(slot, info))
            info = LocaleText("SlotError");
        canDelete = true;
        canTake = true;
        break;
    default:
        info = LocaleText("SlotError");
        break;
    }
    m_rtInfo->SetText(info, true);
    m_btnDelete->Enable(canDelete, true);
    m_btnOk->Enable(canTake, true);
}

bool CPickSlotWnd::FormatSlotInfo(int slot, CStr& text)
{
    uint16_t version = 0;
    std::vector<uint8_t> body;
    if (ReadVersionedBody(SaveSlotFileName(slot), version, body, kMaxSaveFileBytes) != VersionedRead::kOk ||
        body.empty())
        return false;
    if (!VerifySaveCheckByte(body.data(), static_cast<uint32_t>(body.size())))
        return false;
    // The sealed last byte is not part of the data.
    CStreamReader reader(body.data(), static_cast<uint32_t>(body.size() - 1));
    reader.SetVersion(version);
    SaveHeader header;
    StreamSaveHeader(reader, header);
    if (StreamFailed(reader))
        return false;
    reader.SkipTo(header.headerEnd);
    CStr missionPath;
    reader.String(missionPath);
    if (StreamFailed(reader))
        return false;
    CStr title = Map::CSrenarionMgr::MissionTitleOfPath(missionPath);
    if (title.IsEmpty())
        title = header.worldName;
    CStr result = LocaleFormat("SIMission", title);
    result.Append(LocaleFormat("SIDifficulty", LocaleText(DifficultyKey(header.difficulty, "Normal"))));
    result.Append(LocaleFormat("SITurn", header.turn));
    if (header.singleHuman) {
        result.Append(LocaleFormat("SIHeroName", header.humanName));
        result.Append(LocaleFormat("SIHeroSkills", header.skills[0], header.skills[1], header.skills[2]));
    } else {
        result.Append(LocaleFormat("SIPlayers", header.playersWithController));
    }
    text = result;
    return true;
}

void CPickSlotWnd::OnOk(CWindow*, intptr_t)
{
    const int16_t slot = CurrentSlot();
    if (slot < 0)
        return;
    m_chosen = slot;
    const uint32_t state = SaveSlots::Check(slot);
    if (m_mode == PickSlotSave && (state == SaveSlots::kValid || state == SaveSlots::kDamaged)) {
        WindowGuard guard(this);
        const bool overwrite = Ask(this, "OverwriteSlotT",
                                   state == SaveSlots::kValid ? "OverwriteSlotM" : "OverwriteDamagedSlotM");
        if (!guard.Alive() || QuitFlag)
            return;
        if (!overwrite)
            return;
    }
    SetModalResult(ResultOk);
    EndModal(this);
}

void CPickSlotWnd::OnCancel(CWindow*, intptr_t)
{
    m_chosen = -1;
    SetModalResult(ResultCancel);
    EndModal(this);
}

void CPickSlotWnd::OnDelete(CWindow*, intptr_t)
{
    const int16_t slot = CurrentSlot();
    if (slot < 0)
        return;
    WindowGuard guard(this);
    const bool yes = Ask(this, "DeleteSlotT", "DeleteSlotM");
    if (!guard.Alive() || QuitFlag || !yes)
        return;
    SaveSlots::Delete(slot);
    if (m_mode == PickSlotSave) {
        m_scroller->SetValue(slot + 1, true, true);
        return;
    }
    const int32_t count = SaveSlots::ValidCount();
    m_scroller->SetMax(count, false);
    int32_t position = m_scroller->Value() - 1;
    if (position > count - 1)
        position = count - 1;
    if (count <= 0) {
        CMessageWnd* box = new CMessageWnd(this);
        box->Setup(LocaleText("NoSavedGamesM"), CStr("NoSavedGamesT"), MessageTapToClose,
                   CStr("/Sounds/msg_info"), true);
        delete box;
        if (!guard.Alive())
            return;
        m_chosen = -1;
        SetModalResult(ResultCancel);
        EndModal(this);
        return;
    }
    m_scroller->SetValue(position + 1, true, true);
}
