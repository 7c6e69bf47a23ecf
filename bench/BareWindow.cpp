// The yardsticks for the editor's start-up: a bare Qt 6 main window, or with
// --menus the editor's own menu bar and a status line with text, the floor
// any window with text pays (the fonts must be looked up before a menu bar
// can be sized).
#include "editor/widgets/MenuTree.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>

#include <cstring>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    if (argc > 1 && std::strcmp(argv[1], "--menus") == 0) {
        morvane::buildMenuTree(window.menuBar());
        window.statusBar()->addWidget(new QLabel(QStringLiteral("Successfully loaded file...")), 1);
    }
    window.resize(750, 560);
    window.show();
    return QApplication::exec();
}
