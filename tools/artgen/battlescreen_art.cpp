// The battle screen's art (pack "battlescreen"), below its staging folder:
//   Images/Battle/   terrain, cells, command icons, pointer, title bar, plates
//   Images/Btn/      the battle window's button faces
//   Objects/Units/<id>/   the squad animation set (and missile set) of each
//                         squad type
//   Objects/Battle/  walls, towers, gates, bridge, catapult, trebuchet, obstacles
//   Palettes/        the units palette and the terrain palettes
//   Sounds/          the battle's fanfares

#include "tools/artgen/art_screens.h"
#include "tools/artgen/battle_art.h"

bool DrawBattleScreenArt(const ArtInput& in, ArtWriter& out)
{
    battleart::DrawFieldArt(out, in.basePalette, in.digits);
    battleart::DrawUnitArt(out, in.units);
    battleart::DrawObjectArt(out);
    return out.Ok();
}
