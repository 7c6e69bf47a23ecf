#pragma once

#include "library/LibraryHost.h"

namespace morvane {

class BatchWindow;
class Desktop;
class MainWindow;

namespace library {
class EditorLibrary;
class KitLibraryWindow;
}  // namespace library

// "Send Multiple Sysex Kit Dumps" (F3) opens the batch window, and closing
// the main window closes it (which stops a running batch send).
void attachBatchWindow(MainWindow& main, BatchWindow& batch);

// File > Print (Ctrl+P) prints the main window's kit sheet, and File > Export
// Kit Sheet as PDF... saves it as a PDF file.
void attachPrintCommand(MainWindow& main, Desktop& desktop);

// The library tells its troubles on the main window's status line.
void attachLibrary(MainWindow& main, library::EditorLibrary& library);

// File > Kit Library... (Ctrl+L) opens the library window, and closing the
// main window closes it (which cancels an import).
void attachLibraryWindow(MainWindow& main, library::KitLibraryWindow& window);

// The library window's way to the main window's kit and MIDI commands and
// to the batch window's list.
class LibraryHostWindows final : public library::LibraryHost {
public:
    LibraryHostWindows(MainWindow& main, BatchWindow& batch) : main_(main), batch_(batch) {}

    Status openKit(const KitDump& dump, const QString& file) override;
    bool sendKit(const KitDump& dump, const QString& title) override;
    std::optional<LoadedKit> currentKit() override;
    bool addToBatchList(const QString& path) override;

private:
    MainWindow& main_;
    BatchWindow& batch_;
};

}  // namespace morvane
