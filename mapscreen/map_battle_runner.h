#pragma once
// The two ways the map window has a battle on the map fought: watched in the
// battle window ("MapBattleWnd"), or resolved at once by the quick battle
// runner, under a notice when a person takes part. Either way the map
// window hears when the battle is over.

#include <cstdint>
#include <functional>

#include "core/ref_string.h"

class CMapBattleWnd;
class CWindow;
struct MapBattleRecord;

class MapBattleRunner {
public:
    // The map window (the battle window's parent) and its layout path, the
    // one the map window's own link holds; battleOver is called as each
    // battle ends.
    MapBattleRunner(CWindow* window, const CStr& layoutPath, std::function<void()> battleOver);

    // The battle window while a watched battle runs, otherwise null.
    CMapBattleWnd* BattleWnd() const { return m_battleWnd; }
    // Runs the battle window modally and deletes it; the map's own screen
    // parts must be torn down first.
    void Watch(MapBattleRecord* record, uint8_t flag);
    void Resolve(MapBattleRecord* record, uint8_t flag, bool notice);

private:
    void OnBattleOver();

    CWindow* m_window;
    const CStr& m_layoutPath;
    std::function<void()> m_battleOver;
    CMapBattleWnd* m_battleWnd = nullptr;
};
