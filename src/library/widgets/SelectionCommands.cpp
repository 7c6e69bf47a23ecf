#include "SelectionCommands.h"

#include "library/EditorLibrary.h"
#include "library/LibraryHost.h"
#include "library/LibraryView.h"
#include "platform/Desktop.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>

namespace morvane::library {
namespace {

const QString ExportTitle = QStringLiteral("Export Kits");
const QString BatchTitle = QStringLiteral("Add to Batch List");
const QString DeleteTitle = QStringLiteral("Delete Kits");

}  // namespace

SelectionCommands::SelectionCommands(Desktop& desktop, EditorLibrary& library, LibraryHost& host, QWidget* parent)
    : QWidget(parent),
      desktop_(desktop),
      library_(library),
      host_(host),
      what_(new QLabel),
      progress_(new JobProgress(QStringLiteral("SelectionProgress"), QStringLiteral("CancelSelectionBtn")))
{
    setObjectName(QStringLiteral("SelectionCommands"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(what_);
    layout->addWidget(progress_, 1);
    layout->addStretch(1);
    hide();
}

SelectionCommands::~SelectionCommands() { cancel(); }

void SelectionCommands::cancel() { progress_->cancel(); }

// job(store, progress, cancel) runs on the library's thread, done(its
// result) back here.
template <typename Job, typename Done>
void SelectionCommands::run(const QString& what, Job job, Done done)
{
    if (!library_.isOpen()) return;
    what_->setText(what);
    show();
    library_.ask(
        this,
        [job, cancel = progress_->start(),
         progress = library_.progressTo(this, [this](int done, int total) { progress_->showCount(done, total); })](
            KitStore& store) { return job(store, progress, *cancel); },
        [this, done](const auto& result) {
            cancelled_ = progress_->finish();
            hide();
            done(result);
        });
}

bool SelectionCommands::busy()
{
    if (!progress_->running()) return false;
    emit said(QStringLiteral("%1 Wait for it to end, or cancel it.").arg(what_->text()));
    return true;
}

bool SelectionCommands::gathered()
{
    if (cancelled_) emit said(QStringLiteral("Cancelled."));
    return !cancelled_;
}

// Whole success is said on the status line; anything less also in a box.
void SelectionCommands::tell(const QString& text, bool wholly, const QString& title)
{
    emit said(text);
    if (!wholly) desktop_.messageBox(text, MessageStyle::Exclamation, title);
}

void SelectionCommands::exportKits(const KitSelection& selection)
{
    if (busy()) return;
    const auto folder = desktop_.folderName(exportStart_.isEmpty() ? QDir::homePath() : exportStart_);
    if (!folder) return;
    exportStart_ = *folder;
    run(
        QStringLiteral("Gathering the chosen kits..."),
        [selection, folder = *folder](KitStore& store, const WorkProgress&,
                                      const std::atomic<bool>&) -> Result<ExportPlan> {
            const auto kits = chosenKits(store, selection);
            if (!kits) return Result<ExportPlan>::failure(kits.error());
            return planExport(kits.value(), folder);
        },
        [this](const Result<ExportPlan>& plan) {
            if (!gathered()) return;
            if (plan)
                exportPlanned(plan.value());
            else
                tell(QString::fromStdString(plan.error()), false, ExportTitle);
        });
}

void SelectionCommands::exportPlanned(const ExportPlan& plan)
{
    auto existing = ExistingFiles::Replace;
    if (plan.existing > 0) {
        const auto answer = desktop_.messageBox(replaceQuestion(plan), MessageStyle::ReplaceSkipCancel, ExportTitle);
        if (answer == MessageAnswer::Cancel) return;
        existing = answer == MessageAnswer::Yes ? ExistingFiles::Replace : ExistingFiles::Skip;
    }
    run(
        QStringLiteral("Exporting kits..."),
        [plan, existing, record = library_.recording()](KitStore& store, const WorkProgress& progress,
                                                        const std::atomic<bool>& cancel) {
            return library::exportKits(store, plan, existing, record, progress, cancel);
        },
        [this, folder = plan.folder](const ExportSummary& summary) {
            tell(exportSummaryText(folder, summary), !summary.cancelled && summary.failures.empty(), ExportTitle);
            emit libraryChanged();
        });
}

void SelectionCommands::addToBatchList(const KitSelection& selection)
{
    if (busy()) return;
    run(
        QStringLiteral("Finding the files of the chosen kits..."),
        [selection](KitStore& store, const WorkProgress& progress,
                    const std::atomic<bool>& cancel) -> Result<BatchFiles> {
            const auto kits = chosenKits(store, selection);
            if (!kits) return Result<BatchFiles>::failure(kits.error());
            return filesForBatch(store, kits.value(), progress, cancel);
        },
        [this](const Result<BatchFiles>& found) {
            if (!found) {
                tell(QString::fromStdString(found.error()), false, BatchTitle);
                return;
            }
            const auto added = static_cast<int>(host_.addToBatchList(found.value().files));
            tell(batchSummaryText(found.value(), added), !found.value().cancelled && found.value().withoutFile.empty(),
                 BatchTitle);
        });
}

void SelectionCommands::remove(const KitSelection& selection)
{
    if (busy()) return;
    run(
        QStringLiteral("Gathering the chosen kits..."),
        [selection](KitStore& store, const WorkProgress&, const std::atomic<bool>&) {
            return chosenKits(store, selection);
        },
        [this](const Result<std::vector<ChosenKit>>& kits) {
            if (!gathered()) return;
            if (kits)
                removeCounted(kits.value());
            else
                tell(QString::fromStdString(kits.error()), false, DeleteTitle);
        });
}

void SelectionCommands::removeCounted(const std::vector<ChosenKit>& kits)
{
    if (kits.empty()) return;
    if (desktop_.messageBox(removeQuestion(static_cast<int>(kits.size())), MessageStyle::YesNo, DeleteTitle) !=
        MessageAnswer::Yes)
        return;
    run(
        QStringLiteral("Deleting kits..."),
        [kits](KitStore& store, const WorkProgress& progress, const std::atomic<bool>& cancel) {
            return removeKits(store, kits, progress, cancel);
        },
        [this](const Result<RemoveSummary>& summary) {
            if (summary)
                tell(removeSummaryText(summary.value()), !summary.value().cancelled, DeleteTitle);
            else
                tell(QString::fromStdString(summary.error()), false, DeleteTitle);
            emit libraryChanged();
        });
}

}  // namespace morvane::library
