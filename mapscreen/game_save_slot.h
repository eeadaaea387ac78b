#pragma once
// The save slot of the game the map window hosts: the game is saved into it
// at each autosave and before a person leaves, until the game stops being
// saved (it is over, thrown away or stopped). A save that cannot be written
// is told to the person, once a turn for the autosave.

#include <cstdint>

#include "core/ref_string.h"

class CWindow;

class GameSaveSlot {
public:
    // The map window: the parent of the not-saved messages while it is shown.
    explicit GameSaveSlot(CWindow* window) : m_window(window) {}

    // 1 while the game is saved into its slot.
    uint8_t IsSaving() const { return m_saving; }
    void StopSaving() { m_saving = 0; }

    // Empty when no slot is chosen.
    static CStr FileName();
    void Autosave();
    // True when the game is saved (or has nothing to save); otherwise the
    // person is told and stays in the game.
    bool SavedBeforeLeaving();
    // Deletes the slot's file; the game is no longer saved.
    void Forget();
    // A finished game is no longer saved, and its file goes once the hall of
    // fame holds the result.
    void DeleteIfFinished();

private:
    // False, logged, only when the file could not be written.
    bool SaveIntoSlot();

    CWindow* m_window;
    uint8_t m_saving = 1;
    int32_t m_notSavedTurn = -1;  // the turn in which a failed autosave was last reported
};
