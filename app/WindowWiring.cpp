#include "WindowWiring.h"

#include "batch/BatchWindow.h"
#include "editor/MainWindow.h"
#include "midi/EditorMidi.h"

namespace morvane {

void attachBatchWindow(MainWindow& main, BatchWindow& batch)
{
    main.midi().sender.openBatchWindow = [&batch] { batch.open(); };
    main.setOtherWindow(OtherWindow::BatchSysexDump, &batch);
}

}  // namespace morvane
