// The folders are layers, and every library's include folder is the root, so
// the compiler lets any file include any other. This holds every #include of
// the tree against the table of what each folder may include in
// docs/ARCHITECTURE.md: an include that points upward, skips a layer the
// table does not allow, or comes from a folder with no row fails here. The
// table itself must stay free of circles.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Folder ("core/", "app/program/") -> the folders it may include besides itself.
using LayerTable = std::map<std::string, std::set<std::string>>;

const char* const kTableHeading = "## What a folder may include";

// Reads the table under kTableHeading: rows "| `core/` | `platform/` |", the
// folder in the first cell, the folders it may include in the second.
LayerTable ReadLayerTable(const fs::path& doc, std::string& error)
{
    LayerTable table;
    std::ifstream in(doc);
    std::string line;
    bool inSection = false;
    const std::regex name("`([a-z_/]+/)`");
    while (std::getline(in, line)) {
        if (line.rfind("## ", 0) == 0) {
            inSection = line == kTableHeading;
            continue;
        }
        if (!inSection || line.rfind("| `", 0) != 0)
            continue;
        const size_t split = line.find('|', 1);
        const std::string folderCell = line.substr(1, split - 1), includesCell = line.substr(split + 1);
        std::smatch folder;
        if (!std::regex_search(folderCell, folder, name)) {
            error = "a row without a folder: " + line;
            return {};
        }
        std::set<std::string>& below = table[folder[1]];
        for (std::sregex_iterator it(includesCell.begin(), includesCell.end(), name), end; it != end; ++it)
            below.insert((*it)[1]);
    }
    if (table.empty())
        error = "no table under \"" + std::string(kTableHeading) + "\" in " + doc.string();
    return table;
}

// The row a path belongs to: the longest folder of the table it lies in.
std::string RowOf(const LayerTable& table, const std::string& path)
{
    std::string best;
    for (const auto& [folder, below] : table)
        if (path.rfind(folder, 0) == 0 && folder.size() > best.size())
            best = folder;
    return best;
}

std::string TopFolder(const std::string& path)
{
    const size_t slash = path.find('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The folders a test folder may include besides the game's folders, tools/
// and tests/support/: its own, and the tests of the folders its folder may
// include (tests/battlescreen/ uses the battle engine's fixture).
std::set<std::string> TestsBelow(const LayerTable& table, const std::string& testFolder)
{
    std::set<std::string> allowed = {testFolder};
    const auto row = table.find(testFolder.substr(std::string("tests/").size()));
    if (row == table.end())
        return allowed;
    std::function<void(const std::string&)> add = [&](const std::string& folder) {
        if (!allowed.insert("tests/" + folder).second)
            return;
        if (const auto next = table.find(folder); next != table.end())
            for (const std::string& below : next->second)
                add(below);
    };
    for (const std::string& below : row->second)
        add(below);
    return allowed;
}

// Why the file at `path` may not include `target`; empty when it may.
std::string Refusal(const LayerTable& table, const std::string& path, const std::string& target)
{
    const std::string targetTop = TopFolder(target);
    const bool targetIsGame = table.count(targetTop) != 0;
    if (!targetIsGame && targetTop != "tests/" && targetTop != "tools/" && targetTop != "bench/" &&
        targetTop != "installer/")
        return {};  // the standard library, gtest, SDL, a header beside the file
    if (target.find("..") != std::string::npos)
        return "names a folder by a relative path";
    const std::string top = TopFolder(path);
    if (top == "tests/") {
        // Tests stand on whatever they need of the tree and on
        // tests/support/; a test folder's own files stay its own.
        if (targetTop != "tests/")
            return {};
        if (target.rfind("tests/support/", 0) == 0)
            return {};
        if (path.rfind("tests/support/", 0) == 0)
            return "tests/support/ includes no test folder";
        const std::string testFolder = "tests/" + TopFolder(path.substr(6));
        for (const std::string& allowed : TestsBelow(table, testFolder))
            if (target.rfind(allowed, 0) == 0)
                return {};
        return testFolder + " includes only its own tests and those of the folders below it";
    }
    if (top == "bench/")
        return targetIsGame || targetTop == "tools/" || targetTop == "bench/" ? std::string()
                                                                              : "bench/ includes no tests";
    if (top == "tools/")
        return targetTop == "tools/" || targetTop == "core/" || targetTop == "game/"
                   ? std::string()
                   : "tools/ includes only tools/, core/ and game/";
    if (top == "installer/")
        return targetTop == "installer/" ? std::string() : "installer/ includes only itself";
    const std::string row = RowOf(table, path);
    if (row.empty())
        return "the folder has no row in the table";
    const std::string targetRow = targetIsGame ? RowOf(table, target) : targetTop;
    if (targetRow == row || table.at(row).count(targetRow) != 0)
        return {};
    return row + " may not include " + targetRow;
}

// Every "#include" of the C++ files under the root, outside build folders.
struct Include {
    std::string file;
    int line;
    std::string target;
};

std::vector<Include> IncludesOfTree(const fs::path& root)
{
    std::vector<Include> out;
    const std::regex include(R"(^\s*#\s*include\s*["<]([^">]+)[">])");
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
        const std::string name = it->path().filename().string();
        if (it->is_directory() && (name.rfind("build", 0) == 0 || name[0] == '.')) {
            it.disable_recursion_pending();
            continue;
        }
        const std::string ext = it->path().extension().string();
        if (!it->is_regular_file() || (ext != ".cpp" && ext != ".h" && ext != ".c" && ext != ".inc"))
            continue;
        const std::string path = fs::relative(it->path(), root).generic_string();
        std::ifstream in(it->path());
        std::string line;
        for (int number = 1; std::getline(in, line); ++number) {
            std::smatch m;
            if (std::regex_search(line, m, include))
                out.push_back({path, number, m[1]});
        }
    }
    return out;
}

class IncludeLayers : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        table = ReadLayerTable(root / "docs/ARCHITECTURE.md", error);
        ASSERT_TRUE(error.empty()) << error;
    }

    const fs::path root = THARN_TEST_SOURCE_DIR;
    LayerTable table;
};

TEST_F(IncludeLayers, TheTableNamesOnlyItsOwnFoldersAndHasNoCircle)
{
    for (const auto& [folder, below] : table) {
        EXPECT_TRUE(fs::is_directory(root / folder)) << folder << " is not a folder of the tree";
        for (const std::string& b : below)
            EXPECT_TRUE(table.count(b)) << folder << " may include " << b << ", which has no row";
    }
    // Depth-first: a folder met again while still open closes a circle.
    std::map<std::string, int> state;  // 1 open, 2 done
    std::vector<std::string> trail;
    std::function<void(const std::string&)> visit = [&](const std::string& folder) {
        state[folder] = 1;
        trail.push_back(folder);
        for (const std::string& b : table[folder]) {
            if (state[b] == 1) {
                std::string circle;
                for (auto t = std::find(trail.begin(), trail.end(), b); t != trail.end(); ++t)
                    circle += *t + " -> ";
                ADD_FAILURE() << "a circle: " << circle << b;
            } else if (state[b] == 0 && table.count(b)) {
                visit(b);
            }
        }
        trail.pop_back();
        state[folder] = 2;
    };
    for (const auto& [folder, below] : table)
        if (state[folder] == 0)
            visit(folder);
}

TEST_F(IncludeLayers, EveryIncludeOfTheTreeKeepsToTheTable)
{
    const std::vector<Include> includes = IncludesOfTree(root);
    ASSERT_GT(includes.size(), 1000u) << "the tree was not found at " << root;
    std::ostringstream faults;
    int count = 0;
    for (const Include& inc : includes) {
        const std::string why = Refusal(table, inc.file, inc.target);
        if (!why.empty() && count++ < 50)
            faults << inc.file << ":" << inc.line << ": includes \"" << inc.target << "\": " << why << "\n";
    }
    EXPECT_EQ(count, 0) << faults.str();
}

}  // namespace
