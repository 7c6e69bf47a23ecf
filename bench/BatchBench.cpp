// The folder search and the batch list behind "Add Entire Directory To List",
// on a tree of 20,000 kit dumps in 2,000 folders among 80,000 other files.
// Set MORVANE_BENCH_TREE to a folder to build the tree there and keep it
// (e.g. to time "morvane-kit find" against find(1) on the same tree).
#include "batch/BatchList.h"
#include "search/FolderSearch.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace fs = std::filesystem;
using namespace morvane;

namespace {

constexpr int TopFolders = 50;
constexpr int SubfoldersEach = 39;  // 50 + 50 * 39 = 2,000 folders
constexpr int KitDumpsPerFolder = 10;
constexpr int OtherFilesPerFolder = 40;

void touch(const fs::path& file) { std::ofstream(file).put('\xF0'); }

void fillFolder(const fs::path& folder)
{
    fs::create_directories(folder);
    for (int i = 0; i < KitDumpsPerFolder; ++i)
        touch(folder / ("kit-" + std::to_string(i) + (i % 2 ? ".syx" : ".SYX")));
    for (int i = 0; i < OtherFilesPerFolder; ++i) touch(folder / ("take-" + std::to_string(i) + ".wav"));
}

void buildTree(const fs::path& root)
{
    for (int top = 0; top < TopFolders; ++top) {
        const fs::path topFolder = root / ("bank-" + std::to_string(top));
        fillFolder(topFolder);
        for (int sub = 0; sub < SubfoldersEach; ++sub) fillFolder(topFolder / ("set-" + std::to_string(sub)));
    }
}

// Built once per run; removed at exit unless the caller chose where it lives.
class BenchTree {
public:
    BenchTree()
    {
        if (const char* chosen = std::getenv("MORVANE_BENCH_TREE")) {
            root_ = chosen;
            keep_ = true;
            if (fs::exists(root_ / "bank-0")) return;
        } else {
            root_ = fs::temp_directory_path() / ("morvane-bench-tree-" + std::to_string(std::random_device()()));
        }
        buildTree(root_);
    }
    ~BenchTree()
    {
        std::error_code ignored;
        if (!keep_) fs::remove_all(root_, ignored);
    }
    NativePathText root() const { return root_.native(); }

private:
    fs::path root_;
    bool keep_ = false;
};

const BenchTree& tree()
{
    static const BenchTree built;
    return built;
}

class Counter final : public FolderSearchListener {
public:
    std::size_t files = 0;
    void foundFile(const NativePathText&) override { ++files; }
    void unreadableFolder(const NativePathText&, const std::string&) override {}
};

void searchTree(benchmark::State& state)
{
    const auto root = tree().root();
    std::size_t found = 0;
    for (auto _ : state) {
        Counter counter;
        Search_Folder(root, counter);
        found = counter.files;
    }
    state.counters["files"] = static_cast<double>(found);
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * found));
}
BENCHMARK(searchTree)->Unit(benchmark::kMillisecond);

void searchTreeAndAddToList(benchmark::State& state)
{
    const auto root = tree().root();
    std::size_t added = 0;
    for (auto _ : state) {
        BatchList list;
        added = addFolderTree(list, root, [] { return true; }).added;
        benchmark::DoNotOptimize(list.size());
    }
    state.counters["added"] = static_cast<double>(added);
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * added));
}
BENCHMARK(searchTreeAndAddToList)->Unit(benchmark::kMillisecond);

// The second add of the same tree finds every path already listed.
void addTreeAgainToAFullList(benchmark::State& state)
{
    const auto root = tree().root();
    BatchList list;
    addFolderTree(list, root, {});
    for (auto _ : state) benchmark::DoNotOptimize(addFolderTree(list, root, {}).added);
    state.counters["listed"] = static_cast<double>(list.size());
}
BENCHMARK(addTreeAgainToAFullList)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
