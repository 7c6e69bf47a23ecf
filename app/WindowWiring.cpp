#include "WindowWiring.h"

#include "batch/widgets/BatchWindow.h"
#include "editor/widgets/MainWindow.h"
#include "midi/EditorMidi.h"
#include "print/widgets/PrintCommand.h"

namespace morvane {

void attachBatchWindow(MainWindow& main, BatchWindow& batch)
{
    main.midi().sender.openBatchWindow = [&batch] { batch.open(); };
    main.setOtherWindow(OtherWindow::BatchSysexDump, &batch);
}

void attachPrintCommand(MainWindow& main, Desktop& desktop)
{
    connectPrintCommand(main, desktop,
                        {[&main] { main.Pad_Clicked(-1, false); },
                         [&main](const QString& text) { main.Status_Update(text); }});
}

}  // namespace morvane
