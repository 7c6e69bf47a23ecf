#include "FolderBrowser.h"

#include "search/FolderSearch.h"
#include "platform/Desktop.h"
#include "platform/FilePath.h"

#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QListWidget>
#include <QStorageInfo>
#include <QStyle>
#include <QTreeWidget>

#include <algorithm>

namespace morvane {
namespace {

constexpr int FolderPathRole = Qt::UserRole;

NativePathText nativePath(const QString& path) { return toFilePath(path).native(); }

QStringList sortedByName(QStringList names)
{
    std::sort(names.begin(), names.end(), [](const QString& left, const QString& right) {
        return comesBeforeByName(nativePath(left), nativePath(right));
    });
    return names;
}

QString folderLabel(const QString& path)
{
    const QString name = QDir(path).dirName();
    return name.isEmpty() || QDir(path).isRoot() ? QDir::toNativeSeparators(path) : name;
}

QString driveLabel(const QStorageInfo& volume)
{
    const QString root = QDir::toNativeSeparators(volume.rootPath());
    const QString name = volume.displayName();
    return name.isEmpty() || name == volume.rootPath() ? root
                                                       : root + QStringLiteral("  [") + name + QStringLiteral("]");
}

}  // namespace

FolderBrowser::FolderBrowser(Desktop& desktop, QWidget* parent)
    : QWidget(parent), desktop_(desktop), drive1_(new QComboBox), dir1_(new QTreeWidget), file1_(new QListWidget)
{
    setObjectName(QStringLiteral("FolderBrowser"));
    drive1_->setObjectName(QStringLiteral("Drive1"));
    connect(drive1_, &QComboBox::activated, this, &FolderBrowser::Drive1_Change);

    dir1_->setObjectName(QStringLiteral("Dir1"));
    dir1_->setHeaderHidden(true);
    dir1_->setExpandsOnDoubleClick(false);
    connect(dir1_, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { Dir1_Open(item->data(0, FolderPathRole).toString()); });

    file1_->setObjectName(QStringLiteral("File1"));
    file1_->setSelectionMode(QAbstractItemView::ExtendedSelection);

    // The window stretches the labels above and the buttons below these two
    // columns by the same 3:2; a width asked for by a list would set them apart.
    for (QWidget* control : std::initializer_list<QWidget*>{drive1_, dir1_, file1_})
        control->setSizePolicy(QSizePolicy::Ignored, control->sizePolicy().verticalPolicy());
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(drive1_, 0, 0);
    layout->addWidget(dir1_, 1, 0);
    layout->addWidget(file1_, 0, 1, 2, 1);
    layout->setColumnStretch(0, 3);
    layout->setColumnStretch(1, 2);
    layout->setRowStretch(1, 1);
}

// The drives and the home folder are listed when first shown, not for a
// window built hidden (to take a file from the kit library).
void FolderBrowser::showEvent(QShowEvent* event)
{
    if (!listed_) {
        listed_ = true;
        fillDrives();
        Dir1_Open(QDir::homePath());
    }
    QWidget::showEvent(event);
}

void FolderBrowser::fillDrives()
{
    auto volumes = QStorageInfo::mountedVolumes();
    std::sort(volumes.begin(), volumes.end(),
              [](const QStorageInfo& a, const QStorageInfo& b) { return a.rootPath() < b.rootPath(); });
    for (const auto& volume : volumes)
        if (volume.isValid()) drive1_->addItem(driveLabel(volume), volume.rootPath());
}

void FolderBrowser::Drive1_Change()
{
    const QString root = drive1_->currentData().toString();
    if (!QStorageInfo(root).isReady() || !QDir(root).isReadable()) {
        desktop_.messageBox(QStringLiteral("The drive %1 is not ready.").arg(QDir::toNativeSeparators(root)),
                            MessageStyle::Plain);
        showFolderTree();
        return;
    }
    Dir1_Open(root);
}

void FolderBrowser::Dir1_Open(const QString& folder)
{
    const QDir dir(folder);
    if (!dir.exists() || !dir.isReadable()) {
        desktop_.messageBox(QStringLiteral("The folder \"%1\" cannot be read.").arg(QDir::toNativeSeparators(folder)),
                            MessageStyle::Plain);
        return;
    }
    openFolder_ = dir.absolutePath();
    showFolderTree();
    listKitDumpFiles();
}

// The open folder with the folders above it up to its drive, as one branch,
// and its own subfolders below it.
void FolderBrowser::showFolderTree()
{
    const QString driveRoot = QStorageInfo(openFolder_).rootPath();
    if (const int drive = drive1_->findData(driveRoot); drive >= 0) drive1_->setCurrentIndex(drive);

    QStringList branch;
    for (QDir dir(openFolder_);; dir.cdUp()) {
        branch.prepend(dir.absolutePath());
        if (dir.absolutePath() == driveRoot || dir.isRoot()) break;
    }
    dir1_->clear();
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    QTreeWidgetItem* item = nullptr;
    for (const QString& path : branch) {
        auto* next = item ? new QTreeWidgetItem(item) : new QTreeWidgetItem(dir1_);
        next->setText(0, folderLabel(path));
        next->setIcon(0, openIcon);
        next->setData(0, FolderPathRole, path);
        item = next;
    }
    const QDir open(openFolder_);
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirIcon);
    for (const QString& name : sortedByName(open.entryList(QDir::Dirs | QDir::NoDotAndDotDot))) {
        auto* child = new QTreeWidgetItem(item);
        child->setText(0, name);
        child->setIcon(0, closedIcon);
        child->setData(0, FolderPathRole, open.filePath(name));
    }
    dir1_->expandAll();
    dir1_->setCurrentItem(item);
}

void FolderBrowser::listKitDumpFiles()
{
    QStringList kitDumps;
    for (const QString& name : QDir(openFolder_).entryList(QDir::Files))
        if (matchesKitDumpPattern(nativePath(name))) kitDumps << name;
    file1_->clear();
    file1_->addItems(sortedByName(kitDumps));
}

QString FolderBrowser::highlightedFolder() const
{
    const auto* item = dir1_->currentItem();
    return item ? item->data(0, FolderPathRole).toString() : openFolder_;
}

std::vector<std::filesystem::path> FolderBrowser::selectedFiles() const
{
    const NativePathText folder = nativePath(openFolder_);
    std::vector<std::filesystem::path> files;
    for (int row = 0; row < file1_->count(); ++row) {
        const auto* item = file1_->item(row);
        if (item->isSelected()) files.emplace_back(joinFolderAndName(folder, nativePath(item->text())));
    }
    return files;
}

}  // namespace morvane
