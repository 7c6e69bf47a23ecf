#pragma once

#include "editor/Compensation.h"
#include "editor/KitDocument.h"
#include "editor/KitView.h"
#include "editor/PadEditing.h"
#include "SvgPicture.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <memory>

class QLabel;

namespace morvane {

class Desktop;
class EditorMidi;
class KitHeader;
class KitSettingsDialog;
struct KitSettingsChoice;
class MidiDevices;
class MidiMenus;
class NoKitFrame;
class PadBoard;

// The other windows, closed at shutdown in this order.
enum class OtherWindow { KitSettings, ReceiveSysexDumpForm, BatchSysexDump };

// The editor's main window (objectName "Form1"): the instrument face with
// its pad board and kit header, the menus, the caption and the status line.
// It owns the current kit and the pad editing state for the whole run;
// closing it ends the program.
class MainWindow final : public QMainWindow, public KitView, public PadBoardView {
    Q_OBJECT
public:
    // Runs the start-up sequence; a non-empty path is opened as the first kit.
    MainWindow(Desktop& desktop, MidiDevices& midiDevices, const QString& commandLinePath = {});
    ~MainWindow() override;

    KitDocument& kit() { return kit_; }
    // Ports, receiving and sending; the batch window hooks in here.
    EditorMidi& midi();
    PadBoard& padBoard() { return *padBoard_; }
    const PadEditing& padEditing() const { return padEditing_; }
    KitSettingsDialog& kitSettings() { return *kitSettings_; }
    // The face with the board and header on it, e.g. for a print capture.
    QWidget* face() const { return face_; }
    // A menu or menu item by its given name.
    QAction* menuAction(const QString& objectName) const;

    Status Interpret_Buffer(const KitDump& dump, const QString& sourceFile = {});
    Status Update_Buffer() { return kit_.Update_Buffer(); }

    void Status_Update(const QString& StatusString) override;
    QString statusText() const;
    void Display_Caption() override;
    void Fill_Print_Header() override;
    void showDecodedKit() override;
    void Display_No_Kit_Loaded_Frame(bool Visible);

    // Ends or moves pad editing; Index -1 commits and leaves nothing selected,
    // as the send and print commands need before they read the kit. Clicks on
    // the pad controls and on the window's background come here.
    void Pad_Clicked(int Index, bool TCH_Clicked = false);

    void setMarkerVisible(int pad, PadField field, bool visible) override;
    void setLitVisible(int pad, bool visible) override;
    QString valueText(int pad, PadField field) const override;
    void setValueText(int pad, PadField field, const QString& text) override;
    void Fill_Pad_MNN_And_TransmitCh() override;

    // Lets shutdown close a window of the program that is open.
    void setOtherWindow(OtherWindow which, QWidget* window);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createFace();
    void createLogo();
    void createStatusBar();
    void connectMenus();
    void createKitSettings();
    void sizeWindow();
    void fitStatusLine();
    void Form_Load(const QString& commandLinePath);
    void Form_Unload();
    void Form_MouseMove();
    void mnu_about_Click();
    void MnuSettings_KitSettings_Click();
    void takeKitSettings(const KitSettingsChoice& choice);
    void Form_KeyDown(int KeyCode);
    QLabel* valueLabel(int pad, PadField field) const;
    void VexoButtonOnImage_Click();

    Desktop& desktop_;
    Compensation compensation_;
    Pictures pictures_;
    KitDocument kit_;
    PadEditing padEditing_;
    QWidget* face_ = nullptr;
    PadBoard* padBoard_ = nullptr;
    KitHeader* kitHeader_ = nullptr;
    NoKitFrame* noKitFrame_ = nullptr;
    KitSettingsDialog* kitSettings_ = nullptr;
    QWidget* vexoButtonOnImage_ = nullptr;
    QLabel* statusLine_ = nullptr;
    std::array<QPointer<QWidget>, 3> otherWindows_;
    std::unique_ptr<MidiMenus> midi_;
};

}  // namespace morvane
