// morvane-editor [kit.syx]: the editor, opening the kit file when one is named.
#include "WindowWiring.h"
#include "editor/EditorTexts.h"
#include "editor/widgets/MainWindow.h"
#include "library/EditorLibrary.h"
#include "library/LibrarySettings.h"
#include "midi/devices/SystemMidiDevices.h"
#include "platform/FilePath.h"
#include "platform/TerminationSignals.h"
#include "platform/UserSettings.h"
#include "platform/widgets/QtDesktop.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

constexpr const char* Usage =
    "usage: morvane-editor [KIT.syx]\n"
    "       morvane-editor --help | --version\n"
    "\n"
    "Edits the kits of the Morvane 24-pad MIDI percussion controller, opening KIT.syx\n"
    "when one is named. Settings live in $XDG_CONFIG_HOME (default ~/.config).\n";

// Answered before any window exists, so they work without a display.
bool answeredInformationOption(int argc, char** argv)
{
    if (argc != 2) return false;
    if (std::strcmp(argv[1], "--help") == 0) {
        std::fputs(Usage, stdout);
        return true;
    }
    if (std::strcmp(argv[1], "--version") == 0) {
        std::printf("morvane-editor %s\n", MORVANE_VERSION);
        return true;
    }
    return false;
}

// From argv's own bytes, after Qt took its options out: QApplication::arguments()
// decodes them as text and loses a file name that is not UTF-8.
QStringList fileArguments(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i) arguments << morvane::fromFilePath(argv[i]);
    return arguments;
}

}  // namespace

int main(int argc, char** argv)
{
    if (answeredInformationOption(argc, argv)) return 0;
    QApplication app(argc, argv);
    QApplication::setApplicationName(morvane::texts::ProductName);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/pictures/icon.svg")));

    morvane::QtDesktop desktop;
    morvane::UserSettings settings;
    // Made before the windows, so it ends after them with what they told it written.
    morvane::library::EditorLibrary library(settings, morvane::library::defaultLibraryFile());
    morvane::StartUpKitHistory history(library);
    // Opened when first needed, after the first paint at the latest; ends after the windows.
    std::unique_ptr<morvane::MidiDevices> midiDevices;
    const auto openMidi = [&midiDevices]() -> morvane::MidiDevices& {
        if (!midiDevices) midiDevices = morvane::systemMidiDevices(morvane::OwnClientPrefix);
        return *midiDevices;
    };
    morvane::MainWindow window(desktop, settings, openMidi, history);
    desktop.setDialogParent(&window);
    morvane::attachPrintCommand(window, desktop);
    morvane::attachSettingsNotice(window, settings);
    morvane::attachLibrary(window, library);
    morvane::OnDemandWindows otherWindows(window, desktop, openMidi, history, library);
    QObject::connect(&window, &morvane::MainWindow::firstPainted, &window, [&library, &history] {
        library.startUp();
        history.release();
    });
    window.start(morvane::commandLinePath(fileArguments(argc, argv)));
    // Not before: a quit asked for while start-up's boxes wait, ahead of the
    // main loop, would be lost, and the signal with it.
    morvane::quitOnTerminationSignals();
    return QApplication::exec();
}
