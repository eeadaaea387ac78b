#pragma once
// The four pages of a player's statistics, shown by the victory and defeat
// windows and by the statistics of a hall-of-fame entry: the game, the
// resources, the armies and the battles. Each page is a composite "Page1"..
// "Page4" under the window, its controls child nodes of the page.

#include <cstdint>

#include "core/ref_string.h"
#include "game/hall_of_fame.h"

class CCompositeWnd;
class CIconWnd;
class CItemListWnd;
class CLabel;
class CMarkupWnd;
class CResWnd;
class CTextWnd;
class CWindow;

// The end-of-game pages stand on pale stone: their texts take the dark ink
// of the pages' labels, the grey of the toolkit's texts being too faint there.
constexpr uint8_t kStatisticsInk = 1;

class StatisticsPages {
public:
    static constexpr int32_t kPageCount = 4;

    // Builds the pages under the window whose layout path is given.
    void Build(CWindow* window, const CStr& path);
    // The army lists point into the squads they show, so the pages keep a
    // copy of the entry for as long as they live; the caller's may go.
    void Fill(const CHallOfFameEntry& entry);
    // Shows page n (1..4) and hides the other three; 0 hides all.
    void ShowPage(int32_t n);
    CCompositeWnd* Page(int32_t n) const { return (n >= 1 && n <= kPageCount) ? m_pages[n - 1] : nullptr; }

    CMarkupWnd* turns = nullptr;
    CMarkupWnd* difficulty = nullptr;
    CMarkupWnd* score = nullptr;
    CMarkupWnd* hero = nullptr;
    CResWnd* taxes = nullptr;
    CResWnd* spent = nullptr;
    CTextWnd* stolen = nullptr;
    CTextWnd* theft = nullptr;
    CResWnd* finalResources = nullptr;
    CItemListWnd* recruited = nullptr;
    CItemListWnd* joined = nullptr;
    CItemListWnd* assassinated = nullptr;
    CItemListWnd* finalArmy = nullptr;
    CMarkupWnd* totalBattles = nullptr;
    CMarkupWnd* victories = nullptr;
    CMarkupWnd* defeats = nullptr;
    CMarkupWnd* retreats = nullptr;
    CItemListWnd* killed = nullptr;
    CItemListWnd* lost = nullptr;

private:
    CCompositeWnd* m_pages[kPageCount] = {};
    CHallOfFameEntry m_entry;
};
