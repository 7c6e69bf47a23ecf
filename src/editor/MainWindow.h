#pragma once

#include "Compensation.h"
#include "KitDocument.h"
#include "KitView.h"
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
class MidiDevices;
class MidiMenus;
class NoKitFrame;
class PadBoard;

// The other windows, closed at shutdown in this order.
enum class OtherWindow { KitSettings, ReceiveSysexDumpForm, BatchSysexDump };

// The editor's main window (objectName "Form1"): the instrument face with
// its pad board and kit header, the menus, the caption and the status line.
// It owns the current kit for the whole run; closing it ends the program.
class MainWindow final : public QMainWindow, public KitView {
    Q_OBJECT
public:
    // Runs the start-up sequence; a non-empty path is opened as the first kit.
    MainWindow(Desktop& desktop, MidiDevices& midiDevices, const QString& commandLinePath = {});
    ~MainWindow() override;

    KitDocument& kit() { return kit_; }
    // Ports, receiving and sending; the batch window hooks in here.
    EditorMidi& midi();
    PadBoard& padBoard() { return *padBoard_; }
    KitHeader& kitHeader() { return *kitHeader_; }
    // The face with the board and header on it, e.g. for a print capture.
    QWidget* face() const { return face_; }
    const Compensation& compensation() const { return compensation_; }
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

    // Lets shutdown close a window of the program that is open.
    void setOtherWindow(OtherWindow which, QWidget* window);

signals:
    // A click on an empty part of the window; it ends pad editing.
    void backgroundClicked();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createFace();
    void createLogo();
    void createStatusBar();
    void connectMenus();
    void sizeWindow();
    void Form_Load(const QString& commandLinePath);
    void Form_Unload();
    void Form_MouseMove();
    void mnu_about_Click();
    void VexoButtonOnImage_Click();

    Desktop& desktop_;
    Compensation compensation_;
    Pictures pictures_;
    KitDocument kit_;
    QWidget* face_ = nullptr;
    PadBoard* padBoard_ = nullptr;
    KitHeader* kitHeader_ = nullptr;
    NoKitFrame* noKitFrame_ = nullptr;
    QWidget* vexoButtonOffImage_ = nullptr;
    QWidget* vexoButtonOnImage_ = nullptr;
    QLabel* statusLine_ = nullptr;
    std::array<QPointer<QWidget>, 3> otherWindows_;
    std::unique_ptr<MidiMenus> midi_;
};

}  // namespace morvane
