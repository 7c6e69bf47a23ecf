#pragma once

#include "library/KitListModel.h"
#include "library/KitSelection.h"
#include "library/LibraryView.h"

#include <QMainWindow>
#include <QPointer>
#include <QTimer>

#include <optional>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QModelIndex;
class QPlainTextEdit;
class QPushButton;

namespace morvane {
class Desktop;
}

namespace morvane::library {

class EditorLibrary;
class JobProgress;
class KitTable;
class LibraryHost;
class ReceiveKitsDialog;
class SelectionCommands;

// KitLibraryWindow: the kits the library keeps, searched as the user types,
// with the chosen kit's history and what can be done with it. Created once
// and reused; it never changes a kit file, and the editor's kit only when
// the user opens a kit. Closing it hides it and cancels an import.
class KitLibraryWindow final : public QMainWindow {
    Q_OBJECT
public:
    KitLibraryWindow(Desktop& desktop, EditorLibrary& library, LibraryHost& host, QWidget* parent = nullptr);
    ~KitLibraryWindow() override;

    // Shows the window at once, saying so while the library opens beside it,
    // or says why the library cannot be opened and closes again.
    void open();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void openEnded(const QString& failure);
    void buildControls();
    QWidget* buildSearchRow();
    QWidget* buildActionRow();
    QWidget* buildImportRow();
    QWidget* buildDetailsPane();
    QAction* addKitAction(const QString& name, const QString& text, void (KitLibraryWindow::*command)());
    void setCompareText(const QString& text);

    void buildKitTable();
    void search();
    void refresh();
    void refreshSoon();
    void keepChoiceAfterListing();
    const KitRow* selectedKit() const;
    QString selectedHash() const;
    SelectionSize selectionSize() const;
    KitSelection selection() const;
    void selectionChanged();
    void showDetails(const Result<KitDetails>& details);
    void showMarks(const KitRow* kit);
    void updateKitActions();
    void say(const QString& text);

    void openChosen();
    void sendChosen();
    void addChosenToBatchList();
    void showChosenInFolder();
    void compareChosen();
    void compareTwo(const ChosenKit& first, const ChosenKit& second);
    void showComparison(const QString& title, const QString& firstHeading, const QString& secondHeading,
                        const std::vector<DifferenceRow>& rows);
    void exportChosen();
    void deleteChosen();
    void starClicked(const QModelIndex& index);
    void toggleFavouriteChosen();
    void setFavourite(const KitRow& kit, bool favourite);
    void saveMarksOfChosen();
    void importTree();
    void importFinished(const QString& folder, const Result<ImportSummary>& summary);
    void receiveKits();

    Desktop& desktop_;
    EditorLibrary& library_;
    LibraryHost& host_;
    QTimer searchTimer_;
    QTimer refreshTimer_;  // gathers the library's changes of a burst into one listing
    KitListModel* model_;
    QString lastChosen_;  // kept chosen across a new listing when it is listed
    std::optional<KitDetails> chosen_;  // the selected kit, once its details came
    QString importStart_;
    bool waitingForOpen_ = false;  // the window said the library is opening
    QString marksShown_;  // the kit whose note and tags the fields hold, kept while the user edits them

    QLineEdit* searchText_;
    QCheckBox* keepHistory_;
    KitTable* kits_;
    QListWidget* history_;
    std::vector<QAction*> kitActions_;     // those that act on one kit or on several
    std::vector<QAction*> oneKitActions_;  // those that act on one kit only
    QAction* compareAction_;  // one kit with the editor's, or two with each other
    QAction* favouriteAction_;
    QPlainTextEdit* noteText_;
    QLineEdit* tagsText_;
    QPushButton* saveMarksButton_;
    SelectionCommands* selectionCommands_;
    QPushButton* importButton_;
    JobProgress* importProgress_;
    QPointer<ReceiveKitsDialog> receiveDialog_;  // the latest receive, kept to be read after Stop
    QLabel* status_;
};

}  // namespace morvane::library
