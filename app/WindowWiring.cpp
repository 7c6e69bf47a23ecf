#include "WindowWiring.h"

#include "batch/widgets/BatchWindow.h"
#include "editor/widgets/MainWindow.h"
#include "print/widgets/PrintCommand.h"

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

}  // namespace morvane
