// UI description trees from arbitrary bytes: the first two bytes give the
// size of the names, the rest is the node table.
#include <cstdint>

#include "core/ui_tree.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    size_t namesSize = static_cast<size_t>(data[0] | (data[1] << 8));
    if (namesSize > size - 2)
        namesSize = size - 2;
    const uint8_t* names = data + 2;
    const uint8_t* nodes = names + namesSize;
    size_t nodesSize = size - 2 - namesSize;
    CUiTree tree;
    if (!tree.LoadFromViews(names, static_cast<uint32_t>(namesSize), nodes,
                            static_cast<uint32_t>(nodesSize))) {
        return 0;
    }
    for (int i = 0; i < tree.NodeCount() && i < 64; ++i)
        tree.NodeName(i);
    for (const char* path : {"/Main/MainMenu", "/Main", "Label", "/a/b/c", "/"}) {
        if (tree.GoToPath(path)) {
            tree.PushNode();
            tree.ResolvePath("Label");
            for (int i = 0; i < 8; ++i)
                tree.StringAt(static_cast<uint16_t>(tree.ReadValue()));
            for (int i = 0; i < 64 && tree.NextSameName(); ++i)
                tree.ReadValue();
            tree.PopNode();
        }
    }
    return 0;
}
