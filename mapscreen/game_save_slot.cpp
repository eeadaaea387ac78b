#include "mapscreen/game_save_slot.h"

#include "core/log.h"
#include "core/ui_mgr.h"
#include "game/running_game.h"
#include "game/saved_game.h"
#include "ui/message_wnd.h"
#include "ui/window_mgr.h"

CStr GameSaveSlot::FileName()
{
    const int16_t slot = SaveSlots::Current();
    if (slot < 0)
        return CStr();
    return SaveSlotFileName(slot);
}

void GameSaveSlot::Forget()
{
    const int16_t slot = SaveSlots::Current();
    if (slot >= 0)
        SaveSlots::Delete(slot);
    m_saving = 0;
}

void GameSaveSlot::DeleteIfFinished()
{
    if (!Game().gameFinished)
        return;
    m_saving = 0;
    // While the hall of fame lacks the result, the save is all that holds it.
    if (Game().resultUnwritten)
        return;
    const int16_t slot = SaveSlots::Current();
    if (slot >= 0)
        SaveSlots::Delete(slot);
}

bool GameSaveSlot::SaveIntoSlot()
{
    // Without a slot there is no file to save into, and a battle half fought
    // is never saved.
    const CStr name = FileName();
    if (!m_saving || name.IsEmpty() || Game().battleInProgress)
        return true;
    if (SaveGame(name))
        return true;
    LogWrite(CStr("MAIN: the game could not be saved into ") + name);
    return false;
}

void GameSaveSlot::Autosave()
{
    // A game being left was saved when the person chose to leave, and a
    // close request cannot wait for an answer: the log line is all.
    if (SaveIntoSlot() || GameStopRequested())
        return;
    // Once a turn is enough for a disk that stays full.
    if (m_notSavedTurn == Game().turn)
        return;
    m_notSavedTurn = Game().turn;
    ShowNotSavedMessage(m_window->IsVisible() ? m_window : CWindowMgr::Root(),
                        LocaleFormat("NotSavedGameM", long(SaveSlots::Current() + 1)));
}

bool GameSaveSlot::SavedBeforeLeaving()
{
    if (SaveIntoSlot())
        return true;
    ShowNotSavedMessage(m_window, LocaleFormat("NotSavedLeaveM", long(SaveSlots::Current() + 1)));
    return false;
}
