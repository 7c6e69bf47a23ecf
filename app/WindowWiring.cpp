#include "WindowWiring.h"

#include "batch/widgets/BatchWindow.h"
#include "editor/widgets/MainWindow.h"
#include "library/EditorLibrary.h"
#include "library/widgets/KitLibraryWindow.h"
#include "midi/EditorMidi.h"
#include "print/widgets/PrintCommand.h"

#include <QAction>

namespace morvane {

void attachBatchWindow(MainWindow& main, BatchWindow& batch)
{
    QObject::connect(&main, &MainWindow::batchWindowRequested, &batch, &BatchWindow::open);
    main.setOtherWindow(OtherWindow::BatchSysexDump, &batch);
}

void attachPrintCommand(MainWindow& main, Desktop& desktop)
{
    connectPrintCommands(*main.menu().filePrint, *main.menu().fileExportPdf, main, main, desktop);
}

void attachLibrary(MainWindow& main, library::EditorLibrary& library)
{
    QObject::connect(&library, &library::EditorLibrary::told, &main, &MainWindow::Status_Update);
}

void attachLibraryWindow(MainWindow& main, library::KitLibraryWindow& window)
{
    QObject::connect(main.menu().fileKitLibrary, &QAction::triggered, &window, &library::KitLibraryWindow::open);
    main.setOtherWindow(OtherWindow::KitLibrary, &window);
}

Status LibraryHostWindows::openKit(const KitDump& dump, const QString& file)
{
    return main_.Interpret_Buffer(dump, file);
}

bool LibraryHostWindows::sendKit(const KitDump& dump, const QString& title)
{
    return main_.midi().sender().sendKit(dump, title);
}

// The dump's field bytes may lag behind the fields until the next
// Update_Buffer; a comparison reads the fields themselves.
std::optional<LoadedKit> LibraryHostWindows::currentKit()
{
    main_.commitPendingPadEdit();
    if (!main_.kit().kitLoaded()) return std::nullopt;
    return LoadedKit{main_.kit().kitDump(), main_.kit().fields()};
}

bool LibraryHostWindows::addToBatchList(const QString& path) { return batch_.addFile(path); }

}  // namespace morvane
