#pragma once

#include <QWidget>

#include <filesystem>
#include <vector>

class QComboBox;
class QListWidget;
class QTreeWidget;

namespace morvane {

class Desktop;

// Drive1, Dir1 and File1: the machine's drives, the open folder's branch
// with its subfolders, and the open folder's .syx files. Names are shown in
// the folder search's order, so what the lists show is what a search adds.
class FolderBrowser final : public QWidget {
    Q_OBJECT
public:
    explicit FolderBrowser(Desktop& desktop, QWidget* parent = nullptr);

    void Dir1_Open(const QString& folder);
    void Drive1_Change();

    // The folder Dir1 shows open and File1 lists.
    const QString& openFolder() const { return openFolder_; }
    // The folder highlighted in Dir1; the open one when none is.
    QString highlightedFolder() const;
    // The files selected in File1, spelled as the folder search spells them.
    std::vector<std::filesystem::path> selectedFiles() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void fillDrives();
    void showFolderTree();
    void listKitDumpFiles();

    Desktop& desktop_;
    QString openFolder_;
    bool listed_ = false;
    QComboBox* drive1_;
    QTreeWidget* dir1_;
    QListWidget* file1_;
};

}  // namespace morvane
