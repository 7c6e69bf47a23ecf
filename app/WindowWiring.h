#pragma once

namespace morvane {

class BatchWindow;
class Desktop;
class MainWindow;

namespace library {
class EditorLibrary;
}

// "Send Multiple Sysex Kit Dumps" (F3) opens the batch window, and closing
// the main window closes it (which stops a running batch send).
void attachBatchWindow(MainWindow& main, BatchWindow& batch);

// File > Print (Ctrl+P) prints the main window's kit sheet.
void attachPrintCommand(MainWindow& main, Desktop& desktop);

// The library tells its troubles on the main window's status line.
void attachLibrary(MainWindow& main, library::EditorLibrary& library);

}  // namespace morvane
