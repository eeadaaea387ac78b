// The skin size lines of the packs' root from arbitrary bytes: the input is
// one "txt" resource there, read line by line into the list the start-up
// looks display modes up in.
#include <cstdint>

#include "tests/fuzz/pack_input_support.h"
#include "ui/ui_resolution.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (MountInputAs("skinsizes", "txt", data, size)) {
        SkinSizeList list;
        LoadSkinSizeList(list);
        // Every entry read must be one a lookup of its own size finds.
        for (int32_t i = 0; i < list.Count(); ++i) {
            const SkinSizeEntry* entry = list.GetAt(i);
            if (entry == nullptr || entry->folder.Length() == 0 ||
                FindSkinSize(list, entry->width, entry->height) > i) {
                __builtin_trap();
            }
        }
        FindSkinSize(list, 240, 320);
    }
    CResourceMgr::Shutdown();
    return 0;
}
