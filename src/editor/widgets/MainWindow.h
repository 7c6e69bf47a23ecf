#pragma once

#include "editor/Compensation.h"
#include "editor/KitCommands.h"
#include "editor/KitDocument.h"
#include "editor/KitView.h"
#include "editor/PadEditing.h"
#include "EditHistory.h"
#include "MenuTree.h"
#include "SvgPicture.h"
#include "midi/SysexReceiver.h"
#include "platform/WindowShell.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <functional>
#include <memory>

class QLabel;

namespace morvane {

class Desktop;
class Settings;
class EditorMidi;
class KitHeader;
class KitHistory;
class KitSettingsDialog;
struct KitSettingsChoice;
class MidiDevices;
class NoKitFrame;
class PadBoard;
class PortMenus;
class ReceiveSysexDumpForm;

// The other windows, closed at shutdown in this order.
enum class OtherWindow { KitSettings, ReceiveSysexDumpForm, BatchSysexDump, KitLibrary };

// The editor's main window (objectName "Form1"): the instrument face with
// its pad board and kit header, the menus, the caption and the status line.
// It owns the current kit and the pad editing state for the whole run;
// closing it ends the program. The kits it opens, saves, receives and sends
// are told to the kit history.
class MainWindow final : public QMainWindow, public KitView, public WindowShell, public KitCommands {
    Q_OBJECT
public:
    // Opens the machine's MIDI devices, which may wait on the MIDI server;
    // the window asks once.
    using MidiOpener = std::function<MidiDevices&()>;

    // Builds the window; nothing is opened, asked or shown before start().
    MainWindow(Desktop& desktop, Settings& settings, MidiOpener openMidi, KitHistory& kitHistory);
    // With devices already open.
    MainWindow(Desktop& desktop, Settings& settings, MidiDevices& midiDevices, KitHistory& kitHistory);
    ~MainWindow() override;

    // The start-up sequence, once everything around the window is wired: a
    // non-empty path is opened as the first kit and the window shows. Its
    // MIDI side starts after the first paint (the menus filled, the ports
    // restored), or with the first command that needs it, if that is sooner.
    void start(const QString& commandLinePath = {});

    // The kit library's open asks first, as File > Open does.
    Status openKit(const KitDump& dump, const QString& file = {}) override;
    bool sendKit(const KitDump& dump, const QString& title) override;
    std::optional<LoadedKit> currentKit() override;
    // The MIDI input chosen in the menu, for a receive of many kits.
    Result<ListeningInput> listeningInput();

    void Status_Update(const QString& text) override;
    void commitPendingPadEdit() override;
    QString statusText() const;
    void Display_Caption() override;
    void Fill_Print_Header() override;
    void showDecodedKit() override;
    void showRecentKits(const QStringList& paths) override;
    bool valueBeingTyped() const override { return padEditing_.hasPendingValue(); }
    void Display_No_Kit_Loaded_Frame(bool visible);

    // Ends or moves pad editing; Index -1 commits and leaves nothing selected,
    // as the send and print commands need before they read the kit. Clicks on
    // the pad controls and on the window's background come here.
    void Pad_Clicked(int index, bool tchClicked = false);

    // Lets shutdown close a window of the program that is open.
    void setOtherWindow(OtherWindow which, QWidget* window);

signals:
    // Send Multiple Sysex Kit Dumps with an output chosen.
    void batchWindowRequested();
    // The first paint is on the screen and the MIDI side has started: the
    // time for start-up work the first sight of the kit need not wait for.
    void firstPainted();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Ports, receiving and sending; started now if it has not started yet.
    EditorMidi& midi();
    KitSettingsDialog& kitSettings();
    PadBoard* createFace();
    void createLogo();
    void createStatusBar();
    void connectMenus();
    void startMidi();
    void afterFirstPaint();
    void sizeWindow();
    void fitStatusLine();
    void Form_Load(const QString& commandLinePath);
    void Form_Unload();
    void Form_MouseMove();
    void mnu_about_Click();
    void stepThroughHistory(void (EditHistory::*step)());
    void MnuSettings_KitSettings_Click();
    void takeKitSettings(const KitSettingsChoice& choice);
    void Form_KeyDown(int keyCode);
    void VexoButtonOnImage_Click();
    void playPad(int index);

    Desktop& desktop_;
    Settings& settings_;
    MidiOpener openMidi_;
    KitHistory& kitHistory_;
    MenuActions menu_;
    Compensation compensation_;
    Pictures pictures_;
    EditHistory history_;
    KitDocument kit_;
    QWidget* face_ = nullptr;
    KitHeader* kitHeader_ = nullptr;
    NoKitFrame* noKitFrame_ = nullptr;
    QWidget* vexoButtonOnImage_ = nullptr;
    PadBoard* padBoard_ = nullptr;  // made with the face, which sets the four above
    PadEditing padEditing_;
    KitSettingsDialog* kitSettings_ = nullptr;
    QLabel* statusLine_ = nullptr;
    std::array<QPointer<QWidget>, 4> otherWindows_;
    ReceiveSysexDumpForm* receiveForm_ = nullptr;
    std::unique_ptr<EditorMidi> midi_;
    std::unique_ptr<PortMenus> portMenus_;
};

}  // namespace morvane
