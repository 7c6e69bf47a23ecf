#pragma once

class QMenuBar;

namespace morvane {

// Fills the menu bar with the editor's menus. Every menu and item carries
// its given name as objectName, so commands are wired and tests find them
// by name. Nothing is ever disabled or hidden.
void buildMenuTree(QMenuBar* menuBar);

}  // namespace morvane
