#include "KitImport.h"

#include "batch/search/FolderSearch.h"
#include "kit/KitFile.h"

#include <QDir>
#include <QFileInfo>

namespace morvane::library {
namespace {

// Large enough that a commit's cost spreads thin, small enough that a
// second editor waits for the write lock no longer than a blink.
constexpr std::size_t BatchSize = 500;

class Gatherer final : public FolderSearchListener {
public:
    explicit Gatherer(const std::atomic<bool>& cancel) : cancel_(cancel) {}

    bool enteringSubfolder() override { return !cancel_.load(); }
    void foundFile(const NativePathText& path) override { files.push_back(listEntryText(path)); }
    void unreadableFolder(const NativePathText& path, const std::string& reason) override
    {
        unreadable.push_back(QDir::toNativeSeparators(QString::fromStdString(listEntryText(path))) +
                             QStringLiteral(": ") + QString::fromStdString(reason));
    }

    std::vector<std::string> files;
    std::vector<QString> unreadable;

private:
    const std::atomic<bool>& cancel_;
};

}  // namespace

Result<ImportSummary> importFolder(KitStore& store, const QString& folder, const ImportProgress& progress,
                                   const std::atomic<bool>& cancel)
{
    Gatherer gathered(cancel);
    Search_Folder(nativePathOf(QFileInfo(folder).absoluteFilePath().toStdString()), gathered);
    ImportSummary summary;
    summary.unreadableFolders = std::move(gathered.unreadable);
    const auto& files = gathered.files;
    const KitEvent imported{EventKind::Imported, {}};
    summary.cancelled = cancel.load();  // the search itself may have stopped early
    for (std::size_t start = 0; start < files.size(); start += BatchSize) {
        if ((summary.cancelled = cancel.load())) break;
        const std::size_t end = std::min(files.size(), start + BatchSize);
        std::vector<Recording> batch;
        for (std::size_t f = start; f < end; ++f) {
            auto kit = readKitFile(files[f]);
            if (!kit) {
                ++summary.notKits;
                continue;
            }
            KitEvent event = imported;
            event.place = QDir::toNativeSeparators(QString::fromStdString(files[f]));
            batch.push_back({std::move(kit).value().dump, std::move(event)});
        }
        const auto counts = store.record(batch);
        if (!counts) return Result<ImportSummary>::failure(counts.error());
        summary.added += counts.value().newKits;
        summary.known += counts.value().knownKits;
        if (progress) progress(static_cast<int>(end), static_cast<int>(files.size()));
    }
    return summary;
}

}  // namespace morvane::library
