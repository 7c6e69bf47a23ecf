#pragma once

#include "JobProgress.h"
#include "library/KitSelection.h"

#include <QWidget>


class QLabel;

namespace morvane {
class Desktop;
}

namespace morvane::library {

class EditorLibrary;
class LibraryHost;

// Under the library's table: what the window's buttons do with several kits
// at once. The kits are gathered, written and taken out on the library's
// thread; meanwhile this row shows what is done and offers Cancel, and is
// hidden otherwise. One such command runs at a time.
class SelectionCommands final : public QWidget {
    Q_OBJECT
public:
    SelectionCommands(Desktop& desktop, EditorLibrary& library, LibraryHost& host, QWidget* parent = nullptr);
    // A command still running would keep the program from ending.
    ~SelectionCommands() override;

    // Each .syx file into a folder the user chooses, asking before any file is replaced.
    void exportKits(const KitSelection& selection);
    // Each kit's file, for kits still held by one.
    void addToBatchList(const KitSelection& selection);
    // After one question naming how many.
    void remove(const KitSelection& selection);
    void cancel();

signals:
    // An outcome for the status line.
    void said(const QString& text);
    // Kits were taken out, or files recorded: the list is to be read again.
    void libraryChanged();

private:
    template <typename Job, typename Done>
    void run(const QString& what, Job job, Done done);
    bool busy();
    // The kits were gathered, unless the user cancelled meanwhile.
    bool gathered();
    void exportPlanned(const ExportPlan& plan);
    void removeCounted(const std::vector<ChosenKit>& kits);
    void tell(const QString& text, bool wholly, const QString& title);

    Desktop& desktop_;
    EditorLibrary& library_;
    LibraryHost& host_;
    bool cancelled_ = false;  // the last run was cancelled
    QString exportStart_;
    QLabel* what_;
    JobProgress* progress_;
};

}  // namespace morvane::library
