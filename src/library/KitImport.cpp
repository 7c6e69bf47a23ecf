#include "KitImport.h"

#include "LibraryView.h"

#include "base/Text.h"
#include "search/FolderSearch.h"
#include "kit/KitFile.h"
#include "platform/FilePath.h"

#include <QFileInfo>

#include <algorithm>
#include <filesystem>
#include <future>
#include <span>

namespace morvane::library {
namespace {

class Gatherer final : public FolderSearchListener {
public:
    explicit Gatherer(const std::atomic<bool>& cancel) : cancel_(cancel) {}

    bool enteringSubfolder() override { return !cancel_.load(); }
    void foundFile(const NativePathText& path) override { files.emplace_back(path); }
    void unreadableFolder(const NativePathText& path, const std::string& reason) override
    {
        unreadable.push_back(QString::fromStdString(pathToUtf8(path) + ": " + reason));
    }

    std::vector<std::filesystem::path> files;
    std::vector<QString> unreadable;

private:
    const std::atomic<bool>& cancel_;
};

struct ReadBatch {
    std::vector<Recording> kits;
    int notKits = 0;
};

ReadBatch readBatch(std::span<const std::filesystem::path> files)
{
    ReadBatch batch;
    for (const auto& file : files) {
        auto kit = readKitFile(file);
        if (!kit) {
            ++batch.notKits;
            continue;
        }
        batch.kits.push_back({LibraryKit::of(std::move(kit).value()),
                              {EventKind::Imported, QString::fromStdString(pathToUtf8(file))}});
    }
    return batch;
}

// The next batch is read, decoded and hashed on a thread of its own while
// this one is written, so the disk's reads and the library's writes overlap.
std::future<ReadBatch> readAhead(const std::vector<std::filesystem::path>& files, std::size_t start)
{
    const auto rest = std::span(files).subspan(start);
    return std::async(std::launch::async, readBatch, rest.first(std::min(ImportBatchSize, rest.size())));
}

}  // namespace

Result<ImportSummary> importFolder(KitStore& store, const QString& folder, const ImportProgress& progress,
                                   const std::atomic<bool>& cancel)
{
    Gatherer gathered(cancel);
    Search_Folder(toFilePath(QFileInfo(folder).absoluteFilePath()), gathered);
    ImportSummary summary;
    summary.unreadableFolders = std::move(gathered.unreadable);
    const auto& files = gathered.files;
    summary.cancelled = cancel.load();  // the search itself may have stopped early
    auto next = readAhead(files, 0);
    for (std::size_t start = 0; start < files.size(); start += ImportBatchSize) {
        const ReadBatch batch = next.get();
        if ((summary.cancelled = cancel.load())) break;
        // Nothing is read past a cancel or past the last batch.
        if (start + ImportBatchSize < files.size()) next = readAhead(files, start + ImportBatchSize);
        const auto counts = store.record(batch.kits);
        if (!counts)
            return Result<ImportSummary>::failure(
                counts.error() + QStringLiteral(" The import stopped there; %1 new kits were stored before it.")
                                     .arg(countText(summary.added))
                                     .toStdString());
        summary.notKits += batch.notKits;
        summary.added += counts.value().newKits;
        summary.known += counts.value().knownKits;
        const auto done = std::min(files.size(), start + ImportBatchSize);
        if (progress) progress(static_cast<int>(done), static_cast<int>(files.size()));
    }
    return summary;
}

}  // namespace morvane::library
