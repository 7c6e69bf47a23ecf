// The kit library: importing 20,000 generated kits in 2,000 folders against
// reading their files and the folder search alone, searching 100,000 stored
// kits, the library window over them (open, a keystroke, its memory) and
// recording one event, on real files in a temporary folder.
#include "search/FolderSearch.h"
#include "kit/KitCodec.h"
#include "kit/KitFile.h"
#include "library/EditorLibrary.h"
#include "library/KitImport.h"
#include "library/KitLibrary.h"
#include "library/KitListModel.h"
#include "library/KitSelection.h"
#include "library/LibraryHost.h"
#include "library/widgets/KitLibraryWindow.h"
#include "platform/UserSettings.h"
#include "support/ScriptedDesktop.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

namespace fs = std::filesystem;
using namespace morvane;
using namespace morvane::library;
using morvane::testing::ScriptedDesktop;

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

// In the temporary folder, or kept in MORVANE_BENCH_TREE (built there when
// missing), e.g. to time "morvane-kit library import" against find(1).
const fs::path& kitTree()
{
    static const fs::path root = [] {
        const char* chosen = std::getenv("MORVANE_BENCH_TREE");
        const fs::path made =
            chosen ? fs::path(chosen) : fs::path(benchFolder().filePath(QStringLiteral("tree")).toStdString());
        if (fs::exists(made / "bank-0")) return made;
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
    void foundFile(const NativePathText&) override { ++gathered; }
    void unreadableFolder(const NativePathText&, const std::string&) override {}
    int gathered = 0;
};

// What an import cannot beat: finding and reading every file, as
// find ... -exec cat {} + does.
class Reader final : public FolderSearchListener {
public:
    void foundFile(const NativePathText& path) override { gathered += readWholeFile(path).value().size(); }
    void unreadableFolder(const NativePathText&, const std::string&) override {}
    std::size_t gathered = 0;
};

// A fresh listener each round, so every round searches the whole tree.
template <typename Listener>
void searchEachRound(benchmark::State& state)
{
    const auto root = kitTree().native();
    for (auto _ : state) {
        Listener listener;
        Search_Folder(root, listener);
        benchmark::DoNotOptimize(listener.gathered);
    }
}

void folderSearchAlone(benchmark::State& state) { searchEachRound<Counter>(state); }
BENCHMARK(folderSearchAlone)->Unit(benchmark::kMillisecond);

void readEveryFile(benchmark::State& state) { searchEachRound<Reader>(state); }
BENCHMARK(readEveryFile)->Unit(benchmark::kMillisecond);

using Clock = std::chrono::steady_clock;

Clock::duration wallTimeOf(const std::function<void()>& work)
{
    const auto start = Clock::now();
    work();
    return Clock::now() - start;
}

// The reading as timed from outside: find(1) handing every kit file to cat(1).
void findAndCat(const QString& root)
{
    QProcess find;
    find.setStandardOutputFile(QProcess::nullDevice());
    find.start(QStringLiteral("find"), {root, QStringLiteral("-name"), QStringLiteral("*.syx"), QStringLiteral("-exec"),
                                        QStringLiteral("cat"), QStringLiteral("{}"), QStringLiteral("+")});
    find.waitForFinished(-1);
}

// Each round also reads every file, in this process and with find and cat,
// just before the import (untimed), so the ratios of their wall times compare
// them under the same load, which on a shared machine moves each figure alone
// by a third.
void importTree(benchmark::State& state)
{
    const QString root = QString::fromStdString(kitTree().string());
    const std::atomic<bool> never{false};
    int added = 0;
    Clock::duration reading{}, catting{}, importing{};
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir folder;
        auto store = KitStore::open(folder.filePath(QStringLiteral("import.sqlite"))).value();
        reading += wallTimeOf([&] {
            Reader reader;
            Search_Folder(kitTree().native(), reader);
        });
        catting += wallTimeOf([&] { findAndCat(root); });
        state.ResumeTiming();
        // The close is counted: it copies the import's log into the file, as the command's exit does.
        importing += wallTimeOf([&] {
            added = importFolder(*store, root, {}, never).value().added;
            store.reset();
        });
    }
    state.counters["added"] = added;
    const auto times = [&](Clock::duration yardstick) {
        return std::chrono::duration<double>(importing) / std::chrono::duration<double>(yardstick);
    };
    state.counters["x_reading"] = times(reading);
    state.counters["x_find_cat"] = times(catting);
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

// What the command line waits for before its first line: the open and the first page.
void listToFirstPage(benchmark::State& state, const char* query)
{
    const QString file = fullStore().file();
    for (auto _ : state) {
        auto store = KitStore::open(file).value();
        benchmark::DoNotOptimize(store->search({QString::fromLatin1(query)}, {}, 500).value().rows.size());
    }
}
BENCHMARK_CAPTURE(listToFirstPage, everyKit, "")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(listToFirstPage, note, "note:38")->Unit(benchmark::kMillisecond);

class NoHost final : public LibraryHost {
public:
    Status openKit(const KitDump&, const QString&) override { return succeeded(); }
    bool sendKit(const KitDump&, const QString&) override { return false; }
    std::optional<LoadedKit> currentKit() override { return std::nullopt; }
    std::size_t addToBatchList(const std::vector<QString>&) override { return 0; }
    Result<ListeningInput> listeningInput() override { return Result<ListeningInput>::failure("no MIDI"); }
};

// The window thread's own memory, in MB.
double residentMegabytes()
{
    long pages = 0, resident = 0;
    if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(statm);
    }
    return static_cast<double>(resident) * 4096 / 1e6;
}

// Made, opened and shown until the first page is listed and painted; and
// the most memory that took (the first time, with Qt's own first costs).
void openWindow(benchmark::State& state)
{
    const QString file = fullStore().file();
    ScriptedDesktop desktop;
    UserSettings settings;
    NoHost host;
    double grown = 0;
    for (auto _ : state) {
        const double before = residentMegabytes();
        EditorLibrary library(settings, file);
        KitLibraryWindow window(desktop, library, host);
        QSignalSpy listed(window.findChild<KitListModel*>(), &KitListModel::listed);
        window.open();
        listed.wait(5000);
        QCoreApplication::processEvents();
        grown = std::max(grown, residentMegabytes() - before);
    }
    state.counters["MB"] = grown;
}
BENCHMARK(openWindow)->Unit(benchmark::kMillisecond);

// From the search the typing asks for to its first page listed, through the
// library's thread (the pause that gathers a burst of keys comes before).
void keystrokeToFirstPage(benchmark::State& state, const char* query)
{
    UserSettings settings;
    EditorLibrary library(settings, fullStore().file());
    QSignalSpy opened(&library, &EditorLibrary::opened);
    library.open();
    opened.wait(5000);
    KitListModel model(library);
    QSignalSpy listed(&model, &KitListModel::listed);
    for (auto _ : state) {
        model.setSearchText(QString::fromLatin1(query));
        listed.wait(5000);
    }
    state.counters["rows"] = model.rowCount();
}
BENCHMARK_CAPTURE(keystrokeToFirstPage, everyKit, "")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(keystrokeToFirstPage, word, "kit")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(keystrokeToFirstPage, title, "00012345")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(keystrokeToFirstPage, shortWord, "zq")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(keystrokeToFirstPage, note, "note:38")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(keystrokeToFirstPage, favourites, "fav")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(keystrokeToFirstPage, noteWord, "text:gig")->Unit(benchmark::kMillisecond);

// The first page with the favourites first, as a click on the star column's header asks.
void firstPageByStar(benchmark::State& state)
{
    KitStore& store = fullStore();
    for (auto _ : state)
        benchmark::DoNotOptimize(
            store.search({QString(), KitColumn::Favourite, true}, {}, KitListModel::PageSize).value().rows.size());
}
BENCHMARK(firstPageByStar)->Unit(benchmark::kMillisecond);

// A search with no page to fill, followed slice after slice to the last kit
// as the list follows it (on the library's thread, a slice per request).
void searchToTheEnd(benchmark::State& state, const char* query)
{
    KitStore& store = fullStore();
    int pages = 0;
    for (auto _ : state) {
        std::optional<PageStart> start;
        pages = 0;
        do {
            start = store.search({QString::fromLatin1(query)}, start, KitListModel::PageSize).value().next;
            ++pages;
        } while (start);
    }
    state.counters["pages"] = pages;
}
BENCHMARK_CAPTURE(searchToTheEnd, shortWord, "zq")->Unit(benchmark::kMillisecond);

// Select All over every kit a search finds, as the library's thread lists them.
void selectAllGathered(benchmark::State& state, const char* query)
{
    KitStore& store = fullStore();
    std::size_t kits = 0;
    for (auto _ : state) kits = chosenKits(store, {{}, KitSearch{QString::fromLatin1(query)}}).value().size();
    state.counters["kits"] = static_cast<double>(kits);
}
BENCHMARK_CAPTURE(selectAllGathered, everyKit, "")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(selectAllGathered, note, "note:38")->Unit(benchmark::kMillisecond);

// Naming every kit's file and looking whether it exists, then writing 1,000
// of them (checked, saved as Save saves, recorded as saved).
void exportPlannedAndWritten(benchmark::State& state)
{
    KitStore& store = fullStore();
    const auto kits = chosenKits(store, {{}, KitSearch{}}).value();
    const QString folder = benchFolder().filePath(QStringLiteral("export"));
    QDir().mkpath(folder);
    const std::atomic<bool> goOn{false};
    for (auto _ : state) {
        auto plan = planExport(kits, folder);
        plan.files.resize(1000);
        benchmark::DoNotOptimize(exportKits(store, plan, ExistingFiles::Replace, true, {}, goOn).written);
    }
}
BENCHMARK(exportPlannedAndWritten)->Unit(benchmark::kMillisecond)->Iterations(3);

// What the window thread pays for Ctrl+A over 100,000 kits: the rows listed only.
void selectAllInTheWindow(benchmark::State& state)
{
    ScriptedDesktop desktop;
    UserSettings settings;
    NoHost host;
    EditorLibrary library(settings, fullStore().file());
    KitLibraryWindow window(desktop, library, host);
    QSignalSpy listed(window.findChild<KitListModel*>(), &KitListModel::listed);
    window.open();
    listed.wait(5000);
    auto* table = window.findChild<QTableView*>(QStringLiteral("KitTable"));
    for (auto _ : state) {
        table->clearSelection();
        QTest::keyClick(table, Qt::Key_A, Qt::ControlModifier);
    }
}
BENCHMARK(selectAllInTheWindow)->Unit(benchmark::kMicrosecond);

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
    QObject window;
    KitLibrary library(benchFolder().filePath(QStringLiteral("window.sqlite")), &window, [] {},
                       [](const Result<QString>&) {});
    const KitDump kit = generatedKit(4242);
    for (auto _ : state) library.record(kit, {EventKind::Sent, QStringLiteral("Morvane Out")});
}
// A bounded count, so the queue drains within a second when the library closes.
BENCHMARK(recordOneEventFromTheWindow)->Unit(benchmark::kMicrosecond)->Iterations(2000);

}  // namespace

int main(int argc, char** argv)
{
    // Qt's SQL drivers, the library's thread and its window need an application.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
