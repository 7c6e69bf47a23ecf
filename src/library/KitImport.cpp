#include "KitImport.h"

#include "LibraryView.h"

#include "base/Text.h"
#include "search/FolderSearch.h"
#include "kit/KitFile.h"
#include "platform/FilePath.h"

#include <QFileInfo>

#include <condition_variable>
#include <deque>
#include <filesystem>
#include <future>
#include <iterator>
#include <mutex>
#include <optional>
#include <utility>

namespace morvane::library {
namespace {

struct ReadBatch {
    std::vector<Recording> kits;
    int files = 0;  // the kits and the files that are none
};

// Kits go from the searching thread to the writing one in small batches.
// The writing side takes every batch waiting, up to ImportBatchSize files,
// into one transaction: few while the reading is ahead, so the writing
// starts at once, more when the writing is behind, so there are fewer
// commits. At most two transactions' files wait, so memory stays bounded.
class BatchChannel {
public:
    // False, without waiting, once the writing side stopped.
    bool put(ReadBatch batch) { return hand(std::move(batch), std::nullopt); }

    // The last batch comes with the count of files found, so that it is
    // known when the last batch is written.
    void searchEnded(ReadBatch last, int found) { hand(std::move(last), found); }

    // The batches waiting, as one; none once the search ended and every
    // batch was taken.
    std::optional<ReadBatch> take()
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return static_cast<std::size_t>(waitingFiles_) >= ImportFewest || total_; });
        if (waiting_.empty()) return std::nullopt;
        ReadBatch taken;
        while (!waiting_.empty() && static_cast<std::size_t>(taken.files) < ImportBatchSize) {
            ReadBatch& next = waiting_.front();
            std::move(next.kits.begin(), next.kits.end(), std::back_inserter(taken.kits));
            taken.files += next.files;
            waitingFiles_ -= next.files;
            waiting_.pop_front();
        }
        changed_.notify_all();
        return taken;
    }

    // How many files the search found; none while it goes on.
    std::optional<int> total() const
    {
        const std::lock_guard lock(mutex_);
        return total_;
    }

    void stop()
    {
        const std::lock_guard lock(mutex_);
        stopped_ = true;
        changed_.notify_all();
    }

    bool stopped() const
    {
        const std::lock_guard lock(mutex_);
        return stopped_;
    }

private:
    bool hand(ReadBatch batch, std::optional<int> found)
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return stopped_ || static_cast<std::size_t>(waitingFiles_) < 2 * ImportBatchSize; });
        if (!stopped_ && batch.files > 0) {
            waitingFiles_ += batch.files;
            waiting_.push_back(std::move(batch));
        }
        total_ = found;
        changed_.notify_all();
        return !stopped_;
    }

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<ReadBatch> waiting_;
    int waitingFiles_ = 0;
    std::optional<int> total_;
    bool stopped_ = false;
};

// Reads, decodes and hashes each kit file as the folder search finds it, on
// the search's thread, so the searching, the reading and the library's
// writing overlap.
class BatchReader final : public FolderSearchListener {
public:
    BatchReader(BatchChannel& channel, const std::atomic<bool>& cancel) : channel_(channel), cancel_(cancel) {}

    bool enteringSubfolder() override { return !stopping(); }

    void foundFile(const NativePathText& path) override
    {
        if (stopping()) return;
        ++found_;
        ++batch_.files;
        const std::filesystem::path file(path);
        if (auto kit = readKitFile(file))
            batch_.kits.push_back({LibraryKit::of(std::move(kit).value()),
                                   {EventKind::Imported, QString::fromStdString(pathToUtf8(file))}});
        if (static_cast<std::size_t>(batch_.files) == ImportHandOver) handOver();
    }

    void unreadableFolder(const NativePathText& path, const std::string& reason) override
    {
        unreadable.push_back(QString::fromStdString(pathToUtf8(path) + ": " + reason));
    }

    // Hands over what is left and tells the writing side the search ended.
    void searchEnded() { channel_.searchEnded(std::exchange(batch_, {}), found_); }

    bool cutShort() const { return cutShort_; }

    std::vector<QString> unreadable;

private:
    // The rest of a large folder is not read once the import is cancelled.
    bool stopping()
    {
        cutShort_ = cutShort_ || cancel_.load() || channel_.stopped();
        return cutShort_;
    }

    void handOver() { cutShort_ = !channel_.put(std::exchange(batch_, {})) || cutShort_; }

    BatchChannel& channel_;
    const std::atomic<bool>& cancel_;
    ReadBatch batch_;
    int found_ = 0;
    bool cutShort_ = false;
};

}  // namespace

Result<ImportSummary> importFolder(KitStore& store, const QString& folder, const ImportProgress& progress,
                                   const std::atomic<bool>& cancel)
{
    BatchChannel channel;
    BatchReader reader(channel, cancel);
    auto searching = std::async(std::launch::async, [&, root = toFilePath(QFileInfo(folder).absoluteFilePath())] {
        Search_Folder(root, reader);
        reader.searchEnded();
    });
    ImportSummary summary;
    std::optional<std::string> failure;
    int done = 0;
    while (auto batch = channel.take()) {
        if ((summary.cancelled = cancel.load())) break;
        const auto counts = store.record(batch->kits);
        if (!counts) {
            failure = counts.error() + QStringLiteral(" The import stopped there; %1 new kits were stored before it.")
                                           .arg(countText(summary.added))
                                           .toStdString();
            break;
        }
        done += batch->files;
        summary.notKits += batch->files - static_cast<int>(batch->kits.size());
        summary.added += counts.value().newKits;
        summary.known += counts.value().knownKits;
        if (progress) progress(done, channel.total().value_or(0));
    }
    channel.stop();  // nothing is read past a cancel or a failure
    searching.get();
    if (failure) return Result<ImportSummary>::failure(*failure);
    summary.cancelled = summary.cancelled || reader.cutShort();
    summary.unreadableFolders = std::move(reader.unreadable);
    return summary;
}

}  // namespace morvane::library
