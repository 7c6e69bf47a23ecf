#include "BatchWindow.h"

#include "FolderBrowser.h"

#include "base/Text.h"
#include "batch/BatchSet.h"
#include "batch/BatchTexts.h"
#include "platform/Desktop.h"
#include "platform/FilePath.h"
#include "platform/widgets/WidgetStyle.h"

#include <QAction>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace morvane {
namespace {

const QString BatchSetFilter = QStringLiteral("Batch Sets (*.txt)");

QLabel* wrappedLabel(const QString& objectName, const QString& text)
{
    auto* label = new QLabel(text);
    label->setObjectName(objectName);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

}  // namespace

BatchWindow::BatchWindow(Desktop& desktop, MidiDevices& devices, KitHistory& history, QWidget* parent)
    : QMainWindow(parent, Qt::Window), desktop_(desktop), sender_(list_, *this, desktop, devices, history)
{
    setObjectName(QStringLiteral("BatchSysexDump"));
    setWindowTitle(QStringLiteral("Send Multiple Sysex Kit Dumps (Batch)"));
    buildControls();
    buildFileMenu();
    resize(920, 580);
}

void BatchWindow::open()
{
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void BatchWindow::buildControls()
{
    auto* central = new QWidget;
    auto* columns = new QGridLayout;
    columns->addWidget(
        wrappedLabel(QStringLiteral("Label1"),
                     QStringLiteral("Select a folder containing .syx files to be sent. Double-click it to "
                                    "display its .syx files. Click \"Add Entire Directory To List\" if "
                                    "you wish to send all of the .syx files in that folder and its "
                                    "subfolders.")),
        0, 0);
    columns->addWidget(wrappedLabel(QStringLiteral("Label2"),
                                    QStringLiteral("Select .syx file(s) to be sent. Then click the \"Add to list\" "
                                                   "button.")),
                       0, 1);
    fileLabel_ = wrappedLabel(QStringLiteral("FileLabel"), QStringLiteral("Kit dumps to send"));
    fileLabel_->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    columns->addWidget(fileLabel_, 0, 2);

    // Stretched as the browser stretches its own two columns, so each label
    // and button stands over or under its list.
    browser_ = new FolderBrowser(desktop_);
    columns->addWidget(browser_, 1, 0, 1, 2);

    sysexList_ = new QListWidget;
    sysexList_->setObjectName(QStringLiteral("SysexList"));
    sysexList_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    sysexList_->installEventFilter(this);
    columns->addWidget(sysexList_, 1, 2);

    auto* dirAddBtn = namedButton(QStringLiteral("DirAddBtn"), QStringLiteral("Add Entire Directory To List"));
    connect(dirAddBtn, &QPushButton::clicked, this, &BatchWindow::DirAddBtn_Click);
    columns->addWidget(dirAddBtn, 2, 0);
    auto* fileAddBtn = namedButton(QStringLiteral("FileAddBtn"), QStringLiteral("Add File(s) To List"));
    connect(fileAddBtn, &QPushButton::clicked, this, &BatchWindow::FileAddBtn_Click);
    columns->addWidget(fileAddBtn, 2, 1);

    columns->setColumnStretch(0, 3);
    columns->setColumnStretch(1, 2);
    columns->setColumnStretch(2, 4);
    columns->setRowStretch(1, 1);

    auto* layout = new QVBoxLayout(central);
    layout->addLayout(columns, 1);
    layout->addWidget(buildSendRow());
    pleaseWaitLabel_ = new QLabel;
    pleaseWaitLabel_->setObjectName(QStringLiteral("PleaseWaitLabel"));
    pleaseWaitLabel_->setAlignment(Qt::AlignCenter);
    pleaseWaitLabel_->setWordWrap(true);
    pleaseWaitLabel_->setFont(designFont(12, true));
    setTextColor(pleaseWaitLabel_, Qt::blue);
    pleaseWaitLabel_->setMinimumHeight(2 * pleaseWaitLabel_->fontMetrics().lineSpacing());
    // Its place stays reserved, so nothing jumps when the first text appears.
    QSizePolicy keepPlace = pleaseWaitLabel_->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    pleaseWaitLabel_->setSizePolicy(keepPlace);
    pleaseWaitLabel_->hide();
    layout->addWidget(pleaseWaitLabel_);
    setCentralWidget(central);
}

QWidget* BatchWindow::buildSendRow()
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* label3 = new QLabel(QStringLiteral("Milliseconds to delay between sending each kit:"));
    label3->setObjectName(QStringLiteral("Label3"));
    layout->addWidget(label3);
    sendDelayText_ = new QLineEdit(QStringLiteral("1400"));
    sendDelayText_->setObjectName(QStringLiteral("SendDelayText"));
    sendDelayText_->setMaximumWidth(sendDelayText_->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")));
    label3->setBuddy(sendDelayText_);
    layout->addWidget(sendDelayText_);
    layout->addStretch(1);
    auto* sendSysexBtn = namedButton(QStringLiteral("SendSysexBtn"), QStringLiteral("Send Sysex"));
    connect(sendSysexBtn, &QPushButton::clicked, this, &BatchWindow::SendSysexBtn_Click);
    layout->addWidget(sendSysexBtn);
    auto* stopBtn = namedButton(QStringLiteral("StopBtn"), QStringLiteral("Stop Send"));
    connect(stopBtn, &QPushButton::clicked, this, &BatchWindow::StopBtn_Click);
    layout->addWidget(stopBtn);
    return row;
}

void BatchWindow::buildFileMenu()
{
    auto* menu = menuBar()->addMenu(QStringLiteral("&File"));
    menu->setObjectName(QStringLiteral("mnuFile"));
    const auto addItem = [&](const QString& name, const QString& text, const QKeySequence& keys, auto handler) {
        menu->addAction(text, keys, this, handler)->setObjectName(name);
    };
    addItem(QStringLiteral("mnuFile_Open"), QStringLiteral("Open (Batch Set)"), QKeySequence(Qt::CTRL | Qt::Key_O),
            &BatchWindow::mnuFile_Open_Click);
    addItem(QStringLiteral("mnuFile_Save"), QStringLiteral("Save (Batch Set)"), QKeySequence(Qt::CTRL | Qt::Key_S),
            &BatchWindow::mnuFile_Save_Click);
    addItem(QStringLiteral("mnuFile_SaveAs"), QStringLiteral("Save As... (Batch Set)"), QKeySequence(),
            &BatchWindow::mnuFile_SaveAs_Click);
    menu->addSeparator();
    addItem(QStringLiteral("mnuFile_Close"), QStringLiteral("Close Window"), QKeySequence(), &BatchWindow::close);
}

void BatchWindow::FileAddBtn_Click()
{
    for (const auto& file : browser_->selectedFiles()) list_.add(pathToUtf8(file));
    showNewEntries();
    showEntryCount();
}

std::size_t BatchWindow::addFiles(const std::vector<QString>& paths)
{
    const auto added = static_cast<std::size_t>(std::count_if(
        paths.begin(), paths.end(), [this](const QString& path) { return list_.add(pathToUtf8(toFilePath(path))); }));
    showNewEntries();
    showEntryCount();
    return added;
}

void BatchWindow::DirAddBtn_Click()
{
    // The search lets events through; a second click meanwhile would nest a
    // second search inside the first.
    if (searching_) return;
    searching_ = true;
    stopSearch_ = false;
    showProgress(SearchingFolderText);
    desktop_.processEvents();
    const auto result = addFolderTree(list_, toFilePath(browser_->highlightedFolder()), [this] {
        showNewEntries();
        desktop_.processEvents();
        return !stopSearch_;
    });
    searching_ = false;
    showNewEntries();
    showProgress(kitDumpsAddedText(result.added));
    showEntryCount();
    reportUnreadableFolders(result.unreadableFolders);
}

// SysexList shows the list's first entries; anything added since is appended.
void BatchWindow::showNewEntries()
{
    QStringList added;
    for (auto row = static_cast<std::size_t>(sysexList_->count()); row < list_.size(); ++row)
        added << QString::fromStdString(list_[row]);
    sysexList_->addItems(added);
}

void BatchWindow::showEntryCount() { fileLabel_->setText(kitDumpsToSendText(list_.size())); }

void BatchWindow::reportUnreadableFolders(const std::vector<std::string>& folders)
{
    if (folders.empty()) return;
    QStringList lines;
    for (const auto& folder : folders) lines << QString::fromStdString(folder);
    desktop_.messageBox(listedText(QStringLiteral("These folders could not be read and were skipped:"), lines),
                        MessageStyle::Plain);
}

void BatchWindow::SysexList_KeyDown(int key)
{
    if (key != Qt::Key_Delete) return;
    std::vector<std::size_t> rows;
    for (const QModelIndex& index : sysexList_->selectionModel()->selectedRows())
        rows.push_back(static_cast<std::size_t>(index.row()));
    if (rows.empty()) return;
    std::sort(rows.begin(), rows.end());
    list_.removeRows(rows);
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) delete sysexList_->takeItem(static_cast<int>(*row));
    highlightEntry(selectionAfterRemoval(rows.front(), list_.size()));
    showEntryCount();
}

void BatchWindow::SendSysexBtn_Click() { sender_.sendAll(); }

void BatchWindow::StopBtn_Click() { sender_.requestStop(); }

// A search of a whole disk could otherwise keep a closed program running.
void BatchWindow::closeEvent(QCloseEvent* event)
{
    stopSearch_ = searching_;
    sender_.requestStop();
    event->accept();
}

bool BatchWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == sysexList_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        SysexList_KeyDown(key);
        if (key == Qt::Key_Delete) return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void BatchWindow::mnuFile_Open_Click()
{
    const auto path = desktop_.openFileName({BatchSetFilter, batchSetStartPath(), true});
    if (!path) return;
    const auto entries = readBatchSet(toFilePath(*path));
    if (!entries) {
        desktop_.messageBox(QString::fromStdString(entries.error()), MessageStyle::Plain);
        return;
    }
    batchSetPath_ = *path;
    replaceList(entries.value());
}

void BatchWindow::mnuFile_Save_Click()
{
    if (batchSetPath_.isEmpty())
        mnuFile_SaveAs_Click();
    else
        saveBatchSetTo(batchSetPath_);
}

void BatchWindow::mnuFile_SaveAs_Click()
{
    const auto path = desktop_.saveFileName({BatchSetFilter, batchSetStartPath()});
    if (path) saveBatchSetTo(*path);
}

// The batch set's own file once there is one, else the folder being browsed.
QString BatchWindow::batchSetStartPath() const
{
    return batchSetPath_.isEmpty() ? browser_->openFolder() : batchSetPath_;
}

void BatchWindow::replaceList(const std::vector<std::string>& entries)
{
    list_.clear();
    sysexList_->clear();
    for (const auto& entry : entries) list_.add(entry);
    showNewEntries();
    showEntryCount();
}

void BatchWindow::saveBatchSetTo(const QString& path)
{
    if (const auto saved = saveBatchSet(toFilePath(path), list_.entries()); !saved) {
        desktop_.messageBox(QString::fromStdString(saved.error()), MessageStyle::Plain);
        return;
    }
    batchSetPath_ = path;
}

QString BatchWindow::delayText() const { return sendDelayText_->text(); }

void BatchWindow::showProgress(const QString& text)
{
    pleaseWaitLabel_->setText(text);
    pleaseWaitLabel_->show();
}

void BatchWindow::highlightEntry(std::optional<std::size_t> row)
{
    if (row)
        sysexList_->setCurrentRow(static_cast<int>(*row), QItemSelectionModel::ClearAndSelect);
    else
        sysexList_->clearSelection();
}

}  // namespace morvane
