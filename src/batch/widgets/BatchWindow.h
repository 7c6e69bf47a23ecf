#pragma once

#include "batch/BatchList.h"
#include "batch/BatchSender.h"

#include <QMainWindow>

class QLabel;
class QLineEdit;
class QListWidget;

namespace morvane {

class Desktop;
class FolderBrowser;
class KitHistory;
class MidiDevices;

// BatchSysexDump: gathers .syx files from the machine's folders into a list
// and sends them one after the other. Created once and reused; closing it
// hides it, keeps its list, ends a folder search before the next folder and
// stops a running send before the next file.
class BatchWindow final : public QMainWindow, private BatchSendPanel {
    Q_OBJECT
public:
    BatchWindow(Desktop& desktop, MidiDevices& devices, KitHistory& history, QWidget* parent = nullptr);

    // Shows the window without blocking the others, or brings it forward.
    void open();
    void FileAddBtn_Click();
    // Appends the files to the list, as "Add File(s) To List" does; returns
    // how many were not listed already.
    std::size_t addFiles(const std::vector<QString>& paths);
    void DirAddBtn_Click();
    void SysexList_KeyDown(int key);
    void SendSysexBtn_Click();
    void StopBtn_Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    QWidget* buildSendRow();
    void buildFileMenu();
    void showNewEntries();
    void showEntryCount();
    void reportUnreadableFolders(const std::vector<std::string>& folders);

    void mnuFile_Open_Click();
    void mnuFile_Save_Click();
    void mnuFile_SaveAs_Click();
    QString batchSetStartPath() const;
    void replaceList(const std::vector<std::string>& entries);
    void saveBatchSetTo(const QString& path);

    QString delayText() const override;
    void showProgress(const QString& text) override;
    void highlightEntry(std::optional<std::size_t> row) override;

    Desktop& desktop_;
    BatchList list_;
    BatchSender sender_;
    QString batchSetPath_;
    bool searching_ = false;
    bool stopSearch_ = false;

    FolderBrowser* browser_;
    QListWidget* sysexList_;
    QLabel* pleaseWaitLabel_;
    QLabel* fileLabel_;
    QLineEdit* sendDelayText_;
};

}  // namespace morvane
