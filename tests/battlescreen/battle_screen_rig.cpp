#include "tests/battlescreen/battle_screen_rig.h"

#include "battle/battle_rules.h"
#include "battlescreen/batl_ani_cache_mgr.h"
#include "core/display_surface.h"
#include "core/draw_context.h"
#include "core/font.h"
#include "core/path_mgr.h"
#include "core/resource_mgr.h"
#include "core/ui_mgr.h"
#include "game/army.h"
#include "tests/battle/battle_fixture.h"
#include "tests/support/art_fixtures.h"
#include "tools/encode/font_encoder.h"
#include "tools/encode/image_encoder.h"
#include "tools/encode/palette_encoder.h"
#include "tools/pack/pack_writer.h"

namespace battlescreen_test {

namespace {

std::vector<uint8_t> Img(const IndexedPicture& picture, int16_t hotX = 0, int16_t hotY = 0,
                         bool transparent = false)
{
    ImageEncodeOptions options;
    options.transparent = transparent;
    options.hotX = hotX;
    options.hotY = hotY;
    return MustEncode(EncodeImage(picture, options));
}

std::vector<uint8_t> Ani(int frames, uint8_t loopBack, uint16_t w, uint16_t h, uint8_t colour, int16_t hotX,
                         int16_t hotY)
{
    std::vector<IndexedPicture> pictures;
    for (int i = 0; i < frames; ++i) {
        IndexedPicture p = SolidPicture(w, h, colour);
        // Frame i carries its number in its top-left pixel.
        p.pixels[0] = uint8_t(1 + i);
        pictures.push_back(p);
    }
    AnimEncodeOptions options;
    options.rate = 100;
    options.loopBack = loopBack;
    options.hotX = hotX;
    options.hotY = hotY;
    return MustEncode(EncodeAnimation(pictures, options));
}

CSquadType* MakeType(const char* id, uint8_t melee, uint8_t strikes, uint8_t ranged, uint8_t shots,
                     uint8_t hp, uint8_t move)
{
    auto* t = new CSquadType;
    t->typeId = CStr(id);
    t->name = CStr(id);
    t->meleeAttack = melee;
    t->meleeSecond = strikes;
    t->rangedAttack = ranged;
    t->rangedSecond = shots;
    t->hp = hp;
    t->moveSpeed = move;
    t->forceCoefficient = 1;
    return t;
}

const char* const kIconNames[19] = {
    "CmdCell",     "",           "CmdMove",    "CmdSplit",     "StateAtk",   "CmdAtkCatap", "CmdAtkTreb",
    "CmdAtkRtDn",  "CmdAtkLfDn", "CmdAtkRt",   "CmdAtkLf",     "CmdAtkRtUp", "CmdAtkLfUp",  "CmdRngAtk",
    "CmdRngAtkHf", "CmdJoin",    "StateGuard", "StateEndTurn", "StateInfo",
};

}  // namespace

Sides::Sides()
{
    attacker.playerId = 0;
    defender.playerId = 1;
    attacker.flagNumber = 0;
    defender.flagNumber = 1;
    attacker.name = CStr("Aldric");
    defender.name = CStr("Berun");
    attacker.hero.battle = 0;
    attacker.hero.builder = 0;
    defender.hero.battle = 0;
    defender.hero.builder = 0;
    castle.Reset();
    params.noScreen = 0;
    params.attacker = &attacker;
    params.defender = &defender;
    params.attackerSideKind = 1;
    params.defenderSideKind = 1;
}

void BattleScreenRig::SetUp()
{
    UiRig::SetUp();
    SetShippedBattleRules();
    PackWriter pack(100);
    const std::string b = "Images/Battle/";
    auto add = [&](const std::string& path, const char* type, std::vector<uint8_t> bytes) {
        ASSERT_TRUE(pack.AddFile(path, type, std::move(bytes))) << path;
    };
    add(b + "cell", "img", Img(SolidPicture(32, 32, kCellColour), 16, 16));
    add(b + "cell_sel", "img", Img(SolidPicture(32, 32, kCellSelColour), 16, 16));
    add(b + "grass", "img", Img(SolidPicture(16, 16, kGrassColour)));
    add(b + "masonry", "img", Img(SolidPicture(16, 16, kMasonryColour)));
    add(b + "topimg", "img", Img(SolidPicture(240, 40, kTopColour)));
    add(b + "TopImg1", "img", Img(SolidPicture(240, 40, kTop1Colour)));
    add(b + "moat", "img", Img(SolidPicture(8, 8, kMoatColour), 4, 4));
    add(b + "pointer", "ani", Ani(2, 0, 6, 4, 60, 3, 4));
    for (int i = 0; i < 19; ++i) {
        if (kIconNames[i][0] == '\0')
            continue;
        const uint16_t size = i == 0 ? 24 : 12;
        add(b + kIconNames[i], "img",
            Img(SolidPicture(size, size, uint8_t(kIconColourBase + i)), size / 2, size / 2));
    }
    add(b + "LNumBorderL", "img", Img(SolidPicture(2, 5, kLeftBorderColour)));
    add(b + "LNumBorderR", "img", Img(SolidPicture(2, 5, kRightBorderColour)));
    add(b + "RNumBorderL", "img", Img(SolidPicture(1, 5, kLeftBorderColour)));
    add(b + "RNumBorderR", "img", Img(SolidPicture(1, 5, kRightBorderColour)));
    for (int d = 0; d < 10; ++d) {
        add(b + "LNum" + char('0' + d), "img",
            Img(SolidPicture(uint16_t(DigitWidth(d)), 5, uint8_t(kLeftDigitBase + d))));
        add(b + "RNum" + char('0' + d), "img",
            Img(SolidPicture(uint16_t(DigitWidth(d)), 5, uint8_t(kRightDigitBase + d))));
    }

    static const char* const kSquadAnimations[] = {
        "idle_lf",         "idle_rt",         "move_lf",         "move_rt",         "melatk_beg_lf",
        "melatk_beg_lfup", "melatk_beg_lfdn", "melatk_beg_rt",   "melatk_beg_rtup", "melatk_beg_rtdn",
        "melatk_end_lf",   "melatk_end_lfup", "melatk_end_lfdn", "melatk_end_rt",   "melatk_end_rtup",
        "melatk_end_rtdn", "rngatk_beg_lf",   "rngatk_beg_rt",   "rngatk_end_lf",   "rngatk_end_rt",
        "wkick_lf",        "wkick_lfup",      "wkick_lfdn",      "wkick_rt",        "wkick_rtup",
        "wkick_rtdn",      "kick_lf",         "kick_lfup",       "kick_lfdn",       "kick_rt",
        "kick_rtup",       "kick_rtdn",       "dth_lf",          "dth_rt"};
    const std::string sword = "Objects/Units/Sword/";
    for (const char* name : kSquadAnimations) {
        const bool loop = std::string(name).rfind("idle", 0) == 0 || std::string(name).rfind("move", 0) == 0;
        add(sword + name, "ani", Ani(3, loop ? 0 : 255, 8, 28, kUnitShade, 4, 24));
    }
    for (const char* name :
         {"idle", "move", "melatk_beg", "melatk_end", "rngatk_beg", "rngatk_end", "wkick", "kick", "dth"})
        add(sword + name, "wav", ToneWav(50));
    const std::string bow = "Objects/Units/Bow/";
    for (const char* name : {"idle_lf", "idle_rt", "move_lf", "move_rt"})
        add(bow + name, "ani", Ani(2, 0, 8, 12, kUnitShade, 4, 10));
    for (const char* name : {"dth_lf", "dth_rt"})
        add(bow + name, "ani", Ani(2, 255, 8, 12, kUnitShade, 4, 10));
    for (const char* name : {"miss_lf", "miss_lfup", "miss_lfdn", "miss_rt", "miss_rtup", "miss_rtdn"})
        add(bow + name, "ani", Ani(2, 0, 3, 3, 62, 1, 1));
    add(bow + "miss_expl", "ani", Ani(2, 255, 5, 5, 63, 2, 2));
    add("Objects/Units/Axe/idle_lf", "ani", Ani(1, 255, 8, 12, kUnitShade, 4, 10));
    add("Objects/Units/Axe/idle_rt", "ani", Ani(1, 255, 8, 12, kUnitShade, 4, 10));

    add("Objects/Battle/Trebuchet/idle", "ani", Ani(1, 255, 12, 12, 64, 0, 0));
    add("Objects/Battle/Trebuchet/kicked", "ani", Ani(2, 255, 12, 12, 65, 0, 0));
    std::vector<Rgb> palette(256);
    for (int i = 0; i < 256; ++i)
        palette[size_t(i)] = Rgb{uint8_t(i), uint8_t(i), uint8_t(i)};
    add("Palettes/BattleTopImg1", "pal", MustEncode(EncodePalette(palette)));
    add("Palettes/BattleSiege", "pal", MustEncode(EncodePalette(palette)));
    std::vector<Rgb> units(256);
    for (int i = 0; i < 256; ++i)
        units[size_t(i)] = Rgb{uint8_t(i / 18), uint8_t(i % 18), 7};
    add("Palettes/BattleUnits", "pal", MustEncode(EncodePalette(units)));
    ASSERT_TRUE(
        pack.AddText("Locale/locale", "txt",
                     "PrepareBtl=deploy\r\nBtlPlacTA=placing\r\nBtlTurnTA=turn\r\nBtlPlacM=go %s\r\n"));
    AddExtraResources(pack);
    m_data.AddPack("battle", pack);
    ASSERT_TRUE(m_data.Mount());
    ASSERT_TRUE(CPathMgr::Init());
    ASSERT_TRUE(CUIMgr::Init());
    m_font = MustEncode(EncodeFont(PatternFont(10, 'a', 26, 6, 1)));
    FontData font;
    ASSERT_TRUE(font.Assign(m_font.data(), uint32_t(m_font.size())));
    ClearFontList();
    RegisterFont(font);

    FreeSquadTypes();
    CSquadType* s = MakeType("Sword", 3, 1, 0, 0, 10, 2);
    CSquadType* bw = MakeType("Bow", 1, 1, 2, 1, 6, 2);
    CSquadType* a = MakeType("Axe", 4, 2, 0, 0, 12, 1);
    RegisterSquadType(s);
    RegisterSquadType(bw);
    RegisterSquadType(a);
    m_sword = s;
    m_bow = bw;
    m_axe = a;
    CBatlAniCacheMgr::Shutdown();
}

void BattleScreenRig::TearDown()
{
    CBatlAniCacheMgr::Shutdown();
    FreeSquadTypes();
    ClearFontList();
    CUIMgr::Shutdown();
    CPathMgr::Shutdown();
    UiRig::TearDown();
}

void BattleScreenRig::AddSquad(PlayerRecord& player, const CSquadType* type, int32_t count)
{
    CSquad squad;
    squad.SetType(type);
    squad.count = count;
    player.army.AddSquadCopy(squad);
}

uint8_t BattleScreenRig::Pixel(int x, int y) const
{
    CDrawContext* screen = GetDisplaySurface() ? GetDisplaySurface()->ScreenContext() : nullptr;
    return screen ? *screen->Surface().At(x, y) : 0;
}

uint8_t BattleScreenRig::At(const CDrawContext& dc, int x, int y)
{
    return *dc.Surface().At(x, y);
}

}  // namespace battlescreen_test
