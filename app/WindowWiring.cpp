#include "WindowWiring.h"

#include "batch/widgets/BatchWindow.h"
#include "editor/widgets/MainWindow.h"
#include "library/EditorLibrary.h"
#include "print/widgets/PrintCommand.h"

#include <QPointer>

namespace morvane {

void attachBatchWindow(MainWindow& main, BatchWindow& batch)
{
    QObject::connect(&main, &MainWindow::batchWindowRequested, &batch, &BatchWindow::open);
    main.setOtherWindow(OtherWindow::BatchSysexDump, &batch);
}

void attachPrintCommand(MainWindow& main, Desktop& desktop)
{
    connectPrintCommand(*main.menu().filePrint, main, main, desktop);
}

void attachLibrary(MainWindow& main, library::EditorLibrary& library)
{
    library.reportTo([shown = QPointer<MainWindow>(&main)](const QString& text) {
        if (shown) shown->Status_Update(text);
    });
}

}  // namespace morvane
