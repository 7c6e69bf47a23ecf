#include "KitSelection.h"

#include "LibraryView.h"

#include "kit/KitCodec.h"
#include "kit/KitFile.h"
#include "platform/FilePath.h"

#include <QDir>
#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <filesystem>
#include <span>

namespace morvane::library {
namespace {

namespace fs = std::filesystem;

// As the import's batches: a commit's cost spread thin, the write lock held
// no longer than a blink.
constexpr std::size_t BatchSize = 1000;
// Often enough for a bar that moves, seldom enough not to flood the window.
constexpr int ProgressStep = 50;
// A list of names in a message stops here.
constexpr int NamesShown = 10;

bool somethingAt(const fs::path& path)
{
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error));
}

void report(const WorkProgress& progress, int done, int total)
{
    if (progress && (done % ProgressStep == 0 || done == total)) progress(done, total);
}

// "a, b, c and 4 more"
QString someOf(const std::vector<QString>& items, const QString& separator)
{
    const auto shown = std::min<std::size_t>(items.size(), NamesShown);
    QStringList list;
    for (std::size_t i = 0; i < shown; ++i) list << items[i];
    QString text = list.join(separator);
    if (items.size() > shown)
        text += separator + QStringLiteral("and %1 more").arg(countText(static_cast<qint64>(items.size() - shown)));
    return text;
}

// The bytes were checked against the hash as they were read: it is not made again.
Result<LibraryKit> storedKit(KitStore& store, const QString& hash)
{
    auto dump = store.bytesOf(hash);
    if (!dump) return Result<LibraryKit>::failure(dump.error());
    auto fields = decodeKit(dump.value());
    if (!fields) return Result<LibraryKit>::failure(fields.error());
    return LibraryKit{std::move(dump).value(), hash, std::move(fields).value()};
}

}  // namespace

Result<LibraryKit> exportKit(KitStore& store, const QString& hash, const std::filesystem::path& path)
{
    auto kit = storedKit(store, hash);
    if (!kit) return kit;
    if (const auto written = saveWholeFile(path, kit.value().dump); !written)
        return Result<LibraryKit>::failure(written.error());
    return kit;
}

Result<std::vector<ChosenKit>> chosenKits(KitStore& store, const KitSelection& selection)
{
    if (!selection.everyFound) return selection.picked;
    std::vector<ChosenKit> kits;
    std::optional<PageStart> start;
    do {
        const auto page = store.search(*selection.everyFound, start, static_cast<int>(BatchSize));
        if (!page) return Result<std::vector<ChosenKit>>::failure(page.error());
        for (const auto& row : page.value().rows) kits.push_back({row.hash, row.title});
        start = page.value().next;
    } while (start);
    return kits;
}

QString kitFileName(const QString& title)
{
    static const QRegularExpression refused(QStringLiteral("[<>:\"/\\\\|?*\\x00-\\x1f\\x7f]"));
    static const QRegularExpression device(QStringLiteral("^(con|prn|aux|nul|com[1-9]|lpt[1-9])$"),
                                           QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression edges(QStringLiteral("^[. ]+|[. ]+$"));
    QString name = title;
    name.replace(refused, QStringLiteral("_")).remove(edges);
    if (name.isEmpty()) return QStringLiteral("Kit");
    if (device.match(name).hasMatch()) name += QLatin1Char('_');
    return name;
}

std::vector<QString> exportFileNames(const std::vector<ChosenKit>& kits)
{
    std::vector<QString> names;
    names.reserve(kits.size());
    QSet<QString> used;
    QHash<QString, int> timesMet;  // per title, so many kits of one title cost no search each
    for (const auto& kit : kits) {
        const QString base = kitFileName(kit.title);
        int& met = timesMet[base.toCaseFolded()];
        QString name;
        do {
            ++met;
            name = met == 1 ? base + QStringLiteral(".syx") : QStringLiteral("%1 (%2).syx").arg(base).arg(met);
        } while (used.contains(name.toCaseFolded()));
        used.insert(name.toCaseFolded());
        names.push_back(name);
    }
    return names;
}

ExportPlan planExport(const std::vector<ChosenKit>& kits, const QString& folder)
{
    ExportPlan plan{folder, {}, 0};
    const QDir into(folder);
    const auto names = exportFileNames(kits);
    for (std::size_t i = 0; i < kits.size(); ++i) {
        const QString path = into.filePath(names[i]);
        const bool exists = somethingAt(toFilePath(path));
        plan.existing += exists ? 1 : 0;
        plan.files.push_back({kits[i], path, exists});
    }
    return plan;
}

ExportSummary exportKits(KitStore& store, const ExportPlan& plan, ExistingFiles existing, bool record,
                         const WorkProgress& progress, const std::atomic<bool>& cancel)
{
    ExportSummary summary;
    std::vector<Recording> saved;
    const auto recordSaved = [&] {
        if (saved.empty() || !summary.notRecorded.isEmpty()) return;
        if (const auto recorded = store.record(saved); !recorded)
            summary.notRecorded = QString::fromStdString(recorded.error());
        saved.clear();
    };
    const int total = static_cast<int>(plan.files.size());
    for (int done = 0; done < total; ++done) {
        if ((summary.cancelled = cancel.load())) break;
        const auto& file = plan.files[static_cast<std::size_t>(done)];
        const auto path = toFilePath(file.path);
        const bool mayReplace = file.exists && existing == ExistingFiles::Replace;
        if (!mayReplace && somethingAt(path)) {
            ++summary.skipped;
        } else if (auto kit = exportKit(store, file.kit.hash, path); !kit) {
            summary.failures.push_back(QString::fromStdString(kit.error()));
        } else {
            ++summary.written;
            if (record)
                saved.push_back({std::move(kit).value(), {EventKind::Saved, QDir::toNativeSeparators(file.path)}});
            if (saved.size() == BatchSize) recordSaved();
        }
        report(progress, done + 1, total);
    }
    recordSaved();
    return summary;
}

BatchFiles filesForBatch(KitStore& store, const std::vector<ChosenKit>& kits, const WorkProgress& progress,
                         const std::atomic<bool>& cancel)
{
    BatchFiles found;
    const int total = static_cast<int>(kits.size());
    for (int done = 0; done < total; ++done) {
        if ((found.cancelled = cancel.load())) break;
        const auto& kit = kits[static_cast<std::size_t>(done)];
        const auto details = detailsOf(store, kit.hash, kit.title);
        const auto file = details ? fileHolding(details.value()) : Result<QString>::failure(details.error());
        if (file)
            found.files.push_back(file.value());
        else
            found.withoutFile.push_back(QLatin1Char('"') + kit.title + QLatin1Char('"'));
        report(progress, done + 1, total);
    }
    return found;
}

Result<RemoveSummary> removeKits(KitStore& store, const std::vector<ChosenKit>& kits, const WorkProgress& progress,
                                 const std::atomic<bool>& cancel)
{
    RemoveSummary summary;
    std::vector<QString> hashes;
    hashes.reserve(kits.size());
    for (const auto& kit : kits) hashes.push_back(kit.hash);
    const auto all = std::span<const QString>(hashes);
    for (std::size_t start = 0; start < all.size(); start += BatchSize) {
        if ((summary.cancelled = cancel.load())) break;
        const auto batch = all.subspan(start, std::min(BatchSize, all.size() - start));
        if (const auto removed = store.remove(batch); !removed) {
            if (summary.removed == 0) return Result<RemoveSummary>::failure(removed.error());
            return Result<RemoveSummary>::failure(
                removed.error() + QStringLiteral(" %1 deleted before that.")
                                      .arg(counted(summary.removed, "kit was", "kits were"))
                                      .toStdString());
        }
        summary.removed += static_cast<int>(batch.size());
        if (progress) progress(summary.removed, static_cast<int>(all.size()));
    }
    return summary;
}

Result<KitDiff> diffStoredKits(KitStore& store, const QString& firstHash, const QString& secondHash)
{
    const auto first = storedKit(store, firstHash);
    if (!first) return Result<KitDiff>::failure(first.error());
    const auto second = storedKit(store, secondHash);
    if (!second) return Result<KitDiff>::failure(second.error());
    return diffKits({first.value().dump, first.value().fields}, {second.value().dump, second.value().fields});
}

QString replaceQuestion(const ExportPlan& plan)
{
    return QStringLiteral("%1 of the %2 to export exist already in %3. Replace them, or skip those kits and "
                          "export the others?")
        .arg(countText(plan.existing), counted(static_cast<qint64>(plan.files.size()), "file", "files"),
             quotedFile(plan.folder));
}

QString exportSummaryText(const QString& folder, const ExportSummary& summary)
{
    const QString written = counted(summary.written, "kit", "kits");
    QString text = summary.cancelled
                       ? QStringLiteral("The export to %1 was cancelled; %2 exported before that.")
                             .arg(quotedFile(folder), written)
                       : QStringLiteral("%1 exported to %2.").arg(written, quotedFile(folder));
    if (summary.skipped > 0)
        text += QStringLiteral(" %1 skipped: %2.")
                    .arg(counted(summary.skipped, "kit", "kits"),
                         summary.skipped == 1 ? QStringLiteral("its file exists") : QStringLiteral("their files exist"));
    if (!summary.failures.empty())
        text += QStringLiteral("\n%1 could not be exported:\n")
                    .arg(counted(static_cast<qint64>(summary.failures.size()), "kit", "kits")) +
                someOf(summary.failures, QStringLiteral("\n"));
    if (!summary.notRecorded.isEmpty())
        text += QStringLiteral("\nThe library did not record the files: ") + summary.notRecorded;
    return text;
}

QString batchSummaryText(const BatchFiles& found, int added)
{
    const auto listed = static_cast<qint64>(found.files.size()) - added;
    QString text = QStringLiteral("%1 added to the batch list").arg(counted(added, "file", "files"));
    if (listed > 0) text += QStringLiteral(", %1 on it already").arg(counted(listed, "file was", "files were"));
    text += QLatin1Char('.');
    if (found.cancelled) text = QStringLiteral("Cancelled. Before that: ") + text;
    if (!found.withoutFile.empty())
        text += QStringLiteral("\nNo file the library knows of still holds %1: %2.")
                    .arg(counted(static_cast<qint64>(found.withoutFile.size()), "kit", "kits"),
                         someOf(found.withoutFile, QStringLiteral(", ")));
    return text;
}

QString removeQuestion(int count)
{
    return count == 1 ? QStringLiteral("Delete the chosen kit and its history from the library? No file is deleted.")
                      : QStringLiteral("Delete the %1 chosen kits and their histories from the library? No file is "
                                       "deleted.")
                            .arg(countText(count));
}

QString removeSummaryText(const RemoveSummary& summary)
{
    const QString removed =
        counted(summary.removed, "kit was", "kits were") + QStringLiteral(" deleted from the library.");
    return summary.cancelled ? QStringLiteral("The delete was cancelled. Before that: ") + removed : removed;
}

}  // namespace morvane::library
