#include "WindowWiring.h"

#include "batch/widgets/BatchWindow.h"
#include "library/EditorLibrary.h"
#include "library/widgets/KitLibraryWindow.h"
#include "platform/Desktop.h"
#include "platform/Settings.h"
#include "print/widgets/PrintCommand.h"

#include <QAction>
#include <QPointer>

namespace morvane {
namespace {

// The main window's menu items are known by their names.
QAction& menuItem(const MainWindow& main, const char* name)
{
    return *main.findChild<QAction*>(QString::fromLatin1(name));
}

}  // namespace

void attachPrintCommand(MainWindow& main, Desktop& desktop)
{
    connectPrintCommands(menuItem(main, "MnuFile_Print"), menuItem(main, "MnuFile_ExportPdf"), main, main, desktop);
}

void attachSettingsNotice(MainWindow& main, Settings& settings)
{
    settings.whenUnsaved([window = QPointer<MainWindow>(&main)](const QString& text) {
        // Queued, so the command that wrote the setting says its own outcome first.
        if (window)
            QMetaObject::invokeMethod(window, [window, text] { window->Status_Update(text); }, Qt::QueuedConnection);
    });
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

Status LibraryHostWindows::openKit(const KitDump& dump, const QString& file) { return main_.openKit(dump, file); }

bool LibraryHostWindows::sendKit(const KitDump& dump, const QString& title) { return main_.sendKit(dump, title); }

std::optional<LoadedKit> LibraryHostWindows::currentKit() { return main_.currentKit(); }

std::size_t LibraryHostWindows::addToBatchList(const std::vector<QString>& paths)
{
    return batch_().addFiles(paths);
}

Result<ListeningInput> LibraryHostWindows::listeningInput() { return main_.listeningInput(); }

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
    QObject::connect(&menuItem(main, "MnuFile_KitLibrary"), &QAction::triggered, &commands_,
                     [this] { libraryWindow().open(); });
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
