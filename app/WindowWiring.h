#pragma once

namespace morvane {

class BatchWindow;
class Desktop;
class MainWindow;

// "Send Multiple Sysex Kit Dumps" (F3) opens the batch window, and closing
// the main window closes it (which stops a running batch send).
void attachBatchWindow(MainWindow& main, BatchWindow& batch);

// File > Print (Ctrl+P) prints the main window's kit sheet.
void attachPrintCommand(MainWindow& main, Desktop& desktop);

}  // namespace morvane
