#pragma once

#include "editor/widgets/MainWindow.h"
#include "kit/KitHistory.h"
#include "library/LibraryHost.h"

#include <QObject>

#include <functional>
#include <memory>
#include <vector>

namespace morvane {

class BatchWindow;
class Desktop;
class Settings;

namespace library {
class EditorLibrary;
class KitLibraryWindow;
}  // namespace library

// File > Print (Ctrl+P) prints the main window's kit sheet, and File > Export
// Kit Sheet as PDF... saves it as a PDF file.
void attachPrintCommand(MainWindow& main, Desktop& desktop);

// The settings tell on the main window's status line that they could
// not be saved.
void attachSettingsNotice(MainWindow& main, Settings& settings);

// The library tells its troubles on the main window's status line.
void attachLibrary(MainWindow& main, library::EditorLibrary& library);

// The kit history the windows tell while the library has not started up
// (it does after the main window's first paint): what they tell before,
// such as the kit named on the command line, waits and is passed on, in
// order, on release().
class StartUpKitHistory final : public KitHistory {
public:
    explicit StartUpKitHistory(KitHistory& history) : history_(history) {}

    // Passes on what waited, and from now on everything at once.
    void release();

    void kitOpened(const KitDump& dump, const std::string& path) override;
    void kitSaved(const KitDump& dump, const std::string& path) override;
    void kitReceived(const KitDump& dump, const std::string& device) override;
    void kitSent(const KitDump& dump, const std::string& device) override;

private:
    using Event = void (KitHistory::*)(const KitDump&, const std::string&);
    struct Waiting {
        Event event;
        KitDump dump;
        std::string place;
    };
    void tell(Event event, const KitDump& dump, const std::string& place);

    KitHistory& history_;
    bool released_ = false;
    std::vector<Waiting> waiting_;
};

// The library window's way to the main window's kit commands and to the
// batch window's list.
class LibraryHostWindows final : public library::LibraryHost {
public:
    LibraryHostWindows(MainWindow& main, std::function<BatchWindow&()> batch)
        : main_(main), batch_(std::move(batch))
    {
    }

    Status openKit(const KitDump& dump, const QString& file) override;
    bool sendKit(const KitDump& dump, const QString& title) override;
    std::optional<LoadedKit> currentKit() override;
    std::size_t addToBatchList(const std::vector<QString>& paths) override;
    Result<ListeningInput> listeningInput() override;

private:
    MainWindow& main_;
    std::function<BatchWindow&()> batch_;
};

// The batch window and the library window, each built when first needed, so
// a window not shown costs the start-up nothing and lists no folder. "Send
// Multiple Sysex Kit Dumps" (F3) opens the batch window and File > Kit
// Library... (Ctrl+L) the library window; closing the main window closes
// them (which stops a batch send and cancels an import).
class OnDemandWindows {
public:
    OnDemandWindows(MainWindow& main, Desktop& desktop, MainWindow::MidiOpener openMidi, KitHistory& history,
                    library::EditorLibrary& library);
    ~OnDemandWindows();

    BatchWindow& batch();
    library::KitLibraryWindow& libraryWindow();

private:
    MainWindow& main_;
    Desktop& desktop_;
    MainWindow::MidiOpener openMidi_;
    KitHistory& history_;
    library::EditorLibrary& library_;
    LibraryHostWindows libraryHost_;
    QObject commands_;  // the menu connections end with this object
    std::unique_ptr<BatchWindow> batch_;
    std::unique_ptr<library::KitLibraryWindow> libraryWindow_;
};

}  // namespace morvane
