// Mounting of the packs and lookup by path and type.
#include "core/resource_mgr.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <memory>

#include "core/data_file.h"
#include "core/error_code_stack.h"
#include "core/font.h"
#include "core/log.h"
#include "core/refused_packs.h"
#include "platform/platform.h"

using namespace pack_format;

namespace {

struct FolderMapping {
    ResourceRef folder;
    ResourceRef mapped;
};

struct PackMount {
    CStr mountName;
    CStr packName;
    ResourceRef root;
};

// Everything CResourceMgr holds; one instance for the process.
struct ResourceState {
    bool started = false;
    std::vector<std::unique_ptr<uint8_t[]>> images;
    std::vector<std::unique_ptr<ResourcePack>> packs;  // load order
    std::vector<PackMount> mounts;
    ResourceRef root;
    std::vector<FolderMapping> mappings;
    std::vector<ResourceRef> searchList;
    CStr currentFolder;
    std::vector<ResourceRef>* collector = nullptr;
    CStr folderStack[kResourceFolderStackSize];
    int folderDepth = 0;
};

ResourceState& State()
{
    static ResourceState state;
    return state;
}

void Log(const char* text)
{
    LogWrite(CStr("RESOURCE_MGR: ") + text);
}
void Log(const CStr& text)
{
    Log(text.Chars());
}

// Mapping chains are short (one link per pack plus a screen-size folder), but
// a damaged chain must never make a lookup recurse without end.
constexpr int kMaxChainLength = 1024;

bool EqualNoCase(const char* a, size_t aLength, const char* b, size_t bLength)
{
    return aLength == bLength && CompareNoCase(a, b, static_cast<int32_t>(aLength)) == 0;
}

const uint8_t* EntryAt(const ResourcePack& pack, uint32_t index)
{
    return pack.directory + static_cast<size_t>(index) * kEntrySize;
}

ResourceType StoredType(const ResourcePack& pack, const uint8_t* entry)
{
    uint32_t type = ReadU32(entry + kEntryType);
    return pack.scrambled ? (type ^ kTypeKey) : type;
}

const ResourceRef* MappedFolder(const ResourceRef& folder)
{
    auto& mappings = State().mappings;
    for (size_t i = mappings.size(); i-- > 0;) {
        if (mappings[i].folder.SameAs(folder))
            return &mappings[i].mapped;
    }
    return nullptr;
}

inline uint8_t FoldCase(uint8_t c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<uint8_t>(c + 32) : c;
}

// A query prepared once per folder scan: plain packs compare without regard
// to case, so the query is folded; scrambled packs compare exactly, so the
// query is scrambled like the stored names.
struct NameQuery {
    uint8_t bytes[kNameSize];
    size_t length;
};

NameQuery PrepareQuery(const ResourcePack& pack, const char* name, size_t length)
{
    NameQuery query{};
    query.length = length;
    for (size_t i = 0; i < length; ++i) {
        uint8_t c = static_cast<uint8_t>(name[i]);
        query.bytes[i] = pack.scrambled ? c : FoldCase(c);
    }
    if (pack.scrambled)
        ScrambleBytes(query.bytes, length);
    return query;
}

// Compares a stored name with a query by their real lengths. A scrambled
// name may hold zero bytes in its middle, so its bytes are compared up to
// the real length, never up to the first zero.
bool NameMatches(const ResourcePack& pack, const uint8_t* stored, const NameQuery& query)
{
    const size_t n = query.length;
    if (pack.scrambled) {
        // The writer never lets a name end in a byte that scrambles to 0, so a
        // query that does cannot match; every byte after the name is 0.
        if (query.bytes[n - 1] == 0 || std::memcmp(stored, query.bytes, n) != 0)
            return false;
    } else {
        for (size_t i = 0; i < n; ++i) {
            if (FoldCase(stored[i]) != query.bytes[i])
                return false;
        }
    }
    if (n == kNameSize)
        return true;
    if (!pack.scrambled)
        return stored[n] == 0;
    for (size_t i = n; i < kNameSize; ++i) {
        if (stored[i] != 0)
            return false;
    }
    return true;
}

ResourceRef FindInFolder(const ResourceRef& folder, const char* name, size_t length, ResourceType type)
{
    const ResourcePack& pack = *folder.pack;
    if (length == 0 || length > kNameSize)
        return {};
    const NameQuery query = PrepareQuery(pack, name, length);
    const uint32_t storedType = pack.scrambled ? (type ^ kTypeKey) : type;
    const uint32_t storedFolder = pack.scrambled ? (kFolderType ^ kTypeKey) : kFolderType;
    uint32_t folderDepth = folder.entry ? folder.entry[kEntryDepth] : 0;
    uint32_t index = folder.entry ? static_cast<uint32_t>(folder.index) + 1 : 0;
    while (index < pack.entryCount) {
        const uint8_t* entry = EntryAt(pack, index);
        if (entry[kEntryDepth] <= folderDepth)
            break;
        uint32_t entryType = ReadU32(entry + kEntryType);
        if (entryType == storedType && NameMatches(pack, entry + kEntryName, query)) {
            return ResourceRef{entry, static_cast<int32_t>(index), &pack};
        }
        // Folder steps were checked at mount to be at least 1 and in range.
        index += entryType == storedFolder ? ReadU16(entry + kEntryStep) : 1;
    }
    return {};
}

ResourceRef WalkPath(const ResourceRef& folder, const char* path, ResourceType type, int chain)
{
    ResourceState& state = State();
    if (chain > kMaxChainLength)
        return {};
    if (const ResourceRef* mapped = MappedFolder(folder)) {
        ResourceRef hit = WalkPath(*mapped, path, type, chain + 1);
        if (hit.IsFound() && state.collector == nullptr)
            return hit;
    }
    const char* slash = std::strchr(path, '/');
    if (slash != nullptr) {
        ResourceRef child = FindInFolder(folder, path, static_cast<size_t>(slash - path), kFolderType);
        if (!child.IsFound())
            return {};
        return WalkPath(child, slash + 1, type, 0);
    }
    ResourceRef hit = FindInFolder(folder, path, std::strlen(path), type);
    if (hit.IsFound() && state.collector != nullptr)
        state.collector->push_back(hit);
    return hit;
}

const PackMount* FindMount(const char* name, size_t length)
{
    for (const auto& mount : State().mounts) {
        if (EqualNoCase(mount.mountName.Chars(), static_cast<size_t>(mount.mountName.Length()), name,
                        length)) {
            return &mount;
        }
    }
    return nullptr;
}

// One opened pack file: the signature is tested on its first bytes, then
// the same stream is read whole.
class PackFileReader {
public:
    explicit PackFileReader(const std::string& path) : m_file(std::fopen(path.c_str(), "rb")) {}
    ~PackFileReader()
    {
        if (m_file != nullptr)
            std::fclose(m_file);
    }
    PackFileReader(const PackFileReader&) = delete;
    PackFileReader& operator=(const PackFileReader&) = delete;

    // Null when the file starts with the pack signature, else what it is instead.
    const char* SignatureFault()
    {
        if (m_file == nullptr)
            return "it cannot be opened";
        uint8_t head[12];
        const size_t read = std::fread(head, 1, sizeof head, m_file);
        if (read == 0)
            return "it is empty";
        if (read < 8 || std::memcmp(head, kSignature, 8) != 0)
            return "it is not a game data file";
        return nullptr;
    }

    bool ReadWhole(std::unique_ptr<uint8_t[]>* image, size_t* size)
    {
        bool ok = std::fseek(m_file, 0, SEEK_END) == 0;
        long length = ok ? std::ftell(m_file) : -1;
        ok = ok && length >= 0 && std::fseek(m_file, 0, SEEK_SET) == 0;
        if (ok) {
            image->reset(new (std::nothrow) uint8_t[length > 0 ? length : 1]);
            ok = *image != nullptr && std::fread(image->get(), 1, static_cast<size_t>(length), m_file) ==
                                          static_cast<size_t>(length);
        }
        *size = ok ? static_cast<size_t>(length) : 0;
        return ok;
    }

private:
    FILE* m_file;
};

// Finds, reads, validates and registers the packs of the folder. Returns the
// packs in load order (ascending order key; equal keys in enumeration order,
// which the platform gives sorted by name).
bool IsWanted(const std::string& fileName, const std::vector<std::string>& onlyPacks)
{
    if (onlyPacks.empty())
        return true;
    const std::string stem = fileName.substr(0, fileName.size() - 4);
    for (const std::string& wanted : onlyPacks) {
        if (wanted.size() == stem.size() &&
            std::equal(stem.begin(), stem.end(), wanted.begin(), [](char a, char b) {
                return std::tolower(static_cast<unsigned char>(a)) ==
                       std::tolower(static_cast<unsigned char>(b));
            })) {
            return true;
        }
    }
    return false;
}

bool OpenPacks(const std::string& folder, const std::vector<std::string>& onlyPacks)
{
    ResourceState& state = State();
    std::vector<ResourcePack*> order;
    for (const std::string& fileName : ListPackFiles(folder)) {
        if (!IsWanted(fileName, onlyPacks))
            continue;
        std::string fullPath = folder + fileName;
        Log(CStr("Found file ") + fullPath.c_str());
        const CStr file(fileName.c_str());
        PackFileReader reader(fullPath);
        if (const char* fault = reader.SignatureFault()) {
            RecordRefusedPack(file, CStr(fault));
            continue;
        }
        Log(CStr(fullPath.c_str()) + " opened");
        auto skip = [&](const CStr& fault) {
            Log(CStr("Skipping ") + fullPath.c_str() + ": " + fault);
            RecordRefusedPack(file, fault);
        };
        std::unique_ptr<uint8_t[]> image;
        size_t size = 0;
        if (!reader.ReadWhole(&image, &size)) {
            skip(CStr("it cannot be read whole"));
            continue;
        }
        std::string problem = ValidateImage(image.get(), size);
        if (!problem.empty()) {
            skip(CStr("it is damaged (") + problem.c_str() + ")");
            continue;
        }
        CStr packName(fileName.c_str(), static_cast<int32_t>(fileName.size()) - 4);
        // On a file system that tells letter cases apart two packs can differ
        // only in case; mounting both would map one root onto itself through
        // the case-insensitive mount names, so the second is left out.
        if (FindMount(packName.Chars(), static_cast<size_t>(packName.Length())) != nullptr) {
            skip(CStr("a pack of that name is mounted already"));
            continue;
        }
        Header header;
        ReadHeader(image.get(), size, &header);
        auto pack = std::make_unique<ResourcePack>();
        pack->scrambled = header.scrambled;
        pack->name = packName;
        pack->directory = image.get() + kHeaderSize;
        pack->entryCount = header.entryCount;
        pack->image = image.get();
        pack->imageSize = size;
        pack->orderKey = header.orderKey;
        state.mounts.push_back(PackMount{packName, packName, ResourceRef::Root(pack.get())});
        size_t at = 0;
        while (at < order.size() && order[at]->orderKey <= pack->orderKey)
            ++at;
        order.insert(order.begin() + static_cast<std::ptrdiff_t>(at), pack.get());
        state.packs.push_back(std::move(pack));
        state.images.push_back(std::move(image));
    }
    if (order.empty())
        return false;
    // Keep the pack list in load order from here on.
    std::vector<std::unique_ptr<ResourcePack>> sorted;
    for (ResourcePack* pack : order) {
        for (auto& owned : state.packs) {
            if (owned.get() == pack)
                sorted.push_back(std::move(owned));
        }
    }
    state.packs = std::move(sorted);
    return true;
}

}  // namespace

ResourceType EntryType(const ResourceRef& ref)
{
    if (ref.pack == nullptr || ref.entry == nullptr)
        return kFolderType;
    return StoredType(*ref.pack, ref.entry);
}

CStr EntryName(const ResourceRef& ref)
{
    if (ref.pack == nullptr || ref.entry == nullptr)
        return CStr();
    char name[kNameSize];
    std::memcpy(name, ref.entry + kEntryName, kNameSize);
    size_t length = StoredNameLength(ref.entry + kEntryName, ref.pack->scrambled);
    if (ref.pack->scrambled)
        ScrambleBytes(reinterpret_cast<uint8_t*>(name), length);
    return CStr(name, static_cast<int32_t>(length));
}

uint32_t EntryOffset(const ResourceRef& ref)
{
    return ref.entry ? ReadU32(ref.entry + kEntryOffset) : 0;
}

uint32_t EntrySize(const ResourceRef& ref)
{
    return ref.entry ? ReadU32(ref.entry + kEntrySizeField) : 0;
}

uint32_t EntryDepth(const ResourceRef& ref)
{
    return ref.entry ? ref.entry[kEntryDepth] : 0;
}

void ScrambleName(const ResourcePack& pack, char* name, size_t length)
{
    if (pack.scrambled)
        ScrambleBytes(reinterpret_cast<uint8_t*>(name), length);
}

bool CResourceMgr::Init()
{
    Log("Initializing resource loader...");
    return InitFromFolder(DataFolder().Chars());
}

bool CResourceMgr::InitFromFolder(const char* folder)
{
    return InitFromFolder(folder, {});
}

bool CResourceMgr::InitFromFolder(const char* folder, const std::vector<std::string>& onlyPacks)
{
    ResourceState& state = State();
    Shutdown();
    Log("Initializing generic manager...");
    state.collector = nullptr;
    Log("Opening resource files...");
    LogEnter();
    bool opened = OpenPacks(folder, onlyPacks);
    LogLeave();
    if (!opened)
        return false;
    if (PopErrorCode() != 0)
        return false;
    Log("Adding mapping entries...");
    if (!MountRoot((CStr(":") + state.packs[0]->name).Chars()))
        return false;
    for (size_t i = 1; i < state.packs.size(); ++i) {
        MapFolder("", (CStr(":") + state.packs[i]->name).Chars());
    }
    ResetCurrentFolder();
    state.started = true;
    return true;
}

void CResourceMgr::Shutdown()
{
    ResourceState& state = State();
    // The registered fonts are views into the pack images freed below.
    ClearFontList();
    state.searchList.clear();
    state.mappings.clear();
    state.mounts.clear();
    state.packs.clear();
    state.images.clear();
    state.root = ResourceRef{};
    state.currentFolder = CStr();
    state.collector = nullptr;
    state.folderDepth = 0;
    ForgetRefusedPacks();
    for (auto& saved : state.folderStack)
        saved = CStr();
    state.started = false;
}

bool CResourceMgr::IsStarted()
{
    return State().started;
}

ResourceRef CResourceMgr::FindResource(const char* path, ResourceType type)
{
    ResourceState& state = State();
    if (path == nullptr)
        return {};
    if (path[0] == 0) {
        if (type != kFolderType || !state.root.IsFound())
            return {};
        if (state.collector != nullptr) {
            const ResourceRef* link = MappedFolder(state.root);
            for (int n = 0; link != nullptr && n < kMaxChainLength; ++n) {
                state.collector->insert(state.collector->begin(), *link);
                link = MappedFolder(*link);
            }
            state.collector->push_back(state.root);
        }
        return state.root;
    }
    if (path[0] == ':') {
        const char* name = path + 1;
        const char* slash = std::strchr(name, '/');
        size_t length = slash ? static_cast<size_t>(slash - name) : std::strlen(name);
        const PackMount* mount = FindMount(name, length);
        if (mount == nullptr)
            return {};
        const char* rest = slash ? slash + 1 : "";
        if (rest[0] == 0) {
            if (state.collector != nullptr)
                state.collector->push_back(mount->root);
            return mount->root;
        }
        return WalkPath(mount->root, rest, type, 0);
    }
    if (path[0] == '/') {
        if (!state.root.IsFound())
            return {};
        return WalkPath(state.root, path + 1, type, 0);
    }
    // By index: when the search list itself is the collector (a relative
    // SetCurrentFolder), it has just been emptied and nothing is searched.
    for (size_t i = 0; i < state.searchList.size(); ++i) {
        ResourceRef hit = WalkPath(state.searchList[i], path, type, 0);
        if (hit.IsFound() && state.collector == nullptr)
            return hit;
    }
    return {};
}

bool CResourceMgr::FindAll(const char* path, ResourceType type, std::vector<ResourceRef>& hits)
{
    ResourceState& state = State();
    hits.clear();
    std::vector<ResourceRef>* outer = state.collector;
    state.collector = &hits;
    FindResource(path, type);
    state.collector = outer;
    return !hits.empty();
}

static CStr DropTrailingSlash(const char* path)
{
    CStr text(path);
    if (text.Length() > 0 && text.At(text.Length() - 1) == '/')
        text.Delete(text.Length() - 1, 1);
    return text;
}

bool CResourceMgr::SetCurrentFolder(const char* path)
{
    ResourceState& state = State();
    CStr folder = DropTrailingSlash(path);
    if (!FindAll(folder.Chars(), kFolderType, state.searchList))
        return false;
    state.currentFolder = folder;
    return true;
}

void CResourceMgr::ResetCurrentFolder()
{
    SetCurrentFolder("");
}

const CStr& CResourceMgr::CurrentFolder()
{
    return State().currentFolder;
}

bool CResourceMgr::MountRoot(const char* path)
{
    ResourceRef folder = FindResource(path, kFolderType);
    if (!folder.IsFound())
        return false;
    State().root = folder;
    return true;
}

bool CResourceMgr::MapFolder(const char* folderPath, const char* mappedPath)
{
    ResourceRef folder = FindResource(folderPath, kFolderType);
    ResourceRef mapped = FindResource(mappedPath, kFolderType);
    if (!folder.IsFound() || !mapped.IsFound() || folder.SameAs(mapped))
        return false;
    // The chain from the folder: the new link goes behind its last member. A
    // mapped folder that is part of that chain already, or whose own chain
    // leads back into it, would make lookups go round forever: refused.
    std::vector<ResourceRef> chain{folder};
    for (const ResourceRef* link = MappedFolder(folder); link != nullptr; link = MappedFolder(*link)) {
        chain.push_back(*link);
        if (chain.size() > static_cast<size_t>(kMaxChainLength))
            return false;
    }
    int steps = 0;
    for (ResourceRef at = mapped; at.IsFound() && steps < kMaxChainLength; ++steps) {
        for (const ResourceRef& member : chain) {
            if (member.SameAs(at))
                return false;
        }
        const ResourceRef* next = MappedFolder(at);
        if (next == nullptr)
            break;
        at = *next;
    }
    State().mappings.push_back(FolderMapping{chain.back(), mapped});
    return true;
}

bool CResourceMgr::UnmapFolder(const char* folderPath)
{
    auto& mappings = State().mappings;
    ResourceRef folder = FindResource(folderPath, kFolderType);
    if (!folder.IsFound())
        return false;
    size_t own = mappings.size();
    size_t into = mappings.size();
    for (size_t i = 0; i < mappings.size(); ++i) {
        if (mappings[i].folder.SameAs(folder))
            own = i;
        if (mappings[i].mapped.SameAs(folder))
            into = i;
    }
    if (own == mappings.size())
        return false;
    if (into != mappings.size())
        mappings[into].mapped = mappings[own].mapped;
    mappings.erase(mappings.begin() + static_cast<std::ptrdiff_t>(own));
    return true;
}

static void ListChildren(const ResourceRef& folder, const char* prefix, size_t prefixLength,
                         ResourceType type, CStringList& names, int chain)
{
    if (chain > kMaxChainLength)
        return;
    if (const ResourceRef* mapped = MappedFolder(folder)) {
        ListChildren(*mapped, prefix, prefixLength, type, names, chain + 1);
    }
    const ResourcePack& pack = *folder.pack;
    uint32_t folderDepth = EntryDepth(folder);
    uint32_t index = folder.entry ? static_cast<uint32_t>(folder.index) + 1 : 0;
    while (index < pack.entryCount) {
        const uint8_t* entry = EntryAt(pack, index);
        if (entry[kEntryDepth] <= folderDepth)
            break;
        ResourceType entryType = StoredType(pack, entry);
        if (type == 0 || entryType == type) {
            CStr name = EntryName(ResourceRef{entry, static_cast<int32_t>(index), &pack});
            bool qualifies = prefixLength == 0 ||
                             (static_cast<size_t>(name.Length()) >= prefixLength &&
                              CompareNoCase(name.Chars(), prefix, static_cast<int32_t>(prefixLength)) == 0);
            if (qualifies && names.Find(name, false, true) < 0)
                names.Append(name);
        }
        index += entryType == kFolderType ? ReadU16(entry + kEntryStep) : 1;
    }
}

bool CResourceMgr::ListFolder(const char* path, const char* prefix, ResourceType type, CStringList& names)
{
    std::vector<ResourceRef> instances;
    CStr folder = DropTrailingSlash(path);
    FindAll(folder.Chars(), kFolderType, instances);
    size_t prefixLength = prefix ? std::strlen(prefix) : 0;
    for (const ResourceRef& instance : instances) {
        ListChildren(instance, prefix, prefixLength, type, names, 0);
    }
    return !names.IsEmpty();
}

bool CResourceMgr::ListFolder(const char* path, const char* prefix, ResourceType type,
                              std::vector<CStr>& names)
{
    CStringList list;
    for (const CStr& name : names)
        list.Append(name);
    ListFolder(path, prefix, type, list);
    names.clear();
    for (int32_t i = 0; i < list.Count(); ++i)
        names.push_back(list.GetString(i));
    return !names.empty();
}

bool CResourceMgr::GetResourceBlock(const char* path, ResourceType type, ChunkedBlock& block)
{
    ResourceRef ref = FindResource(path, type);
    if (!ref.IsFound() || ref.entry == nullptr)
        return false;
    uint8_t* data = const_cast<uint8_t*>(ref.pack->image) + EntryOffset(ref);
    uint32_t size = EntrySize(ref);
    block.Assign(&data, &size, 1);
    return true;
}

bool CResourceMgr::GetResourceData(const char* path, ResourceType type, const uint8_t*& data, uint16_t& size)
{
    ResourceRef ref = FindResource(path, type);
    if (!ref.IsFound() || ref.entry == nullptr)
        return false;
    uint32_t fullSize = EntrySize(ref);
    if (fullSize > kMaxRawSize) {
        Log(CStr("Refusing ") + path + ": over 65535 bytes");
        return false;
    }
    data = ref.pack->image + EntryOffset(ref);
    size = static_cast<uint16_t>(fullSize);
    return true;
}

bool CResourceMgr::UnmountPack(const char* name)
{
    auto& mounts = State().mounts;
    for (size_t i = 0; i < mounts.size(); ++i) {
        if (CompareNoCase(mounts[i].mountName.Chars(), name) == 0) {
            mounts.erase(mounts.begin() + static_cast<std::ptrdiff_t>(i));
            return true;
        }
    }
    return false;
}

std::vector<const ResourcePack*> CResourceMgr::Packs()
{
    std::vector<const ResourcePack*> packs;
    for (const auto& pack : State().packs)
        packs.push_back(pack.get());
    return packs;
}

bool PushResourceFolder()
{
    ResourceState& state = State();
    // Nesting deeper than the stack is a caller's mistake; the push is refused
    // rather than written past the stack.
    if (state.folderDepth >= kResourceFolderStackSize)
        return false;
    state.folderStack[state.folderDepth++] = state.currentFolder;
    return true;
}

bool PopResourceFolder()
{
    ResourceState& state = State();
    if (state.folderDepth <= 0)
        return false;
    --state.folderDepth;
    CResourceMgr::SetCurrentFolder(state.folderStack[state.folderDepth].Chars());
    state.folderStack[state.folderDepth] = CStr();
    return true;
}

int ResourceFolderDepth()
{
    return State().folderDepth;
}
