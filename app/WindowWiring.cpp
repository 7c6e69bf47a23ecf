#include "WindowWiring.h"

#include "batch/widgets/BatchWindow.h"
#include "library/EditorLibrary.h"
#include "library/widgets/KitLibraryWindow.h"
#include "midi/EditorMidi.h"
#include "print/widgets/PrintCommand.h"

#include <QAction>

namespace morvane {

void attachPrintCommand(MainWindow& main, Desktop& desktop)
{
    connectPrintCommands(*main.menu().filePrint, *main.menu().fileExportPdf, main, main, desktop);
}

void attachLibrary(MainWindow& main, library::EditorLibrary& library)
{
    QObject::connect(&library, &library::EditorLibrary::told, &main, &MainWindow::Status_Update);
}

void StartUpKitHistory::release()
{
    released_ = true;
    for (const auto& [event, dump, place] : waiting_) (history_.*event)(dump, place);
    waiting_.clear();
}

void StartUpKitHistory::kitOpened(const KitDump& dump, const std::string& path)
{
    tell(&KitHistory::kitOpened, dump, path);
}

void StartUpKitHistory::kitSaved(const KitDump& dump, const std::string& path)
{
    tell(&KitHistory::kitSaved, dump, path);
}

void StartUpKitHistory::kitReceived(const KitDump& dump, const std::string& device)
{
    tell(&KitHistory::kitReceived, dump, device);
}

void StartUpKitHistory::kitSent(const KitDump& dump, const std::string& device)
{
    tell(&KitHistory::kitSent, dump, device);
}

void StartUpKitHistory::tell(Event event, const KitDump& dump, const std::string& place)
{
    if (released_)
        (history_.*event)(dump, place);
    else
        waiting_.push_back({event, dump, place});
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

bool LibraryHostWindows::addToBatchList(const QString& path) { return batch_().addFile(path); }

OnDemandWindows::OnDemandWindows(MainWindow& main, Desktop& desktop, MainWindow::MidiOpener openMidi,
                                 KitHistory& history, library::EditorLibrary& library)
    : main_(main),
      desktop_(desktop),
      openMidi_(std::move(openMidi)),
      history_(history),
      library_(library),
      libraryHost_(main, [this]() -> BatchWindow& { return batch(); })
{
    QObject::connect(&main, &MainWindow::batchWindowRequested, &commands_, [this] { batch().open(); });
    QObject::connect(main.menu().fileKitLibrary, &QAction::triggered, &commands_, [this] { libraryWindow().open(); });
}

OnDemandWindows::~OnDemandWindows() = default;

BatchWindow& OnDemandWindows::batch()
{
    if (!batch_) {
        batch_ = std::make_unique<BatchWindow>(desktop_, openMidi_(), history_);
        main_.setOtherWindow(OtherWindow::BatchSysexDump, batch_.get());
    }
    return *batch_;
}

library::KitLibraryWindow& OnDemandWindows::libraryWindow()
{
    if (!libraryWindow_) {
        libraryWindow_ = std::make_unique<library::KitLibraryWindow>(desktop_, library_, libraryHost_);
        main_.setOtherWindow(OtherWindow::KitLibrary, libraryWindow_.get());
    }
    return *libraryWindow_;
}

}  // namespace morvane
