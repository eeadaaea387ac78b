#pragma once
// The map window's panels and their controls: four groups, one per screen
// mode, built by the map window from its layout and read by its parts.

class CCastleWnd;
class CCompositeWnd;
class CFrameWnd;
class CHintButton;
class CIconWnd;
class CItemListWnd;
class CLabel;
class CPushButton;
class CResWnd;
class CTextWnd;
class CValueScroller;

// The panels and their controls, as the layout "/Map/MapWnd" names them.
// Null while the panels are torn down (around a watched battle and the
// end-of-game windows). The recruit panels' squad buttons belong to the
// recruit mode's state.
struct MapPanels {
    // "MapTopPanel"
    CFrameWnd* mapTop = nullptr;
    CIconWnd* mapTopMenu = nullptr;        // "IcoMenu"
    CResWnd* mapTopTreasury = nullptr;     // "ResTreasury"
    CHintButton* mapTopRecruit = nullptr;  // "BtnRecruit"
    CHintButton* mapTopTurn = nullptr;     // "BtnTurn"
    CHintButton* mapTopDomain = nullptr;   // "BtnDomain"
    // "MapCampArmy"
    CFrameWnd* campArmy = nullptr;
    CIconWnd* campStyle = nullptr;         // "StyleIcon"
    CItemListWnd* campArmyList = nullptr;  // "ArmyCtrl"
    CHintButton* campAction = nullptr;     // "BtnAction"
    CIconWnd* campTurnsIcon = nullptr;     // "IcoTurns"
    CLabel* campTurns = nullptr;           // "LblTurns"
    // "MapInfoPanel"
    CFrameWnd* info = nullptr;
    CIconWnd* infoLine1 = nullptr;             // "HorzLine1"
    CIconWnd* infoLine2 = nullptr;             // "HorzLine2"
    CCompositeWnd* provinceDetails = nullptr;  // "ProvinceDetails"
    CTextWnd* provinceName = nullptr;          // "RtProvince"
    CResWnd* provinceIncome = nullptr;         // "ResProvince"
    CHintButton* provArmyToggle = nullptr;     // "BtnProvArmy"
    CHintButton* campArmyToggle = nullptr;     // "BtnCampArmy"
    CCompositeWnd* armyDetails = nullptr;      // "ArmyDetails"
    CIconWnd* armyStyle = nullptr;             // "StyleIcon"
    CItemListWnd* garrisonList = nullptr;      // "ArmyCtrl"
    CHintButton* operationAction = nullptr;    // "BtnRecruit" (second action button)
    CCompositeWnd* castleDetails = nullptr;    // "CastleDetails"
    CCastleWnd* castleCtrl = nullptr;          // "CastleCtrl"
    CHintButton* castleAction = nullptr;       // "BtnCastleCtrl"
    // "DomainTopPanel"
    CFrameWnd* domainTop = nullptr;
    CIconWnd* domainTopMenu = nullptr;    // "IcoMenu"
    CTextWnd* domainCaption = nullptr;    // "RtDomains"
    CHintButton* domainReturn = nullptr;  // "BtnReturn"
    // "DomainInfoPanel"
    CFrameWnd* domainInfo = nullptr;
    CLabel* domainSkillsLabel = nullptr;  // "LblSkills"
    CLabel* domainFameLabel = nullptr;    // "LblFame"
    CLabel* domainDomainLabel = nullptr;  // "LblDomain"
    CLabel* domainRelsLabel = nullptr;    // "LblRels"
    CTextWnd* domainPlayer = nullptr;     // "RtPlayer"
    CTextWnd* domainSkills = nullptr;     // "RtSkills"
    CTextWnd* domainProvCasl = nullptr;   // "RtProvCasl"
    CIconWnd* domainRelsIcon = nullptr;   // "IcoRels"
    CIconWnd* domainArrow = nullptr;      // "IcoArrow"
    CIconWnd* domainFameIcon = nullptr;   // "IcoFame"
    CPushButton* domainRels = nullptr;    // "BtnRels"
    CResWnd* domainIncome = nullptr;      // "ResTreasury"
    // "AIInfoPanel"
    CFrameWnd* aiInfo = nullptr;
    CTextWnd* aiPlayer = nullptr;  // "RtPlayer"
    // "RecruitTopPanel"
    CFrameWnd* recruitTop = nullptr;
    CIconWnd* recruitTopMenu = nullptr;    // "IcoMenu"
    CResWnd* recruitTreasury = nullptr;    // "ResTreasury"
    CHintButton* recruitTurn = nullptr;    // "BtnTurn"
    CHintButton* recruitMarket = nullptr;  // "BtnMarket"
    // "RecruitActionPanel"
    CFrameWnd* recruitAction = nullptr;
    CTextWnd* recruitProvince = nullptr;        // "RtProvince"
    CHintButton* recruitApply = nullptr;        // "BtnApply"
    CHintButton* recruitClear = nullptr;        // "BtnClear"
    CLabel* recruitSquadName = nullptr;         // "LblSquadName"
    CResWnd* recruitCost = nullptr;             // "ResCost"
    CHintButton* recruitInfo = nullptr;         // "BtnInfo"
    CIconWnd* recruitSquadIcon = nullptr;       // "IcoSquad"
    CValueScroller* recruitScroller = nullptr;  // "ScrRecruit"
    CLabel* recruitValue = nullptr;             // "LblRecrVal"
};
