// Resource packs: mounting the data set, and lookups deep in a large pack.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

#include "bench/bench_engine.h"
#include "core/resource_mgr.h"
#include "platform/platform.h"
#include "tools/pack/pack_writer.h"

namespace fs = std::filesystem;

namespace {

void BM_MountDataSet(benchmark::State& state)
{
    std::string folder = BenchDataFolder();
    for (auto _ : state) {
        if (!CResourceMgr::InitFromFolder(folder.c_str())) {
            state.SkipWithError("no packs in the data folder");
            break;
        }
    }
    CResourceMgr::Shutdown();
    state.SetLabel(std::to_string(ListPackFiles(folder).size()) + " packs");
}
BENCHMARK(BM_MountDataSet)->Unit(benchmark::kMicrosecond);

// The reference: only reading the same files whole.
void BM_ReadPackFilesOnly(benchmark::State& state)
{
    std::string folder = BenchDataFolder();
    std::vector<std::string> files = ListPackFiles(folder);
    std::vector<uint8_t> buffer;
    for (auto _ : state) {
        for (const auto& name : files) {
            FILE* file = std::fopen((folder + name).c_str(), "rb");
            if (!file)
                continue;
            std::fseek(file, 0, SEEK_END);
            buffer.resize(static_cast<size_t>(std::ftell(file)));
            std::fseek(file, 0, SEEK_SET);
            benchmark::DoNotOptimize(std::fread(buffer.data(), 1, buffer.size(), file));
            std::fclose(file);
        }
    }
}
BENCHMARK(BM_ReadPackFilesOnly)->Unit(benchmark::kMicrosecond);

// A pack of about 2000 entries: at each of four levels eight sibling
// folders, the path going through the last one; the deepest folder holds a
// hundred files and the one looked up is the last.
class DeepPack {
public:
    explicit DeepPack(int packs)
    {
        char pattern[] = "/tmp/tharn-bench-XXXXXX";
        m_folder = std::string(mkdtemp(pattern)) + "/";
        for (int p = 0; p < packs; ++p) {
            PackWriter writer(static_cast<uint32_t>(p + 1));
            std::string path;
            int entries = 0;
            for (int level = 0; level < 4; ++level) {
                for (int sibling = 0; sibling < 8; ++sibling) {
                    std::string folder = path + "L" + std::to_string(level) + "S" + std::to_string(sibling);
                    writer.AddFolder(folder);
                    // Fill the siblings passed over, so skipping their subtrees matters.
                    if (sibling < 7) {
                        for (int f = 0; f < 66; ++f) {
                            writer.AddText(folder + "/f" + std::to_string(f), "txt", "x");
                            ++entries;
                        }
                    }
                }
                path += "L" + std::to_string(level) + "S7/";
            }
            // Only the oldest pack holds the target, so an overlay walks every pack.
            for (int f = 0; f < 100; ++f) {
                if (p == 0 || f < 99)
                    writer.AddText(path + "file" + std::to_string(f), "txt", "data");
            }
            m_entries = static_cast<int>(writer.entryCount());
            writer.WriteFile(m_folder + "deep" + std::to_string(p) + ".pak");
            (void)entries;
            m_target = "/" + path + "file99";
        }
        CResourceMgr::InitFromFolder(m_folder.c_str());
    }
    ~DeepPack()
    {
        CResourceMgr::Shutdown();
        fs::remove_all(m_folder);
    }
    const std::string& target() const { return m_target; }
    int entries() const { return m_entries; }

private:
    std::string m_folder;
    std::string m_target;
    int m_entries = 0;
};

void BM_Lookup4FoldersDeep(benchmark::State& state)
{
    DeepPack pack(static_cast<int>(state.range(0)));
    if (!CResourceMgr::FindResource(pack.target().c_str(), pack_format::kTextType).IsFound()) {
        state.SkipWithError("target not found");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(CResourceMgr::FindResource(pack.target().c_str(), pack_format::kTextType));
    }
    state.SetLabel(std::to_string(pack.entries()) + " entries per pack");
}
BENCHMARK(BM_Lookup4FoldersDeep)->Arg(1)->Arg(4)->Unit(benchmark::kNanosecond);

}  // namespace
