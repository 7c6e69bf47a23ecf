#include "KitLibraryWindow.h"

#include "FolderElidingDelegate.h"
#include "JobProgress.h"
#include "KitTable.h"
#include "ReceiveKitsDialog.h"
#include "SelectionCommands.h"

#include "library/EditorLibrary.h"
#include "library/KitReceiving.h"
#include "library/LibraryHost.h"
#include "library/LibrarySettings.h"
#include "kit/KitCodec.h"
#include "platform/Desktop.h"
#include "platform/FilePath.h"
#include "platform/widgets/WidgetStyle.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScreen>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QTableWidget>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace morvane::library {
namespace {

// Long enough to let a word be typed whole, or a burst of kits be received,
// short enough to feel immediate.
constexpr int SearchPauseMs = 150;
const QString KitFileFilter = QStringLiteral("Sysex Files (*.syx)");

QString quoted(const QString& title) { return QLatin1Char('"') + title + QLatin1Char('"'); }

}  // namespace

KitLibraryWindow::KitLibraryWindow(Desktop& desktop, EditorLibrary& library, LibraryHost& host, QWidget* parent)
    : QMainWindow(parent, Qt::Window), desktop_(desktop), library_(library), host_(host),
      model_(new KitListModel(library, this))
{
    setObjectName(QStringLiteral("KitLibraryWindow"));
    setWindowTitle(QStringLiteral("Kit Library"));
    searchTimer_.setSingleShot(true);
    searchTimer_.setInterval(SearchPauseMs);
    connect(&searchTimer_, &QTimer::timeout, this, &KitLibraryWindow::search);
    refreshTimer_.setSingleShot(true);
    refreshTimer_.setInterval(SearchPauseMs);
    connect(&refreshTimer_, &QTimer::timeout, this, &KitLibraryWindow::refresh);
    connect(&library_, &EditorLibrary::kitsChanged, this, &KitLibraryWindow::refreshSoon);
    // A notice too long for the main window's status line is read whole here.
    connect(&library_, &EditorLibrary::told, this, &KitLibraryWindow::say);
    connect(&library_, &EditorLibrary::migrating, this, [this] {
        say(QStringLiteral("Bringing the kit library up to date for this version of the editor; with many kits "
                           "this takes a few seconds..."));
    });
    connect(&library_, &EditorLibrary::opened, this, &KitLibraryWindow::openEnded);
    connect(model_, &KitListModel::listed, this, &KitLibraryWindow::keepChoiceAfterListing);
    connect(model_, &KitListModel::failed, this, &KitLibraryWindow::say);
    buildControls();
    resize(QSize(1100, 600).boundedTo(screen()->availableSize()));
}

// An import still running would keep the program from ending.
KitLibraryWindow::~KitLibraryWindow() { importProgress_->cancel(); }

void KitLibraryWindow::buildKitTable()
{
    kits_ = new KitTable;
    kits_->setObjectName(QStringLiteral("KitTable"));
    kits_->setModel(model_);
    // Widths and heights never measure the rows: there may be 100,000.
    auto* columns = kits_->horizontalHeader();
    columns->setSectionResizeMode(QHeaderView::Interactive);
    columns->setSectionResizeMode(static_cast<int>(KitColumn::Where), QHeaderView::Stretch);
    const QFontMetrics metrics = kits_->fontMetrics();
    const auto widthOf = [&](const QString& sample) { return metrics.horizontalAdvance(sample) + 24; };
    for (int column = 0; column < KitColumnCount; ++column)
        columns->resizeSection(column, widthOf(columnTitle(static_cast<KitColumn>(column))));
    columns->resizeSection(static_cast<int>(KitColumn::Title), widthOf(QStringLiteral("MMMMMMMMMMMM")));
    columns->resizeSection(static_cast<int>(KitColumn::When), widthOf(QStringLiteral("2026-12-31 23:59")));
    kits_->verticalHeader()->hide();
    kits_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    kits_->verticalHeader()->setDefaultSectionSize(metrics.height() + 8);
    kits_->setWordWrap(false);
    kits_->setItemDelegateForColumn(static_cast<int>(KitColumn::Where), new FolderElidingDelegate(kits_));
    kits_->setSelectionBehavior(QAbstractItemView::SelectRows);
    kits_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    kits_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    kits_->setSortingEnabled(true);
    kits_->sortByColumn(static_cast<int>(KitColumn::When), Qt::DescendingOrder);
    kits_->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(kits_->selectionModel(), &QItemSelectionModel::selectionChanged, this, &KitLibraryWindow::selectionChanged);
    connect(kits_, &QTableView::doubleClicked, this, &KitLibraryWindow::openChosen);
    connect(kits_, &QTableView::clicked, this, &KitLibraryWindow::starClicked);
}

void KitLibraryWindow::buildControls()
{
    buildKitTable();
    history_ = new QListWidget;
    history_->setObjectName(QStringLiteral("HistoryList"));
    history_->setWordWrap(true);  // a path goes to a line of its own rather than out of sight
    auto* panes = new QSplitter;
    panes->addWidget(kits_);
    panes->addWidget(buildDetailsPane());
    // The list gets the room: its paths are what tells kits of one name apart.
    panes->setSizes({800, 280});
    panes->setStretchFactor(0, 3);
    panes->setStretchFactor(1, 1);

    status_ = new QLabel;
    status_->setObjectName(QStringLiteral("LibraryStatus"));
    status_->setTextFormat(Qt::PlainText);
    // A long notice (a path, a reason) wraps within the window rather than widening it.
    status_->setWordWrap(true);
    status_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(buildSearchRow());
    layout->addWidget(panes, 1);
    layout->addWidget(buildActionRow());
    layout->addWidget(buildImportRow());
    selectionCommands_ = new SelectionCommands(desktop_, library_, host_);
    connect(selectionCommands_, &SelectionCommands::said, this, &KitLibraryWindow::say);
    connect(selectionCommands_, &SelectionCommands::libraryChanged, this, &KitLibraryWindow::refresh);
    layout->addWidget(selectionCommands_);
    layout->addWidget(status_);
    setCentralWidget(central);
    updateKitActions();
    showMarks(nullptr);
}

QWidget* KitLibraryWindow::buildSearchRow()
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    searchText_ = new QLineEdit;
    searchText_->setObjectName(QStringLiteral("SearchText"));
    searchText_->setPlaceholderText(QStringLiteral(
        "Search titles, file names and notes; note:38 or channel:10 finds a pad, fav the favourites, tag:live a tag"));
    searchText_->setClearButtonEnabled(true);
    connect(searchText_, &QLineEdit::textChanged, this, [this] { searchTimer_.start(); });
    layout->addWidget(searchText_, 1);
    keepHistory_ = new QCheckBox(KeepHistoryText);
    keepHistory_->setObjectName(QStringLiteral("KeepHistory"));
    connect(keepHistory_, &QCheckBox::toggled, this, [this](bool keep) { library_.setRecording(keep); });
    layout->addWidget(keepHistory_);
    return row;
}

QAction* KitLibraryWindow::addKitAction(const QString& name, const QString& text, void (KitLibraryWindow::*command)())
{
    auto* action = new QAction(text, this);
    action->setIconText(text);  // a button keeps the "..." that says a dialog follows
    action->setObjectName(name + QStringLiteral("Action"));
    connect(action, &QAction::triggered, this, command);
    kits_->addAction(action);
    return action;
}

void KitLibraryWindow::setCompareText(const QString& text)
{
    compareAction_->setText(text);
    compareAction_->setIconText(text);
}

// The buttons and the table's context menu share one action each.
QWidget* KitLibraryWindow::buildActionRow()
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    const auto addButton = [&](const char* name, const char* text, void (KitLibraryWindow::*command)()) {
        auto* toolButton = new QToolButton;
        toolButton->setObjectName(QString::fromLatin1(name) + QStringLiteral("Btn"));
        auto* action = addKitAction(QString::fromLatin1(name), QString::fromLatin1(text), command);
        toolButton->setDefaultAction(action);
        layout->addWidget(toolButton);
        return action;
    };
    oneKitActions_.push_back(addButton("Open", "Open", &KitLibraryWindow::openChosen));
    oneKitActions_.push_back(addButton("Send", "Send", &KitLibraryWindow::sendChosen));
    kitActions_.push_back(addButton("AddToBatch", "Add to Batch List", &KitLibraryWindow::addChosenToBatchList));
    oneKitActions_.push_back(addButton("ShowInFolder", "Show in Folder", &KitLibraryWindow::showChosenInFolder));
    compareAction_ = addButton("Compare", "Compare with the Current Kit", &KitLibraryWindow::compareChosen);
    kitActions_.push_back(addButton("Export", "Export as .syx...", &KitLibraryWindow::exportChosen));
    kitActions_.push_back(addButton("Delete", "Delete", &KitLibraryWindow::deleteChosen));
    favouriteAction_ = addButton("Favourite", "Favourite", &KitLibraryWindow::toggleFavouriteChosen);
    favouriteAction_->setCheckable(true);
    oneKitActions_.push_back(favouriteAction_);
    layout->addStretch(1);
    return row;
}

QWidget* KitLibraryWindow::buildImportRow()
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    importButton_ = namedButton(QStringLiteral("ImportFolderBtn"), QStringLiteral("Import Folder..."));
    connect(importButton_, &QPushButton::clicked, this, &KitLibraryWindow::importTree);
    layout->addWidget(importButton_);
    importProgress_ = new JobProgress(QStringLiteral("ImportProgress"), QStringLiteral("CancelImportBtn"));
    layout->addWidget(importProgress_, 1);
    auto* receiveButton = namedButton(QStringLiteral("ReceiveKitsBtn"), QStringLiteral("Receive Kits..."));
    connect(receiveButton, &QPushButton::clicked, this, &KitLibraryWindow::receiveKits);
    layout->addWidget(receiveButton);
    layout->addStretch(1);
    return row;
}

// The chosen kit's history, then its note and tags, which the user edits here.
QWidget* KitLibraryWindow::buildDetailsPane()
{
    auto* pane = new QWidget;
    auto* layout = new QVBoxLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(history_, 1);
    layout->addWidget(new QLabel(QStringLiteral("Note and tags:")));
    noteText_ = new QPlainTextEdit;
    noteText_->setObjectName(QStringLiteral("NoteText"));
    noteText_->setPlaceholderText(QStringLiteral("Note"));
    noteText_->setFixedHeight(noteText_->fontMetrics().lineSpacing() * 4 + 12);
    layout->addWidget(noteText_);
    tagsText_ = new QLineEdit;
    tagsText_->setObjectName(QStringLiteral("TagsText"));
    tagsText_->setPlaceholderText(QStringLiteral("Tags, such as: live rock"));
    layout->addWidget(tagsText_);
    saveMarksButton_ = namedButton(QStringLiteral("SaveNoteBtn"), QStringLiteral("Save Note and Tags"));
    connect(saveMarksButton_, &QPushButton::clicked, this, &KitLibraryWindow::saveMarksOfChosen);
    layout->addWidget(saveMarksButton_, 0, Qt::AlignRight);
    return pane;
}

void KitLibraryWindow::open()
{
    library_.open();
    if (library_.isOpening()) {
        waitingForOpen_ = true;
        say(QStringLiteral("Opening the kit library..."));
    }
    {
        const QSignalBlocker quiet(keepHistory_);
        keepHistory_->setChecked(library_.recording());
    }
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
    search();
}

// A library that cannot be opened is said as a window that cannot open.
void KitLibraryWindow::openEnded(const QString& failure)
{
    if (!std::exchange(waitingForOpen_, false)) return;
    say(failure);
    if (failure.isEmpty()) return;
    desktop_.messageBox(failure, MessageStyle::Critical);
    close();
}

void KitLibraryWindow::closeEvent(QCloseEvent* event)
{
    importProgress_->cancel();
    if (receiveDialog_) receiveDialog_->close();
    selectionCommands_->cancel();
    event->accept();
}

void KitLibraryWindow::search()
{
    searchTimer_.stop();
    model_->setSearchText(searchText_->text());
}

// Words still waiting for their search are searched now, not dropped for
// the list's old words.
void KitLibraryWindow::refresh()
{
    refreshTimer_.stop();
    if (searchTimer_.isActive())
        search();
    else
        model_->refresh();
}

void KitLibraryWindow::refreshSoon()
{
    if (isVisible()) refreshTimer_.start();
}

// The chosen kit stays chosen while the list shows it, and its details are
// read again: its history may have grown.
void KitLibraryWindow::keepChoiceAfterListing()
{
    const int row = model_->rowOf(lastChosen_);
    if (row >= 0)
        kits_->selectRow(row);
    else
        selectionChanged();
}

const KitRow* KitLibraryWindow::selectedKit() const
{
    const int row = kits_->firstSelectedRow();
    return row < 0 ? nullptr : model_->kitAt(row);
}

QString KitLibraryWindow::selectedHash() const
{
    const KitRow* kit = selectedKit();
    return kit ? kit->hash : QString();
}

// Select All stands for every kit the search finds while the list holds
// only some of them.
SelectionSize KitLibraryWindow::selectionSize() const
{
    return {kits_->selectedRowCount(), kits_->everyRowSelected() && !model_->listedAll()};
}

// Picked rows come in the list's order.
KitSelection KitLibraryWindow::selection() const
{
    if (selectionSize().everyFound) return {{}, model_->search()};
    auto rows = kits_->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end());
    KitSelection chosen;
    for (const auto& index : rows)
        if (const KitRow* kit = model_->kitAt(index.row())) chosen.picked.push_back({kit->hash, kit->title});
    return chosen;
}

void KitLibraryWindow::selectionChanged()
{
    const QString hash = selectedHash();
    lastChosen_ = hash;
    // Several kits have no one history, note or tags to show.
    const bool several = selectionSize().isSeveral();
    showMarks(several ? nullptr : selectedKit());
    if (several || !chosen_ || chosen_->hash != hash) {
        chosen_.reset();
        history_->clear();
    }
    updateKitActions();
    if (hash.isEmpty() || several) return;
    library_.ask(
        this, [hash, title = selectedKit()->title](KitStore& store) { return detailsOf(store, hash, title); },
        [this, hash](const Result<KitDetails>& details) {
            // Unless the user has moved on, or the kit was deleted meanwhile.
            if (hash == selectedHash() && !selectionSize().isSeveral()) showDetails(details);
        });
}

void KitLibraryWindow::showDetails(const Result<KitDetails>& details)
{
    if (!details) {
        say(QString::fromStdString(details.error()));
        return;
    }
    chosen_ = details.value();
    history_->clear();
    for (const auto& event : chosen_->history) history_->addItem(historyLine(event));
    updateKitActions();
}

// A new listing of the same kit leaves its fields as the user is editing them.
void KitLibraryWindow::showMarks(const KitRow* kit)
{
    favouriteAction_->setChecked(kit && kit->favourite);
    for (QWidget* field : std::initializer_list<QWidget*>{noteText_, tagsText_, saveMarksButton_})
        field->setEnabled(kit != nullptr);
    const QString hash = kit ? kit->hash : QString();
    if (hash == std::exchange(marksShown_, hash)) return;
    noteText_->setPlainText(kit ? kit->note : QString());
    tagsText_->setText(kit ? kit->tags.join(QLatin1Char(' ')) : QString());
}


// One kit's actions wait for its details; several kits' need none.
void KitLibraryWindow::updateKitActions()
{
    const auto chosen = selectionSize();
    const bool oneShown = !chosen.isSeveral() && chosen.rows > 0 && chosen_;
    for (auto* action : kitActions_) action->setEnabled(oneShown || chosen.isSeveral());
    for (auto* action : oneKitActions_) action->setEnabled(oneShown);
    compareAction_->setEnabled(oneShown || chosen.isPair());
    setCompareText(chosen.isPair() ? QStringLiteral("Compare the Two Kits")
                                   : QStringLiteral("Compare with the Current Kit"));
}

void KitLibraryWindow::say(const QString& text)
{
    status_->setText(text);
    status_->setToolTip(text);
}

// A copy of the chosen kit is used throughout, as the list may be shown
// anew while a question is open.
void KitLibraryWindow::openChosen()
{
    if (!chosen_) return;
    const KitDetails kit = *chosen_;
    const auto file = fileHolding(kit);
    if (const auto opened = host_.openKit(kit.dump, file ? file.value() : QString()); !opened) {
        desktop_.messageBox(QString::fromStdString(opened.error()), MessageStyle::Plain);
        return;
    }
    say(QStringLiteral("%1 is the editor's kit now.").arg(quoted(kit.title)));
}

void KitLibraryWindow::sendChosen()
{
    if (!chosen_) return;
    const KitDetails kit = *chosen_;
    if (host_.sendKit(kit.dump, kit.title)) say(QStringLiteral("%1 was sent.").arg(quoted(kit.title)));
}

void KitLibraryWindow::addChosenToBatchList()
{
    if (selectionSize().isSeveral()) {
        selectionCommands_->addToBatchList(selection());
        return;
    }
    if (!chosen_) return;
    const auto file = fileHolding(*chosen_);
    if (!file) {
        desktop_.messageBox(QStringLiteral("The kit cannot be added to the batch list. ") +
                                QString::fromStdString(file.error()),
                            MessageStyle::Plain);
        return;
    }
    const QString path = quotedFile(file.value());
    say(host_.addToBatchList({file.value()}) == 1 ? QStringLiteral("%1 was added to the batch list.").arg(path)
                                                  : QStringLiteral("%1 is on the batch list already.").arg(path));
}

void KitLibraryWindow::showChosenInFolder()
{
    if (!chosen_) return;
    const auto file = fileHolding(*chosen_);
    if (!file) {
        desktop_.messageBox(QString::fromStdString(file.error()), MessageStyle::Plain);
        return;
    }
    const QString folder = QFileInfo(file.value()).absolutePath();
    if (!desktop_.openUrl(QUrl::fromLocalFile(folder)))
        desktop_.messageBox(QStringLiteral("The file manager could not be opened at %1.").arg(quotedFile(folder)),
                            MessageStyle::Plain);
}

void KitLibraryWindow::compareChosen()
{
    if (selectionSize().isPair()) {
        const auto chosen = selection();
        compareTwo(chosen.picked[0], chosen.picked[1]);
        return;
    }
    if (!chosen_) return;
    const KitDetails kit = *chosen_;
    const auto current = host_.currentKit();
    if (!current) {
        desktop_.messageBox(QStringLiteral("There is no current kit to compare with. Open a kit or receive one "
                                           "from your Morvane first."),
                            MessageStyle::Plain);
        return;
    }
    const auto fields = decodeKit(kit.dump);
    if (!fields) {
        desktop_.messageBox(QString::fromStdString(fields.error()), MessageStyle::Plain);
        return;
    }
    const auto rows = differenceRows(diffKits(*current, {kit.dump, fields.value()}));
    if (rows.empty()) {
        desktop_.messageBox(QStringLiteral("The kit %1 is the same as the current kit.").arg(quoted(kit.title)),
                            MessageStyle::Information);
        return;
    }
    showComparison(QStringLiteral("Compare with the Current Kit"), QStringLiteral("Current kit"), quoted(kit.title),
                   rows);
}

void KitLibraryWindow::compareTwo(const ChosenKit& first, const ChosenKit& second)
{
    library_.ask(
        this, [first, second](KitStore& store) { return diffStoredKits(store, first.hash, second.hash); },
        [this, first, second](const Result<KitDiff>& diff) {
            if (!diff) {
                desktop_.messageBox(QString::fromStdString(diff.error()), MessageStyle::Plain);
                return;
            }
            showComparison(QStringLiteral("Compare Two Kits"), quoted(first.title), quoted(second.title),
                           differenceRows(diff.value()));
        });
}

void KitLibraryWindow::showComparison(const QString& title, const QString& firstHeading, const QString& secondHeading,
                                      const std::vector<DifferenceRow>& rows)
{
    auto* dialog = new QDialog(this);
    dialog->setObjectName(QStringLiteral("KitComparison"));
    dialog->setWindowTitle(title);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    auto* table = new QTableWidget(static_cast<int>(rows.size()), 3, dialog);
    table->setHorizontalHeaderLabels({QString(), firstHeading, secondHeading});
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    int r = 0;
    for (const auto& row : rows) {
        int column = 0;
        for (const QString& text : {row.field, row.current, row.chosen})
            table->setItem(r, column++, new QTableWidgetItem(text));
        ++r;
    }
    table->resizeColumnsToContents();
    table->horizontalHeader()->setStretchLastSection(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, dialog);
    connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::close);
    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(table);
    layout->addWidget(buttons);
    dialog->resize(420, 360);
    dialog->show();
}

void KitLibraryWindow::exportChosen()
{
    if (selectionSize().isSeveral()) {
        selectionCommands_->exportKits(selection());
        return;
    }
    if (!chosen_) return;
    const KitDetails kit = *chosen_;
    const auto path = desktop_.saveFileName({KitFileFilter, {}});
    if (!path) return;
    if (const auto saved = saveWholeFile(toFilePath(*path), kit.dump); !saved) {
        desktop_.messageBox(QString::fromStdString(saved.error()), MessageStyle::Plain);
        return;
    }
    library_.kitSaved(kit.dump, QDir::toNativeSeparators(*path).toStdString());
    say(QStringLiteral("%1 was saved to %2.").arg(quoted(kit.title), quotedFile(*path)));
}

void KitLibraryWindow::deleteChosen()
{
    if (selectionSize().isSeveral()) {
        selectionCommands_->remove(selection());
        return;
    }
    if (!chosen_) return;
    const KitDetails kit = *chosen_;
    const auto answer = desktop_.messageBox(
        QStringLiteral("Delete the kit %1 and its history from the library? No file is deleted.")
            .arg(quoted(kit.title)),
        MessageStyle::YesNo, QStringLiteral("Delete Kit"));
    if (answer != MessageAnswer::Yes) return;
    library_.ask(
        this, [hash = kit.hash](KitStore& store) { return store.remove(hash); },
        [this, title = kit.title](const Status& removed) {
            if (!removed) {
                desktop_.messageBox(QString::fromStdString(removed.error()), MessageStyle::Plain);
                return;
            }
            say(QStringLiteral("The kit %1 was deleted from the library.").arg(quoted(title)));
            refresh();
        });
}

void KitLibraryWindow::starClicked(const QModelIndex& index)
{
    if (index.column() != static_cast<int>(KitColumn::Favourite)) return;
    if (const KitRow* kit = model_->kitAt(index.row())) setFavourite(*kit, !kit->favourite);
}

void KitLibraryWindow::toggleFavouriteChosen()
{
    if (const KitRow* kit = selectedKit()) setFavourite(*kit, !kit->favourite);
}

// The star shows once the library has it: the list is read again.
void KitLibraryWindow::setFavourite(const KitRow& kit, bool favourite)
{
    library_.ask(
        this, [hash = kit.hash, favourite](KitStore& store) { return store.setFavourite(hash, favourite); },
        [this, title = kit.title, favourite](const Status& set) {
            say(!set         ? QString::fromStdString(set.error())
                : favourite ? QStringLiteral("%1 is a favourite now.").arg(quoted(title))
                            : QStringLiteral("%1 is no longer a favourite.").arg(quoted(title)));
            refresh();
        });
}

void KitLibraryWindow::saveMarksOfChosen()
{
    const KitRow* kit = selectedKit();
    if (!kit) return;
    library_.ask(
        this,
        [kit = *kit, note = noteText_->toPlainText(), tags = tagsText_->text()](KitStore& store) {
            return saveNoteAndTags(store, kit, note, tags);
        },
        [this, title = kit->title](const Status& saved) {
            say(saved ? QStringLiteral("The note and tags of %1 were saved.").arg(quoted(title))
                      : QString::fromStdString(saved.error()));
            if (saved) marksShown_.clear();  // the fields show them as kept
            refresh();
        });
}

// The import runs on the library's thread; its progress comes back here.
void KitLibraryWindow::importTree()
{
    if (importProgress_->running()) return;
    const auto folder = desktop_.folderName(importStart_.isEmpty() ? QDir::homePath() : importStart_);
    if (!folder) return;
    importStart_ = *folder;
    importButton_->setEnabled(false);
    library_.ask(
        this,
        [progress =
             library_.progressTo(this, [this](int done, int total) { importProgress_->showCount(done, total); }),
         folder = *folder, cancel = importProgress_->start()](KitStore& store) {
            return importFolder(store, folder, progress, *cancel);
        },
        [this, folder = *folder](const Result<ImportSummary>& summary) { importFinished(folder, summary); });
}

void KitLibraryWindow::importFinished(const QString& folder, const Result<ImportSummary>& summary)
{
    importProgress_->finish();
    importButton_->setEnabled(true);
    refresh();  // the kits show behind the summary, not only once it is closed
    if (summary)
        desktop_.messageBox(importSummaryText(folder, summary.value()), MessageStyle::Information,
                            QStringLiteral("Import Folder"));
    else
        desktop_.messageBox(QString::fromStdString(summary.error()), MessageStyle::Plain);
}

// One receive at a time: a second click shows the one still listening.
void KitLibraryWindow::receiveKits()
{
    if (receiveDialog_ && receiveDialog_->listening()) {
        receiveDialog_->show();
        receiveDialog_->raise();
        receiveDialog_->activateWindow();
        return;
    }
    const auto input = host_.listeningInput();
    if (!input) {
        desktop_.messageBox(QString::fromStdString(input.error()), MessageStyle::Exclamation);
        return;
    }
    delete receiveDialog_;
    auto* session = new KitReceiveSession(library_, input.value());
    connect(session, &KitReceiveSession::recorded, this, &KitLibraryWindow::refreshSoon);
    receiveDialog_ = new ReceiveKitsDialog(session, this);
    receiveDialog_->show();
}

}  // namespace morvane::library
