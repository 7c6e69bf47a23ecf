#pragma once

#include "editor/RecentKits.h"

#include <array>

class QAction;
class QMenu;
class QMenuBar;

namespace morvane {

// The editor's menu items, to connect commands to.
struct MenuActions {
    QAction* fileOpen;
    // Open Recent: one item per file, hidden while unused, then Clear List.
    QMenu* fileOpenRecent;
    std::array<QAction*, RecentKits::Most> fileRecentKits;
    QAction* fileClearRecent;
    QAction* fileSave;
    QAction* fileSaveAs;
    QAction* filePrint;
    QAction* fileExportPdf;
    QAction* fileKitLibrary;
    QAction* fileQuit;
    QAction* editUndo;
    QAction* editRedo;
    QAction* kitSettings;
    QAction* fillAll;
    QAction* sendSysex;
    QAction* receiveSysex;
    QAction* sendMultipleKitDumps;
    QMenu* midiInputs;
    QMenu* midiOutputs;
    QAction* about;
};

// Fills the menu bar with the editor's menus. Every menu and item also
// carries its given name as objectName, so tests find them by name.
// Nothing is ever disabled or hidden but Undo and Redo with no step to take,
// the parts of Open Recent with no file to offer, and Kit Settings before
// the first kit.
MenuActions buildMenuTree(QMenuBar* menuBar);

}  // namespace morvane
