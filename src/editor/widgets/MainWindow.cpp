#include "MainWindow.h"

#include "editor/Documentation.h"
#include "editor/EditorTexts.h"
#include "editor/KeyCodes.h"
#include "KitHeader.h"
#include "KitSettingsDialog.h"
#include "MouseHooks.h"
#include "NoKitFrame.h"
#include "PadBoard.h"
#include "PortMenus.h"
#include "WidgetPlacement.h"
#include "midi/EditorMidi.h"
#include "midi/InputDelivery.h"
#include "midi/widgets/ReceiveSysexDumpForm.h"
#include "platform/Desktop.h"
#include "platform/FilePath.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QWindow>

namespace morvane {
namespace {

constexpr QSize FacePictureSize(750, 504);
constexpr QSize LogoPictureSize(149, 60);
const QColor FaceFallback(28, 28, 32);

// The one local file a drag carries, or nothing when it carries anything else.
QString droppedFile(const QMimeData* data)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1) return {};
    return localFilePath(data->urls().constFirst());
}

// Pixels per inch of the coordinates the window lays its parts out in.
int measureScreenDpi() { return qRound(QGuiApplication::primaryScreen()->logicalDotsPerInchX()); }

}  // namespace

MainWindow::MainWindow(Desktop& desktop, Settings& settings, MidiOpener openMidi, KitHistory& kitHistory)
    : desktop_(desktop),
      settings_(settings),
      openMidi_(std::move(openMidi)),
      kitHistory_(kitHistory),
      menu_(buildMenuTree(menuBar())),
      compensation_(measureScreenDpi()),
      history_(menu_.editUndo, menu_.editRedo, [this](const KitFields& fields) { kit_.restoreFields(fields); }),
      kit_(desktop, settings, *this, *this, history_, kitHistory),
      padBoard_(createFace()),
      padEditing_(kit_.fields(), *padBoard_, *this, desktop, history_)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowIcon(QIcon(QStringLiteral(":/pictures/icon.svg")));
    createStatusBar();
    connectMenus();
    menu_.kitSettings->setEnabled(false);
    setAcceptDrops(true);
}

MainWindow::MainWindow(Desktop& desktop, Settings& settings, MidiDevices& midiDevices, KitHistory& kitHistory)
    : MainWindow(desktop, settings, [&midiDevices]() -> MidiDevices& { return midiDevices; }, kitHistory)
{
}

MainWindow::~MainWindow() = default;

void MainWindow::start(const QString& commandLinePath)
{
    Form_Load(commandLinePath);
    create();
    windowHandle()->installEventFilter(this);
    show();
}

PadBoard* MainWindow::createFace()
{
    auto* face = new SvgPicture(pictures_.picture(QStringLiteral(":/pictures/face.svg")), this, FacePictureSize);
    face->setObjectName(QStringLiteral("Face"));
    QPalette palette = face->palette();
    palette.setColor(QPalette::Window, FaceFallback);
    face->setPalette(palette);
    face->setAutoFillBackground(true);
    handleMouse(face, [this] { Form_MouseMove(); }, [this] { Pad_Clicked(-1, false); });
    setCentralWidget(face);
    face_ = face;

    createLogo();
    kitHeader_ = new KitHeader(face, compensation_);
    // The kit header labels open the kit settings and leave the editing as it is.
    connect(kitHeader_, &KitHeader::kitSettingsRequested, this, [this] { MnuSettings_KitSettings_Click(); });
    auto* board = new PadBoard(face, pictures_, compensation_, kit_.fields());
    connect(board, &PadBoard::padClicked, this, &MainWindow::Pad_Clicked);
    connect(board, &PadBoard::padPlayRequested, this, &MainWindow::playPad);
    noKitFrame_ = new NoKitFrame(face, compensation_);
    return board;
}

// The logo is a picture of fixed size at its design place, never compensated.
void MainWindow::createLogo()
{
    const QRect place(QPoint(compensation_.toPixels(design::VexoButtonImage.left),
                             compensation_.toPixels(design::VexoButtonImage.top)),
                      LogoPictureSize);
    auto* off = new SvgPicture(pictures_.picture(QStringLiteral(":/pictures/logo-off.svg")), face_);
    off->setObjectName(QStringLiteral("VexoButtonOffImage"));
    off->setGeometry(place);
    auto* on = new SvgPicture(pictures_.picture(QStringLiteral(":/pictures/logo-on.svg")), face_);
    on->setObjectName(QStringLiteral("VexoButtonOnImage"));
    on->setGeometry(place);
    on->setCursor(Qt::PointingHandCursor);
    on->hide();
    // Once lit, the lit logo lies above the unlit one and takes the mouse.
    handleMouse(off, [on] { on->show(); }, {});
    handleMouse(on, {}, [this] { VexoButtonOnImage_Click(); });
    vexoButtonOnImage_ = on;
}

void MainWindow::createStatusBar()
{
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->setSizeGripEnabled(false);
    statusLine_ = new QLabel(statusBar());
    statusLine_->setObjectName(QStringLiteral("Status_Line"));
    statusLine_->setTextFormat(Qt::PlainText);
    statusLine_->installEventFilter(this);
    statusBar()->addWidget(statusLine_, 1);
}

// The selection prompts are the longest status texts, and the window cannot
// grow: the status line takes a font in which they show whole at its width.
void MainWindow::fitStatusLine()
{
    const int lastPad = PadCount - 1;
    const QStringList longest{selectionPrompt(lastPad, PadField::Note), selectionPrompt(lastPad, PadField::Channel)};
    statusLine_->setFont(fittedFont(statusBar()->font(), longest, statusLine_->contentsRect().width()));
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == statusLine_ && event->type() == QEvent::Resize) fitStatusLine();
    if (watched == windowHandle() && event->type() == QEvent::Expose && windowHandle()->isExposed()) {
        windowHandle()->removeEventFilter(this);
        // Queued: the expose paints the window at once, so this runs once that paint is on the screen.
        QMetaObject::invokeMethod(this, &MainWindow::afterFirstPaint, Qt::QueuedConnection);
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::connectMenus()
{
    const auto onMenu = [this](QAction* item, auto command) { connect(item, &QAction::triggered, this, command); };
    onMenu(menu_.fileOpen, [this] { kit_.mnuFile_Open_Click(); });
    for (QAction* recent : menu_.fileRecentKits)
        onMenu(recent, [this, recent] { kit_.openRecent(recent->data().toString()); });
    onMenu(menu_.fileClearRecent, [this] { kit_.clearRecentKits(); });
    onMenu(menu_.fileSave, [this] { kit_.mnuFile_Save_Click(); });
    onMenu(menu_.fileSaveAs, [this] { kit_.mnuFile_SaveAs_Click(); });
    // Closing by the menu or Ctrl+Q asks here, so a close the program makes
    // itself (a termination signal) does not.
    onMenu(menu_.fileQuit, [this] {
        if (kit_.mayReplaceKit()) close();
    });
    onMenu(menu_.editUndo, [this] { stepThroughHistory(&EditHistory::undo); });
    onMenu(menu_.editRedo, [this] { stepThroughHistory(&EditHistory::redo); });
    onMenu(menu_.kitSettings, [this] { MnuSettings_KitSettings_Click(); });
    onMenu(menu_.fillAll, [this] { padEditing_.fillAll(); });
    onMenu(menu_.sendSysex, [this] { midi().sender().MnuSysex_SendSysex_Click(); });
    onMenu(menu_.receiveSysex, [this] {
        if (kit_.mayReplaceKit()) midi().receiver().MnuSysex_ReceiveSysex_Click();
    });
    onMenu(menu_.sendMultipleKitDumps, [this] {
        if (midi().sender().MnuSysex_SendMultipleKitDumps_Click()) emit batchWindowRequested();
    });
    onMenu(menu_.about, [this] { mnu_about_Click(); });
}

EditorMidi& MainWindow::midi()
{
    if (!midi_) startMidi();
    return *midi_;
}

// Form_Load's MIDI steps, with the receive dialog they need. Its boxes (no
// devices, a port that cannot open) come over the shown window.
void MainWindow::startMidi()
{
    receiveForm_ = new ReceiveSysexDumpForm(this);
    setOtherWindow(OtherWindow::ReceiveSysexDumpForm, receiveForm_);
    MidiDevices& devices = openMidi_();
    midi_ = std::make_unique<EditorMidi>(devices, desktop_, settings_, *this, kit_, *receiveForm_, kitHistory_,
                                         [this] { portMenus_->redraw(); });
    portMenus_ = std::make_unique<PortMenus>(*menu_.midiInputs, *menu_.midiOutputs, midi_->ports());
    // The notes of pads struck on the controller, while no receive waits for a kit.
    connect(&devices.delivery(), &InputDelivery::received, this, [this](const MidiInputEvent& event) {
        if (!midi_->receiver().ReceivingSysex()) padBoard_->showHit(padsHitBy(event, kit_.fields()));
    });
    midi_->startUp();
}

// A window closed before this ran ends the program: nothing is started.
void MainWindow::afterFirstPaint()
{
    if (!isVisible()) return;
    if (!midi_) startMidi();
    emit firstPainted();
}

// Built when first opened, as a window not shown costs the start-up nothing.
KitSettingsDialog& MainWindow::kitSettings()
{
    if (!kitSettings_) {
        kitSettings_ = new KitSettingsDialog(desktop_, this);
        connect(kitSettings_, &KitSettingsDialog::settingsChosen, this,
                [this](const KitSettingsChoice& choice) { takeKitSettings(choice); });
        setOtherWindow(OtherWindow::KitSettings, kitSettings_);
    }
    return *kitSettings_;
}

// The client area keeps its design size in pixels; above 96 dpi it grows by
// the chrome allowance.
void MainWindow::sizeWindow()
{
    const auto size = compensation_.windowOuterSize(design::ClientWidth, design::ClientHeight);
    face_->setFixedSize(compensation_.toPixels(size.width), compensation_.toPixels(size.height));
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void MainWindow::Form_Load(const QString& commandLinePath)
{
    sizeWindow();
    setWindowTitle(texts::startCaption());
    kitHeader_->Display_Print_Header(false);
    showRecentKits(kit_.recentKits());
    if (!commandLinePath.isEmpty()) kit_.openNamedFile(commandLinePath);
    if (!kit_.kitLoaded()) Display_No_Kit_Loaded_Frame(true);
}

// Only the window's close button sends a spontaneous close; it asks as Quit does.
void MainWindow::closeEvent(QCloseEvent* event)
{
    if (event->spontaneous() && !kit_.mayReplaceKit()) {
        event->ignore();
        return;
    }
    Form_Unload();
    event->accept();
}

void MainWindow::Form_Unload()
{
    for (auto& window : otherWindows_)
        if (window && window->isVisible()) window->close();
    if (midi_) midi_->shutDown();
}

void MainWindow::setOtherWindow(OtherWindow which, QWidget* window)
{
    otherWindows_[static_cast<std::size_t>(which)] = window;
}

Status MainWindow::openKit(const KitDump& dump, const QString& file) { return kit_.openKit(dump, file); }

bool MainWindow::sendKit(const KitDump& dump, const QString& title) { return midi().sender().sendKit(dump, title); }

Result<ListeningInput> MainWindow::listeningInput() { return midi().receiver().listeningInput(); }

// The dump's field bytes may lag behind the fields until the next
// Update_Buffer; a comparison reads the fields themselves.
std::optional<LoadedKit> MainWindow::currentKit()
{
    commitPendingPadEdit();
    if (!kit_.kitLoaded()) return std::nullopt;
    return LoadedKit{kit_.kitDump(), kit_.fields()};
}

// A notice wider than the line (a long path in it) is readable whole in the tooltip.
void MainWindow::Status_Update(const QString& text)
{
    statusLine_->setText(text);
    statusLine_->setToolTip(text);
}

// A command that reads or shows the kit (save, send, print) sees it as
// stored: no value being typed, no pad lit or named by the mouse.
void MainWindow::commitPendingPadEdit()
{
    Pad_Clicked(-1, false);
    Form_MouseMove();
}

QString MainWindow::statusText() const { return statusLine_->text(); }

void MainWindow::Display_Caption()
{
    setWindowTitle(texts::kitCaption(kit_.kitNameText(), kit_.shortFileName()));
    Fill_Print_Header();
    kitHeader_->Display_Print_Header(true);
}

void MainWindow::Fill_Print_Header()
{
    const auto& fields = kit_.fields();
    kitHeader_->Fill_Print_Header(texts::visibleTitle(kit_.kitNameText()), fields.KitNumber, fields.BankNumber);
}

void MainWindow::showDecodedKit()
{
    Display_Caption();
    padBoard_->Fill_Pad_MNN_And_TransmitCh();
    const auto& fields = kit_.fields();
    if (kitSettings_) kitSettings_->kitReplaced(fields.KitName, fields.KitNumber, fields.BankNumber);
    menu_.kitSettings->setEnabled(true);
    if (!noKitFrame_->isHidden()) Display_No_Kit_Loaded_Frame(false);
}

// A caption reads '&' as the mark of a shortcut letter, so a path shows it doubled.
void MainWindow::showRecentKits(const QStringList& paths)
{
    for (std::size_t i = 0; i < menu_.fileRecentKits.size(); ++i) {
        QAction* item = menu_.fileRecentKits[i];
        const QString path = paths.value(static_cast<qsizetype>(i));
        item->setData(path);
        item->setText(QDir::toNativeSeparators(path).replace(QLatin1Char('&'), QStringLiteral("&&")));
        item->setVisible(!path.isEmpty());
    }
    menu_.fileOpenRecent->menuAction()->setEnabled(!paths.isEmpty());
}

void MainWindow::Display_No_Kit_Loaded_Frame(bool visible) { noKitFrame_->Display_No_Kit_Loaded_Frame(visible); }

void MainWindow::Form_MouseMove()
{
    padBoard_->clearHover();
    vexoButtonOnImage_->hide();
    kitHeader_->darkenUnderline();
}

// The kit's stored values: a value being typed is neither played nor committed.
void MainWindow::playPad(int index)
{
    midi().player().playPad(index, kit_.fields().PadMNN[index], kit_.fields().PadTCH[index]);
}

void MainWindow::Pad_Clicked(int index, bool tchClicked)
{
    padEditing_.Pad_Clicked(index, tchClicked);
    padBoard_->setSelectedPad(padEditing_.SelectedPad());
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (!droppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    const QString path = droppedFile(event->mimeData());
    if (path.isEmpty()) return;
    event->acceptProposedAction();
    kit_.openNamedFile(path);
}

void MainWindow::keyPressEvent(QKeyEvent* event)
{
    Form_KeyDown(virtualKeyCode(event->key(), event->modifiers(),
                                digitRowKey(event->nativeScanCode(), event->nativeVirtualKey())));
}

void MainWindow::Form_KeyDown(int keyCode)
{
    padEditing_.Form_KeyDown(keyCode);
    padBoard_->setSelectedPad(padEditing_.SelectedPad());
}

// A value being typed is committed first, as Enter would; one out of range
// is refused with its message and stays selected for the user to correct.
void MainWindow::stepThroughHistory(void (EditHistory::*step)())
{
    commitPendingPadEdit();
    if (padEditing_.SelectedPad() == 0) (history_.*step)();
}

void MainWindow::MnuSettings_KitSettings_Click()
{
    const auto& fields = kit_.fields();
    kitSettings().openWith(fields.KitName, fields.KitNumber, fields.BankNumber);
}

void MainWindow::takeKitSettings(const KitSettingsChoice& choice)
{
    const auto taken = kit_.Replace_System_Variables(choice.NewKitName, choice.NewKitNumber, choice.NewBankNumber);
    if (!taken) desktop_.messageBox(QString::fromStdString(taken.error()), MessageStyle::Plain);
}

void MainWindow::mnu_about_Click()
{
    desktop_.messageBox(texts::aboutText(), MessageStyle::Information, texts::AboutTitle);
}

void MainWindow::VexoButtonOnImage_Click()
{
    const QUrl documentation = documentationUrl(desktop_.programFolder());
    if (!documentation.isEmpty()) desktop_.openUrl(documentation);
}

}  // namespace morvane
