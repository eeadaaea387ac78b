#include "ui/ui_resolution.h"

#include <cstdlib>
#include <vector>

#include "core/device_mgr.h"
#include "core/display_surface.h"
#include "core/pack_format.h"
#include "core/preferences.h"
#include "core/refused_packs.h"
#include "core/resource_mgr.h"
#include "core/ui_mgr.h"

uint8_t OrientationAvailable[4] = {0, 0, 0, 0};

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}
bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Reads decimal digits up to the next blank or the end; false when there
// are none, when another character comes first, or the value is not 16-bit.
bool ReadNumber(const char* text, int32_t length, int32_t& at, uint16_t& value)
{
    const int32_t start = at;
    uint32_t number = 0;
    while (at < length && !IsBlank(text[at])) {
        if (!IsDigit(text[at]))
            return false;
        number = number * 10 + static_cast<uint32_t>(text[at] - '0');
        if (number > 0xFFFF)
            return false;
        ++at;
    }
    value = static_cast<uint16_t>(number);
    return at > start;
}

void SkipBlanks(const char* text, int32_t length, int32_t& at)
{
    while (at < length && IsBlank(text[at]))
        ++at;
}

CStr UiFolderName(int32_t width, int32_t height)
{
    CStr name;
    name.Format("%dx%d", static_cast<int>(width), static_cast<int>(height));
    return name;
}

bool HasCompleteUiTree(int32_t width, int32_t height)
{
    const CStr path = CStr::Concat(CStr("/UI/"), UiFolderName(width, height));
    return CResourceMgr::FindResource(path.Chars(), pack_format::kUiBinaryType).IsFound() &&
           CResourceMgr::FindResource(path.Chars(), pack_format::kUiTextType).IsFound();
}

}  // namespace

bool ParseSkinSizeLine(const CStr& line, SkinSizeEntry& entry)
{
    const char* text = line.Chars();
    // A line ends at its end or at a stray NUL, whichever comes first.
    int32_t length = 0;
    while (length < line.Length() && text[length] != '\0')
        ++length;
    int32_t at = 0;
    SkipBlanks(text, length, at);
    uint16_t width = 0, height = 0;
    if (!ReadNumber(text, length, at, width))
        return false;
    SkipBlanks(text, length, at);
    if (!ReadNumber(text, length, at, height))
        return false;
    SkipBlanks(text, length, at);
    const int32_t start = at;
    while (at < length && !IsBlank(text[at]) && text[at] != '\r' && text[at] != '\n')
        ++at;
    if (at == start)
        return false;
    entry.width = width;
    entry.height = height;
    entry.folder = CStr(text + start, at - start);
    return true;
}

void LoadSkinSizeList(SkinSizeList& list)
{
    std::vector<CStr> names;
    if (!CResourceMgr::ListFolder("", "", pack_format::kTextType, names))
        return;
    for (const CStr& name : names) {
        TextLines lines;
        const CStr path = CStr::Concat(CStr("/"), name);
        if (!CResourceMgr::LoadTextLines(path.Chars(), pack_format::kTextType, lines))
            continue;
        for (const CStr& line : lines.lines) {
            SkinSizeEntry entry;
            if (ParseSkinSizeLine(line, entry))
                list.AddTail(entry);
        }
    }
}

int32_t FindSkinSize(SkinSizeList& list, uint16_t width, uint16_t height)
{
    for (int32_t i = 0; i < list.Count(); ++i) {
        const SkinSizeEntry* entry = list.GetAt(i);
        if (entry != nullptr && entry->width == width && entry->height == height)
            return i;
    }
    return -1;
}

bool SelectUIResolution()
{
    SkinSizeList skins;
    LoadSkinSizeList(skins);

    CDisplaySurface* display = GetDisplaySurface();
    std::vector<DisplayMode> candidates;
    if (display != nullptr) {
        for (int32_t i = 0; i < display->ModeCount(); ++i) {
            const DisplayMode mode = display->Mode(i);
            if (mode.format.bitsPerPixel != 8 || mode.format.b2 != 0 || mode.format.b1 == 0)
                continue;
            const int32_t w = std::abs(mode.Width()), h = std::abs(mode.Height());
            if (FindSkinSize(skins, static_cast<uint16_t>(w), static_cast<uint16_t>(h)) < 0)
                continue;
            if (!HasCompleteUiTree(w, h))
                continue;
            candidates.push_back(mode);
        }
    }
    if (candidates.empty()) {
        // Without its skins pack no layout fits any device; the pack's fault
        // is what the person can mend.
        if (!ShowRefusedPacksOnce()) {
            CStr message;
            GetLocaleText("GraphError", message);
            ShowErrorBox(message);
        }
        skins.RemoveAll();
        return false;
    }

    const int32_t a = candidates[0].Width(), b = candidates[0].Height();
    auto exists = [&](int32_t w, int32_t h) {
        const DisplayMode wanted(w, h);
        for (const DisplayMode& mode : candidates) {
            if (mode.Width() == wanted.Width() && mode.Height() == wanted.Height())
                return true;
        }
        return false;
    };
    OrientationAvailable[0] = 1;
    OrientationAvailable[1] = exists(b, a) ? 1 : 0;
    OrientationAvailable[2] = exists(-a, -b) ? 1 : 0;
    OrientationAvailable[3] = exists(-b, -a) ? 1 : 0;
    if (PrefScreenMode > 3 || OrientationAvailable[PrefScreenMode] == 0)
        PrefScreenMode = 0;

    int32_t w = a, h = b, keys = 0;
    switch (PrefScreenMode) {
    case 1:
        w = -b;
        h = -a;
        keys = 3;
        break;
    case 2:
        w = -a;
        h = -b;
        keys = 2;
        break;
    case 3:
        w = b;
        h = a;
        keys = 1;
        break;
    default:
        break;
    }
    SetKeyOrientation(keys);

    const DisplayMode wanted(w, h);
    const DisplayMode* chosen = nullptr;
    for (const DisplayMode& mode : candidates) {
        if (mode.Width() == wanted.Width() && mode.Height() == wanted.Height()) {
            chosen = &mode;
            break;
        }
    }
    if (chosen == nullptr || !display->SetMode(*chosen)) {
        skins.RemoveAll();
        return false;
    }

    const int32_t absW = std::abs(chosen->Width()), absH = std::abs(chosen->Height());
    const SkinSizeEntry* skin =
        skins.GetAt(FindSkinSize(skins, static_cast<uint16_t>(absW), static_cast<uint16_t>(absH)));
    const CStr folder = CStr::Concat(CStr("/"), skin->folder);
    skins.RemoveAll();
    if (!CResourceMgr::MapFolder("", folder.Chars()))
        return false;
    return CUIMgr::LoadUiTree(UiFolderName(absW, absH).Chars());
}
