// The kit library: importing 20,000 generated kits in 2,000 folders against
// the folder search alone on the same tree, searching 100,000 stored kits,
// and recording one event, on real files in a temporary folder.
#include "search/FolderSearch.h"
#include "kit/KitCodec.h"
#include "library/KitImport.h"
#include "library/KitLibrary.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using namespace morvane;
using namespace morvane::library;

namespace {

constexpr int TopFolders = 50;
constexpr int SubfoldersEach = 39;  // 50 + 50 * 39 = 2,000 folders
constexpr int KitsPerFolder = 10;
constexpr int StoredKits = 100'000;

// A different kit for every number: its title, numbers and pads follow it.
KitDump generatedKit(int n)
{
    KitDump dump = emptyKitDump();
    dump.front() = 0xF0;
    dump.back() = 0xF7;
    KitFields fields;
    char title[KitNameLength + 1];
    std::snprintf(title, sizeof title, "Kit %08d", n);
    std::copy(title, title + KitNameLength, fields.KitNameChars.begin());
    fields.KitNumber = static_cast<std::int16_t>(n % 24 + 1);
    fields.BankNumber = static_cast<std::int16_t>(n % 129);
    for (int p = 0; p < PadCount; ++p) {
        fields.PadMNN[p] = static_cast<std::uint8_t>((n / 7 + p * 5) % 128);
        fields.PadTCH[p] = static_cast<std::uint8_t>((n + p / 8) % 16 + 1);
    }
    (void)encodeKit(fields, dump);
    return dump;
}

void fillFolder(const fs::path& folder, int& next)
{
    fs::create_directories(folder);
    for (int i = 0; i < KitsPerFolder; ++i) {
        const KitDump kit = generatedKit(next++);
        std::ofstream(folder / ("kit-" + std::to_string(i) + ".syx"), std::ios::binary)
            .write(reinterpret_cast<const char*>(kit.data()), static_cast<std::streamsize>(kit.size()));
    }
}

const QTemporaryDir& benchFolder()
{
    static const QTemporaryDir folder;
    return folder;
}

const fs::path& kitTree()
{
    static const fs::path root = [] {
        const fs::path made = benchFolder().filePath(QStringLiteral("tree")).toStdString();
        int next = 0;
        for (int top = 0; top < TopFolders; ++top) {
            const fs::path topFolder = made / ("bank-" + std::to_string(top));
            fillFolder(topFolder, next);
            for (int sub = 0; sub < SubfoldersEach; ++sub) fillFolder(topFolder / ("set-" + std::to_string(sub)), next);
        }
        return made;
    }();
    return root;
}

class Counter final : public FolderSearchListener {
public:
    void foundFile(const NativePathText&) override { ++files; }
    void unreadableFolder(const NativePathText&, const std::string&) override {}
    int files = 0;
};

void folderSearchAlone(benchmark::State& state)
{
    const auto root = kitTree().native();
    for (auto _ : state) {
        Counter counter;
        Search_Folder(root, counter);
        benchmark::DoNotOptimize(counter.files);
    }
}
BENCHMARK(folderSearchAlone)->Unit(benchmark::kMillisecond);

void importTree(benchmark::State& state)
{
    const QString root = QString::fromStdString(kitTree().string());
    const std::atomic<bool> never{false};
    int added = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir folder;
        auto store = KitStore::open(folder.filePath(QStringLiteral("import.sqlite"))).value();
        state.ResumeTiming();
        added = importFolder(*store, root, {}, never).value().added;
    }
    state.counters["added"] = added;
}
BENCHMARK(importTree)->Unit(benchmark::kMillisecond);

// 100,000 kits, each imported from a path of its own, made once per run.
KitStore& fullStore()
{
    static const auto store = [] {
        auto made = KitStore::open(benchFolder().filePath(QStringLiteral("full.sqlite"))).value();
        std::vector<Recording> batch;
        for (int n = 0; n < StoredKits; ++n) {
            const QString place = QStringLiteral("/kits/bank-%1/kit-%2.syx").arg(n / 1000).arg(n % 1000);
            batch.push_back({LibraryKit::of(generatedKit(n)).value(), {EventKind::Imported, place}});
            if (batch.size() == 1000) {
                (void)made->record(batch);
                batch.clear();
            }
        }
        return made;
    }();
    return *store;
}

void searchStoredKits(benchmark::State& state, const char* query)
{
    KitStore& store = fullStore();
    std::size_t found = 0;
    for (auto _ : state) found = store.search({QString::fromLatin1(query)}, {}, 100'000).value().rows.size();
    state.counters["found"] = static_cast<double>(found);
}
BENCHMARK_CAPTURE(searchStoredKits, title, "00012345")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(searchStoredKits, fileName, "bank-42/")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(searchStoredKits, note, "note:38")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(searchStoredKits, noteChannelAndWord, "note:38 channel:3 bank-4")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(searchStoredKits, everyKit, "")->Unit(benchmark::kMillisecond);

// One send of a known kit, written and committed.
void recordOneEvent(benchmark::State& state)
{
    KitStore& store = fullStore();
    const KitDump kit = generatedKit(4242);
    for (auto _ : state) (void)store.record(kit, {EventKind::Sent, QStringLiteral("Morvane Out")});
}
BENCHMARK(recordOneEvent)->Unit(benchmark::kMicrosecond);

// What the window thread pays for the same recording: queuing it.
void recordOneEventFromTheWindow(benchmark::State& state)
{
    auto library = KitLibrary::open(benchFolder().filePath(QStringLiteral("window.sqlite"))).value();
    const KitDump kit = generatedKit(4242);
    for (auto _ : state) library->record(kit, {EventKind::Sent, QStringLiteral("Morvane Out")});
}
// A bounded count, so the queue drains within a second when the library closes.
BENCHMARK(recordOneEventFromTheWindow)->Unit(benchmark::kMicrosecond)->Iterations(2000);

}  // namespace

int main(int argc, char** argv)
{
    // Qt's SQL drivers and the library's thread need an application.
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
