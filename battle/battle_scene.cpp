#include "battle/battle_scene.h"

#include "battle/battle_flow.h"
#include "battle/battle_grid.h"
#include "battle/battle_hooks.h"
#include "core/byte_stream.h"
#include "core/pack_format.h"
#include "core/text_section_reader.h"

CBattleScene::~CBattleScene()
{
    for (CArmyItem* o : objects)
        delete o;
    objects.clear();
}

bool CBattleScene::Serialize(CByteStream* stream)
{
    return StreamSceneObjects(this, stream);
}

bool StreamSceneObjects(CBattleScene* scene, CByteStream* stream)
{
    const bool storing = stream->IsStoring();
    for (int16_t i = 0; i < scene->ObjectCount(); ++i) {
        CArmyItem* o = scene->ObjectAt(i);
        uint8_t passable = uint8_t(o->flags);
        uint8_t cell = uint8_t(o->cell);
        uint16_t code = LastEventCode(o);
        stream->U8(passable);
        stream->U8(cell);
        stream->I32(o->hitPoints);
        stream->String(o->name);
        stream->U16(code);
        if (!storing) {
            // The reading scene was built from the same set-up: an object
            // that stands elsewhere means a damaged record.
            if (cell != o->cell)
                return false;
            o->flags = passable;
            SetLastEventCode(o, code);
            if (!stream->HasError())
                o->PostBattleEvent(code, 0);
        }
    }
    return !stream->HasError();
}

COpenFieldScene::COpenFieldScene(uint8_t layout)
{
    LoadObstacles(layout);
}

void COpenFieldScene::LoadObstacles(uint8_t layout)
{
    TextSectionReader reader;
    if (!reader.Open("/Rules/Battle/obstacles", pack_format::kTextTableType, TextSectionReader::kAllOptions))
        return;
    const int32_t layouts = reader.ReadInt(0);
    if (layouts <= 0)
        return;
    CStr section;
    section.Format("[%ld]", long(layout % layouts));
    if (!reader.FindSection(section.Chars()))
        return;
    const int32_t n = reader.ReadInt(0);
    CBattleGrid* grid = g_battle.grid;
    for (int32_t i = 0; i < n; ++i) {
        CStr name;
        if (!reader.ReadLine(name))
            break;
        const int32_t cell = reader.ReadInt(0);
        // An obstacle on a cell outside the grid (a damaged layout) would
        // write past the cells; it is left out.
        if (!grid || cell < 0 || cell >= grid->cellCount)
            continue;
        auto* obstacle = new CObstacle();
        obstacle->name = name;
        obstacle->cell = uint32_t(cell);
        objects.push_back(obstacle);
        grid->Cell(uint8_t(cell)).occupant = obstacle;
    }
}
