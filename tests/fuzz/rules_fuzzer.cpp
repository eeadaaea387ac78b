// The rules text of the map and the event chances read from any bytes: the
// cost lists, fractions and section order must never crash or hang.
#include <cstddef>
#include <cstdint>

#include "core/text_section_reader.h"
#include "game/game_rules.h"
#include "game/random_events.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 65535)
        return 0;  // texts are limited to 16-bit sizes
    const char* text = reinterpret_cast<const char*>(data);
    {
        TextSectionReader reader;
        reader.OpenText(text, size, 15);
        GameRules rules;
        rules.LoadFrom(reader);
        CResourceBundle price;
        price.Zero();
        (void)rules.DeceaseExperience(1000);
        (void)rules.RobberyLoot(123456);
    }
    {
        TextSectionReader reader;
        reader.OpenText(text, size, 15);
        RandomEventChances table;
        RandomEvents::LoadChancesFrom(reader, table);
    }
    return 0;
}
