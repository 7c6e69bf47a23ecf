// morvane-editor [kit.syx]: the editor, opening the kit file when one is named.
#include "editor/EditorTexts.h"
#include "editor/MainWindow.h"
#include "platform/QtDesktop.h"
#include "print/PrintCommand.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(morvane::texts::ProductName);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/pictures/icon.svg")));

    morvane::QtDesktop desktop;
    morvane::MainWindow window(desktop, morvane::commandLinePath(QApplication::arguments().mid(1)));
    desktop.setDialogParent(&window);
    morvane::connectPrintCommand(window, desktop,
                                 {// Pad_Clicked(-1, False), as a click on the window's background runs it.
                                  [&window] { emit window.backgroundClicked(); },
                                  [&window](const QString& text) { window.Status_Update(text); }});
    window.show();
    return QApplication::exec();
}
