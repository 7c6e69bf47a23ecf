// morvane-editor [kit.syx]: the editor, opening the kit file when one is named.
#include "WindowWiring.h"
#include "batch/BatchWindow.h"
#include "editor/EditorTexts.h"
#include "editor/MainWindow.h"
#include "midi/RtMidiDevices.h"
#include "platform/QtDesktop.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(morvane::texts::ProductName);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/pictures/icon.svg")));

    morvane::QtDesktop desktop;
    morvane::RtMidiDevices midiDevices;
    morvane::MainWindow window(desktop, midiDevices, morvane::commandLinePath(QApplication::arguments().mid(1)));
    desktop.setDialogParent(&window);
    morvane::BatchWindow batchWindow(desktop, midiDevices);
    morvane::attachBatchWindow(window, batchWindow);
    morvane::attachPrintCommand(window, desktop);
    window.show();
    return QApplication::exec();
}
