#pragma once

#include "KitStore.h"
#include "kit/KitDiff.h"

#include <atomic>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

namespace morvane::library {

// What the library window does with several kits at once, without its
// widgets. The jobs run on the library's thread: their cost grows with the
// selection, which may be a whole library.

struct ChosenKit {
    QString hash;
    QString title;

    bool operator==(const ChosenKit&) const = default;
};

// How many kits a selection holds, known without listing them.
struct SelectionSize {
    std::size_t rows = 0;     // the rows picked
    bool everyFound = false;  // or every kit the search finds

    bool isSeveral() const { return everyFound || rows > 1; }
    bool isPair() const { return !everyFound && rows == 2; }
};

// The rows the user picked, or, after Select All over a list not yet read
// to its end, every kit the search finds: the window holds only the rows
// shown, so the library's thread lists the rest.
struct KitSelection {
    std::vector<ChosenKit> picked;
    std::optional<KitSearch> everyFound;
};

// Done so far, of all there are to do.
using WorkProgress = std::function<void(int done, int total)>;

// Writes the kit's bytes to path in one step, as Save writes a kit file,
// once they are checked against their hash; the kit as written.
Result<LibraryKit> exportKit(KitStore& store, const QString& hash, const std::filesystem::path& path);

// The kits of the selection, in the list's order.
Result<std::vector<ChosenKit>> chosenKits(KitStore& store, const KitSelection& selection);

// The kit's title as a file name every common file system takes: no
// character one of them refuses or a shell would trip over, no leading or
// trailing dot or space, no name Windows keeps for a device; "Kit" for a
// title with nothing left.
QString kitFileName(const QString& title);

// One .syx name per kit, "Title.syx", then "Title (2).syx" and on for the
// titles met again; unique also where letter case makes no difference.
std::vector<QString> exportFileNames(const std::vector<ChosenKit>& kits);

struct ExportFile {
    ChosenKit kit;
    QString path;
    bool exists = false;  // something is at path already
};

struct ExportPlan {
    QString folder;
    std::vector<ExportFile> files;
    int existing = 0;
};

ExportPlan planExport(const std::vector<ChosenKit>& kits, const QString& folder);

// What to do with a file of the plan that exists: a file the plan did not
// know of is never replaced.
enum class ExistingFiles { Replace, Skip };

struct ExportSummary {
    int written = 0;
    int skipped = 0;
    std::vector<QString> failures;  // one reason per kit not written
    QString notRecorded;            // why the library could not record the files, if it could not
    bool cancelled = false;
};

// Writes each kit's bytes, checked against its hash, as Save writes a kit
// file, and records each file as saved when record is set. cancel is read
// between kits.
ExportSummary exportKits(KitStore& store, const ExportPlan& plan, ExistingFiles existing, bool record,
                         const WorkProgress& progress, const std::atomic<bool>& cancel);

struct BatchFiles {
    std::vector<QString> files;
    std::vector<QString> withoutFile;  // titles of the kits no file holds
    bool cancelled = false;
};

// For each kit, the newest file that still holds exactly its bytes.
BatchFiles filesForBatch(KitStore& store, const std::vector<ChosenKit>& kits, const WorkProgress& progress,
                         const std::atomic<bool>& cancel);

struct RemoveSummary {
    int removed = 0;
    bool cancelled = false;
};

// Takes the kits out of the library, a transaction per batch; cancel is read
// between batches, and what was taken out before stays out.
Result<RemoveSummary> removeKits(KitStore& store, const std::vector<ChosenKit>& kits, const WorkProgress& progress,
                                 const std::atomic<bool>& cancel);

// What differs between two kits of the library, each checked against its hash.
Result<KitDiff> diffStoredKits(KitStore& store, const QString& firstHash, const QString& secondHash);

QString replaceQuestion(const ExportPlan& plan);
QString exportSummaryText(const QString& folder, const ExportSummary& summary);
QString batchSummaryText(const BatchFiles& found, int added);
QString removeQuestion(int count);
QString removeSummaryText(const RemoveSummary& summary);

}  // namespace morvane::library
