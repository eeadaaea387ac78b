#include "core/refused_packs.h"

#include <vector>

#include "core/device_mgr.h"

namespace {

struct RefusedPack {
    CStr fileName;
    CStr fault;
};

struct Refusals {
    std::vector<RefusedPack> packs;
    bool shown = false;
};

Refusals& State()
{
    static Refusals refusals;
    return refusals;
}

}  // namespace

void RecordRefusedPack(const CStr& fileName, const CStr& fault)
{
    State().packs.push_back(RefusedPack{fileName, fault});
    State().shown = false;
}

void ForgetRefusedPacks()
{
    State().packs.clear();
    State().shown = false;
}

CStr RefusedPacksText()
{
    CStr text;
    for (const RefusedPack& pack : State().packs) {
        if (!text.IsEmpty())
            text.AppendChars("\n");
        CStr line;
        line.Format("The game data file %s cannot be used: %s. Please install the game again.",
                    pack.fileName.Chars(), pack.fault.Chars());
        text.Append(line);
    }
    return text;
}

bool ShowRefusedPacksOnce()
{
    Refusals& refusals = State();
    if (refusals.packs.empty())
        return false;
    if (!refusals.shown)
        ShowErrorBox(RefusedPacksText());
    refusals.shown = true;
    return true;
}
