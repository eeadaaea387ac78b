// What the side panels show: the handlers of the game signals that announce
// the current player's treasury, flag, army and move points, the three
// action buttons, the selected province and the domain overview.

#include "core/path_mgr.h"
#include "core/resource_mgr.h"

#include "game/army.h"
#include "game/game_signals.h"
#include "game/game_world.h"
#include "game/player_colour.h"
#include "game/player_controller.h"
#include "game/player_record.h"
#include "game/province_record.h"
#include "game/resource_bundle.h"
#include "game/running_game.h"
#include "mapdialogs/dialog_controls.h"
#include "mapscreen/map_wnd.h"
#include "mapscreen/map_wnd_parts.h"
#include "mapscreen/panel_contents.h"
#include "ui/button.h"
#include "ui/frame_wnd.h"
#include "ui/label.h"
#include "ui/markup_wnd.h"
#include "ui/res_wnd.h"
#include "ui/ui_link.h"
#include <vector>

void CMapWnd::OnPlayerResources(const CResourceBundle* bundle)
{
    if (!bundle)
        return;
    ShowBundle(m_panels.mapTopTreasury, *bundle, true);
    if (m_mode == kModeRecruit) {
        ShowBundle(m_panels.recruitTreasury, *bundle, true);
        m_recruit->ResourcesChanged();
    }
}

namespace {

// The owner's flag; a province nobody holds shows none.
void ShowFlag(CIconWnd* icon, const PlayerRecord* owner)
{
    if (!icon)
        return;
    const uint8_t colour = PlayerColour(owner);
    ShowWindow(icon, colour < kPlayerColourCount);
    if (colour >= kPlayerColourCount)
        return;
    CStr name;
    name.Format("%sFlag%ld", CPathMgr::Path(CPathMgr::kImagesIcons), long(colour) + 1);
    icon->SetImage(name, true);
}

}  // namespace

void CMapWnd::OnPlayerTitle(PlayerRecord* player)
{
    if (!player)
        return;
    // The windows over the map show the squads of whoever plays now, unless
    // a list is given its own army's owner.
    const PlayerRecord* current = CurrentPlayer();
    m_window->SetSideColour(PlayerColour(current ? current : player), false);
    if (m_mode == kModeMap) {
        ShowFlag(m_panels.campStyle, player);
        PanelContents::FillArmyList(m_panels.campArmyList, &player->army, player, nullptr);
    } else if (m_mode == kModeComputer) {
        PanelContents::ShowComputerTurnTitle(m_panels.aiPlayer, current ? current : player);
    }
}

void CMapWnd::OnMovePointsChanged()
{
    const CPlayerController* controller = CurrentController();
    const PlayerRecord* player = CurrentPlayer();
    const bool show = controller && player && player->army.HasUnits();
    if (show && m_panels.campTurns) {
        CStr text;
        text.Format("%ld", long(controller->MovePoints()));
        m_panels.campTurns->SetText(text, true);
    }
    ShowWindow(m_panels.campTurnsIcon, show);
    ShowWindow(m_panels.campTurns, show);
}

namespace {

// The action button pictures by the low four bits of the flags; null hides
// the button.
struct ActionPictures {
    const char* bit1;
    const char* bit2;
    const char* bit4;
    const char* bit8;
};

const char* PictureFor(const ActionPictures& pictures, uint16_t flags)
{
    switch (flags & 0x0F) {
    case 1:
        return pictures.bit1;
    case 2:
        return pictures.bit2;
    case 4:
        return pictures.bit4;
    case 8:
        return pictures.bit8;
    default:
        return nullptr;
    }
}

// Enables the button unless the action is not possible now, shows it and
// sets its picture from the button folder.
void ShowActionButton(CButton* button, uint16_t flags, const ActionPictures& pictures, bool redrawOnEnable)
{
    if (!button)
        return;
    button->Enable((flags & kActionDisabled) == 0, redrawOnEnable);
    const char* picture = PictureFor(pictures, flags);
    if (!picture) {
        ShowWindow(button, false);
        return;
    }
    ShowWindow(button, true);
    ResourceFolderScope folder;
    CResourceMgr::SetCurrentFolder(CPathMgr::Path(CPathMgr::kImagesButtons).Chars());
    button->SetImage(CStr(picture), true);
}

}  // namespace

void CMapWnd::OnArmyActions(uint16_t flags)
{
    ShowActionButton(m_panels.campAction, flags, {"Move", "Attack", "Transfer", nullptr}, false);
}

void CMapWnd::OnOperationActions(uint16_t flags)
{
    // An operation that cannot be ordered now is not offered at all.
    if (flags & kActionDisabled) {
        ShowWindow(m_panels.operationAction, false);
        return;
    }
    ShowActionButton(m_panels.operationAction, flags, {nullptr, "Scout", "Decease", "FullTransfer"}, false);
}

void CMapWnd::OnCastleActions(uint16_t flags)
{
    ShowActionButton(m_panels.castleAction, flags, {"CastleOps", "Robbery", nullptr, nullptr}, true);
}

void CMapWnd::OnProvinceInfo(ProvinceRecord* province)
{
    if (!province)
        return;
    if (province->owner && province->owner == CurrentPlayer())
        ShowOwnProvince(province);
    else
        ShowOtherProvince(province);
}

namespace {

// The province's name, its owner's flag and its income, above its garrison.
void ShowProvinceHead(const MapPanels& panels, const ProvinceRecord* province)
{
    FormatOwnString(panels.provinceName, 0, province->name);
    ShowFlag(panels.armyStyle, province->owner);
    if (const CPlayerController* controller = CurrentController())
        ShowBundle(panels.provinceIncome, controller->ProvinceIncome(province->index), true);
}

}  // namespace

void CMapWnd::ShowOwnProvince(ProvinceRecord* province)
{
    if (!province)
        return;
    ShowProvinceHead(m_panels, province);
    PanelContents::FillArmyList(m_panels.garrisonList, &province->garrison, province->owner, "NoGrdArmy");
    PanelContents::ShowCastleStatus(m_panels.castleCtrl, province, "NoCastle");
    if (m_dialogs.IsCastleInfoShown())
        m_dialogs.RefreshCastleInfo();
}

void CMapWnd::ShowOtherProvince(ProvinceRecord* province)
{
    if (!province)
        return;
    ShowProvinceHead(m_panels, province);
    const CPlayerController* controller = CurrentController();
    PlayerRecord* owner = province->owner;
    const bool known = owner && controller && controller->IsScouted(province);
    if (!known) {
        PanelContents::FillArmyList(m_panels.garrisonList, nullptr, owner, "NoGrdArmyInfo");
        PanelContents::ShowCastleStatus(m_panels.castleCtrl, nullptr, "NoCastleInfo");
        return;
    }
    // The defenders a scout counts are the garrison and, where it stands, the
    // owner's field army; a copy, so the garrison itself stays as it is.
    delete m_armyCopy;
    m_armyCopy = new CArmy(province->garrison);
    if (owner->armyLocation == province->index)
        m_armyCopy->Merge(owner->army);
    PanelContents::FillArmyList(m_panels.garrisonList, m_armyCopy, owner, "NoGrdArmy");
    PanelContents::ShowCastleStatus(m_panels.castleCtrl, province, "NoCastle");
}

void CMapWnd::ShowDomain(uint8_t playerIndex, uint8_t mark)
{
    CGameWorld* world = GameWorld();
    if (!world || playerIndex >= world->PlayerCount() || playerIndex == m_domainPlayer)
        return;
    m_domainPlayer = playerIndex;
    ShowWindow(m_panels.domainRelsIcon, false);
    ShowWindow(m_panels.domainArrow, false);
    ShowWindow(m_panels.domainRels, false);
    ShowWindow(m_panels.domainRelsLabel, false);
    const PlayerRecord& player = world->Player(playerIndex);
    if (player.capital < world->ProvinceCount())
        OnProvinceSelected(player.capital, 1, mark);
    for (int i = 0; i < world->ProvinceCount(); ++i) {
        const ProvinceRecord& province = world->Province(i);
        m_frameSteps.SetViewMark(int16_t(i), province.owner == &player ? 0 : -1, mark != 0);
    }
    ShowDomainInfo(playerIndex);
}

void CMapWnd::ShowDomainInfo(uint8_t playerIndex)
{
    CGameWorld* world = GameWorld();
    if (!world || playerIndex >= world->PlayerCount())
        return;
    PlayerRecord& player = world->Player(playerIndex);
    const CPlayerController* controller = player.controller;
    if (!controller)
        return;
    FormatOwnString(m_panels.domainPlayer, 0, player.name);
    FormatOwnString(m_panels.domainSkills, 0, long(player.hero.battle), long(player.hero.builder),
                    long(player.hero.stealth));
    ShowWindow(m_panels.domainFameIcon, false);
    ShowWindow(m_panels.domainFameLabel, false);
    FormatOwnString(m_panels.domainProvCasl, 0, long(controller->CountProvinces()),
                    long(controller->CountCastles()));
    ShowBundle(m_panels.domainIncome, controller->TotalIncome(), true);
}
