// The real main window on a scripted desktop, with kit files in a temporary
// folder and an emptied settings store: what only the window shows or wires.
#include "editor/EditorTexts.h"
#include "kit/KitCodec.h"
#include "editor/widgets/MainWindow.h"
#include "editor/PadEditing.h"
#include "editor/widgets/KitSettingsDialog.h"
#include "editor/widgets/PadBoard.h"
#include "midi/MidiSettings.h"
#include "platform/FilePath.h"
#include "platform/UserSettings.h"
#include "support/KitFiles.h"
#include "support/LoopbackMidiDevices.h"
#include "support/RecordingKitHistory.h"
#include "support/ScriptedDesktop.h"
#include "WindowWiring.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <QtTest/qtestspontaneevent.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>

using namespace morvane;
using namespace morvane::testing;

namespace {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const QString& application : {texts::SettingsApplication, midisettings::Application})
            QSettings(QSettings::NativeFormat, QSettings::UserScope, application).clear();
    }
    // Returns once the window had its first paint, and the MIDI side started after it.
    void start(const QString& path = {})
    {
        window.reset();  // the loopback devices serve one window at a time
        window = std::make_unique<MainWindow>(desktop, userSettings, midiDevices, history);
        QSignalSpy painted(window.get(), &MainWindow::firstPainted);
        window->start(path);
        ASSERT_TRUE(painted.wait());
    }
    template <typename T = QWidget>
    T* control(const QString& name) const
    {
        auto* found = window->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    QString text(const QString& label) const { return control<QLabel>(label)->text(); }
    bool shown(const QString& name) const { return !control(name)->isHidden(); }
    void click(const QString& name) { QTest::mouseClick(control(name), Qt::LeftButton); }
    void trigger(const char* item) { control<QAction>(QString::fromLatin1(item))->trigger(); }
    void type(const QString& keys)
    {
        for (const QChar key : keys) QTest::keyClick(window.get(), static_cast<Qt::Key>(key.unicode()));
    }
    // Drops urls as a file manager would; true when the window took them.
    bool drop(const QList<QUrl>& urls)
    {
        QMimeData data;
        data.setUrls(urls);
        QDropEvent event(window->rect().center(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QDragEnterEvent enter(window->rect().center(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &enter);
        if (enter.isAccepted()) QApplication::sendEvent(window.get(), &event);
        return enter.isAccepted() && event.isAccepted();
    }
    template <typename W>
    W* inSettings(const char* name) { return settings()->findChild<W*>(name); }
    KitSettingsDialog* settings() const { return window->findChild<KitSettingsDialog*>(); }
    // Replaces the text of box, which takes the focus as by Tab, as a user would.
    void typeIn(QWidget* box, const QString& keys, Qt::Key end)
    {
        box->setFocus(Qt::TabFocusReason);
        QWidget* target = QApplication::focusWidget();
        QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(target, Qt::Key_Delete);
        QTest::keyClicks(target, keys);
        QTest::keyClick(target, end);
    }

    ScriptedDesktop desktop;
    UserSettings userSettings;
    LoopbackMidiDevices midiDevices{{"Loopback In"}, {"Loopback Out"}};
    RecordingKitHistory history;
    KitFolder kits;
    std::unique_ptr<MainWindow> window;
};

QString pad(const char* array, int i) { return QString::fromLatin1(array) + QLatin1Char('_') + QString::number(i); }

}  // namespace

// A header label opens the kit settings, filled from the kit, and leaves a
// pending pad edit alone. They apply nothing until both numbers are in range
// (the kit's own pass, even outside the typing range) and the name can be
// stored, and Cancel complains of nothing; the edited kit is saved byte for byte.
TEST_F(MainWindowTest, KitSettingsTakeOnlyWhatTheKitCanHoldAndTheEditedKitIsSavedByteForByte)
{
    start(kits.write("cafe.syx", makeKitDump({"CAF\xC9 \x80      ", 100, 200})));
    EXPECT_EQ(window->windowTitle(), QString::fromUtf8("VEXO Morvane Editor v1.03 - CAF\u00C9 \u20AC       (cafe.syx)"));
    EXPECT_FALSE(shown("No_Kit_Loaded_Frame"));
    EXPECT_EQ(text("Print_KitNumberLabel") + text("Print_BankNumberLabel"), "Kit #: 100Bank #: 200");
    click(pad("PadMNNLabel", 3));
    type("99");
    click("Print_BankNumberLabel");
    ASSERT_TRUE(QTest::qWaitForWindowActive(settings()));
    auto* name = inSettings<QLineEdit>("KitNameText");
    auto* kit = inSettings<QComboBox>("KitNumberCombo");
    auto* bank = inSettings<QComboBox>("BankNumberCombo");
    EXPECT_TRUE(text("PadMNNLabel_3") == "99" && shown("PadMNNSelImage_3"));
    EXPECT_EQ(name->text() + kit->currentText() + bank->currentText(), QString::fromUtf8("CAF\u00C9 \u20AC      100200"));

    typeIn(kit, "99", Qt::Key_End);
    inSettings<QPushButton>("CancelBtn")->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    ASSERT_FALSE(settings()->isVisible());
    click("Print_KitTitleLabel");
    ASSERT_TRUE(QTest::qWaitForWindowActive(settings()));
    EXPECT_EQ(kit->currentText(), "100");
    EXPECT_EQ(kit->count() + bank->count(), 24 + 129);  // reopening doubles no list

    typeIn(kit, "25", Qt::Key_Return);
    typeIn(kit, "3", Qt::Key_End);
    typeIn(bank, "300", Qt::Key_End);
    QTest::mouseClick(inSettings<QPushButton>("OKBtn"), Qt::LeftButton);  // leaving the box for OK adds no message
    bank->setEditText("200");
    kit->setEditText("100");
    // Twelve characters, the last outside the BMP, and one too many: the box keeps twelve whole.
    name->clear();
    QTest::keyClicks(name, "ABCDEFGHIJK");
    for (const QString& key : {QString::fromUtf8("\U0001F941"), QString("L")}) {
        QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, key);
        QApplication::sendEvent(name, &typed);
    }
    EXPECT_EQ(name->text(), QString::fromUtf8("ABCDEFGHIJK\U0001F941"));
    QTest::mouseClick(inSettings<QPushButton>("OKBtn"), Qt::LeftButton);
    EXPECT_EQ(settings()->focusWidget(), name);  // back from OK, which the click focused
    EXPECT_EQ(desktop.messageTexts(), (QStringList{"Kit Number cannot be higher than 24 or lower than 1.",
                                                   "Bank Number cannot be higher than 128 or lower than 0.",
                                                   QString::fromUtf8("The character \"\U0001F941\" cannot be stored in a kit name.")}));
    EXPECT_EQ(text("Print_KitNumberLabel"), "Kit #: 100");  // nothing refused was taken
    name->setText(QString::fromUtf8("\u00DCber"));
    QTest::mouseClick(inSettings<QPushButton>("OKBtn"), Qt::LeftButton);

    click("Print_KitNumberLabel");
    name->clear();  // an empty name keeps the kit's
    bank->setEditText("0");
    typeIn(kit, "24", Qt::Key_Enter);
    EXPECT_EQ(window->windowTitle(), QString::fromUtf8("VEXO Morvane Editor v1.03 - \u00DCber (cafe.syx)"));
    QTest::keyClick(window.get(), Qt::Key_Escape);
    desktop.saveChoices.push_back(kits.path("uber.syx"));
    trigger("MnuFile_SaveAs");
    KitSpec expected{"\xDC" "ber        ", 24, 0};
    expected.notes[3] = 99;
    EXPECT_EQ(kits.read("uber.syx"), makeKitDump(expected));

    // A kit that arrives while the kit settings are open replaces what was typed there.
    click("Print_KitTitleLabel");
    kit->setEditText("9");
    ASSERT_TRUE(window->openKit(makeKitDump()));
    EXPECT_EQ(kit->currentText(), "5");
    EXPECT_TRUE(window->windowTitle().endsWith("(file not saved)"));
}

// A kit file that cannot be opened at start-up is told and leaves the no-kit
// frame up, and the kit settings wait for a kit; the remembered ports are
// chosen, or named as absent, only after the first paint. Titles show whole on
// one line, a command sees the kit without the mouse's hover, a long notice
// has a tooltip.
TEST_F(MainWindowTest, WhatTheWindowShowsIsWholeAndQuitClosesTheOtherWindows)
{
    writeUserSetting(midisettings::Application, midisettings::Section, midisettings::InputName, "Loopback In");
    writeUserSetting(midisettings::Application, midisettings::Section, midisettings::OutputName, "Unplugged Out");
    window = std::make_unique<MainWindow>(desktop, userSettings, midiDevices, history);
    QSignalSpy painted(window.get(), &MainWindow::firstPainted);
    window->start(kits.path("missing.syx"));
    EXPECT_EQ(desktop.messageTexts().size(), 1);
    EXPECT_TRUE(window->isVisible() && shown("No_Kit_Loaded_Frame"));
    EXPECT_FALSE(midiDevices.openInputDevice);
    ASSERT_TRUE(painted.wait());
    EXPECT_EQ(midiDevices.openInputDevice, 0);
    EXPECT_EQ(window->statusText(), "MIDI output \"Unplugged Out\" is not connected.");
    EXPECT_FALSE(control<QAction>("MnuSettings_KitSettings")->isEnabled());
    const auto* title = control<QLabel>("Print_KitTitleLabel");
    for (const auto& [name, shownAs] : {std::pair{"ROCK & ROLL ", u"ROCK & ROLL "}, {"A\tB\nC\x7f" "D     ", u"A␉B␊C␡D     "},
                                        {"WWWWWWWWWWWW", u"WWWWWWWWWWWW"}}) {
        drop({QUrl::fromLocalFile(kits.write("title.syx", makeKitDump({name})))});
        EXPECT_EQ(title->text(), QString::fromUtf16(shownAs));
        EXPECT_LE(title->fontMetrics().horizontalAdvance(title->text()), title->contentsRect().width()) << name;
    }
    EXPECT_TRUE(control<QAction>("MnuSettings_KitSettings")->isEnabled());
    window->findChild<PadBoard*>()->Pad_Hovered(7);
    window->commitPendingPadEdit();
    EXPECT_FALSE(shown("PadLitImage_7"));
    EXPECT_EQ(text("LEDLabel"), "");
#ifndef Q_OS_WIN
    // A folder in the settings file's place cannot be written, even by root.
    const QString store = userSettingsFile(texts::SettingsApplication);
    QFile::remove(store);
    ASSERT_TRUE(QDir().mkpath(store));
    desktop.openChoices.push_back(kits.path("title.syx"));
    attachSettingsNotice(*window, userSettings);  // as main wires it
    trigger("MnuFile_Open");
    QCoreApplication::processEvents();
    EXPECT_EQ(window->statusText(), "Settings could not be saved in \"" + store + "\"; they will not be remembered next time.");
    EXPECT_EQ(control("Status_Line")->toolTip(), window->statusText());
    QDir(store).removeRecursively();
#endif
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QWidget batch, neverOpened;
    batch.show();
    window->setOtherWindow(OtherWindow::BatchSysexDump, &batch);
    window->setOtherWindow(OtherWindow::KitSettings, &neverOpened);
    // The longest texts of the LED and the status line show whole.
    for (const auto& [name, longest] : {std::pair{"LEDLabel", QStringLiteral("Pad 24")},
                                        std::pair{"Status_Line", selectionPrompt(PadCount - 1, PadField::Note)}}) {
        const auto* label = control<QLabel>(name);
        EXPECT_LE(label->fontMetrics().horizontalAdvance(longest), label->contentsRect().width()) << name;
    }
    click("VexoButtonOnImage");
    ASSERT_EQ(desktop.openedUrls.size(), 1u);
    EXPECT_TRUE(desktop.openedUrls[0].isLocalFile() && desktop.openedUrls[0].path().endsWith("README.md"));
    QTest::keyClick(window.get(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(window->isVisible() || batch.isVisible() || neverOpened.isVisible());
}

// A row's script: n / c click pad 7's note / channel, digits are typed, E is
// Enter, U / R / F trigger Undo / Redo / Fill All, K12 gives the kit number 12
// in the kit settings, O opens a kit. Then pad 7's note and channel and the
// kit number read so in the labels and the fields, and the Edit items name
// their steps ("-": disabled).
TEST_F(MainWindowTest, UndoAndRedoTakeEachCommittedValueFillAndKitSettingsBackAndForth)
{
    start(kits.write("rock1.syx", makeKitDump()));
    const std::map<QString, const char*> triggers{
        {"U", "MnuEdit_Undo"}, {"R", "MnuEdit_Redo"}, {"F", "MnuSettings_FillAll"}};
    const auto act = [&](const QString& step) {
        if (step == "n" || step == "c") click(step == "n" ? "PadMNNLabel_6" : "PadTCHLabel_6");
        else if (triggers.count(step)) trigger(triggers.at(step));
        else if (step == "E") QTest::keyClick(window.get(), Qt::Key_Return);
        else if (step == "O") {
            desktop.answers = {MessageAnswer::No};
            ASSERT_TRUE(window->openKit(makeKitDump()));
        }
        else if (step[0] != 'K') type(step);
        else {
            click("Print_KitNumberLabel");
            inSettings<QComboBox>("KitNumberCombo")->setEditText(step.mid(1));
            QTest::mouseClick(inSettings<QPushButton>("OKBtn"), Qt::LeftButton);
        }
    };
    const char* const rows[][3] = {
        {"n 50 E", "50 10 5", "Undo Note of Pad 7|Redo -"},
        {"c 3 E", "50 3 5", "Undo Channel of Pad 7|Redo -"},
        {"U", "50 10 5", "Undo Note of Pad 7|Redo Channel of Pad 7"},
        {"R", "50 3 5", "Undo Channel of Pad 7|Redo -"},
        {"c 12 F", "50 12 5", "Undo Fill All|Redo -"},
        {"c F K5", "50 12 5", "Undo Fill All|Redo -"},  // changing nothing is no step
        {"n 60 U", "50 12 5", "Undo Fill All|Redo Note of Pad 7"},  // typing is committed first
        {"n 70 R", "70 12 5", "Undo Note of Pad 7|Redo -"},
        {"K12", "70 12 12", "Undo Kit Settings|Redo -"},
        {"U", "70 12 5", "Undo Note of Pad 7|Redo Kit Settings"},
        {"O", "42 10 5", "Undo -|Redo -"},
    };
    for (const auto& [script, shown, steps] : rows) {
        for (const QString& step : QString(script).split(' ')) act(step);
        const auto f = window->currentKit().value().fields;
        QString labels = text("PadMNNLabel_6") + ' ' + text("PadTCHLabel_6") + ' ' + text("Print_KitNumberLabel");
        EXPECT_EQ(labels.remove("Kit #: ").toStdString(), shown) << script;
        EXPECT_EQ(QString("%1 %2 %3").arg(f.PadMNN[6]).arg(f.PadTCH[6]).arg(f.KitNumber).toStdString(), shown) << script;
        QStringList items;
        for (const auto* edit : {control<QAction>("MnuEdit_Undo"), control<QAction>("MnuEdit_Redo")})
            items << edit->text() + (edit->isEnabled() ? "" : " -");
        EXPECT_EQ(items.join('|').toStdString(), steps) << script;
    }
}

TEST_F(MainWindowTest, OpenRecentReopensKitsOpenedOrSavedAndNamesAndDropsAGoneOne)
{
    // Named with bytes no UTF-8 character holds, as a command line may give them.
    const auto rockFile = toFilePath(kits.path("rock")) += "\xff\xfe.syx";
    writeBytes(rockFile.string(), makeKitDump());
    const QString rock = fromFilePath(rockFile), jazz = kits.write("jazz.syx", makeKitDump()), copy = kits.path("copy.syx");
    const auto listed = [this] {
        QStringList paths;
        for (const QAction* item : control<QMenu>("MnuFile_OpenRecent")->actions().first(8)) paths << (item->isVisible() ? item->text() : "");
        return paths.join('|');
    };
    desktop.openChoices.push_back(jazz);
    desktop.saveChoices.push_back(copy);
    start(rock);
    trigger("MnuFile_Open");
    EXPECT_EQ(desktop.openRequests.at(0).startPath, desktop.programFolder());  // a named kit leaves it be
    trigger("MnuFile_SaveAs");
    EXPECT_EQ(listed(), copy + '|' + jazz + '|' + rock + "|||||");
    trigger("MnuFile_Recent_2");
    trigger("MnuFile_Open");  // cancelled: the next dialog still starts where the last choice was
    ASSERT_EQ(desktop.openRequests.size(), 2u);
    EXPECT_EQ(desktop.openRequests[1].startPath, rock);
    EXPECT_EQ(readUserSetting(texts::SettingsApplication, texts::SettingsSection, texts::LoadPathKey, {}), rock);
    QFile::remove(jazz);
    trigger("MnuFile_Recent_2");
    EXPECT_EQ(desktop.messageTexts(),
              QStringList{"The kit file \"" + jazz + "\" is no longer there; it is removed from the recent list."});
    EXPECT_TRUE(window->windowTitle().contains("(rock")) << window->windowTitle().toStdString();
    start();
    EXPECT_EQ(listed(), rock + '|' + copy + "||||||");
    trigger("MnuFile_ClearRecent");
    EXPECT_EQ(listed(), "|||||||");
    EXPECT_FALSE(control<QMenu>("MnuFile_OpenRecent")->menuAction()->isEnabled());
}

// A pad struck on the controller lights with its twin for a moment; the
// value being typed, the selection and a waiting receive stay as they were.
TEST_F(MainWindowTest, ANoteFromTheControllerLightsItsPadsForAMoment)
{
    KitSpec spec;
    spec.notes[9] = 40;  // as pad 5 (index 4), both on channel 10
    start(kits.write("hit.syx", makeKitDump(spec)));
    trigger("mnuMIDI_inputs_0");
    click(pad("PadMNNLabel", 1));
    type("7");
    const std::tuple<std::vector<std::uint8_t>, bool, std::vector<int>> rows[] = {
        {{0x99, 40, 64}, false, {1, 4, 9}}, {{0x99, 40, 0}, false, {1}}, {{0x98, 40, 64}, false, {1}},
        {{0x99, 40, 64}, true, {1}}};  // bytes, while receiving, lit pads
    for (const auto& [bytes, receiving, lit] : rows) {
        if (receiving) {
            desktop.answers = {MessageAnswer::No};  // the value being typed is not saved
            trigger("MnuSysex_ReceiveSysex");
        }
        ASSERT_TRUE(midiDevices.play({MidiInputEvent::Kind::Short, bytes}));
        QCoreApplication::processEvents();
        for (int i = 0; i < PadCount; ++i) EXPECT_EQ(shown(pad("PadLitImage", i)), std::ranges::count(lit, i)) << i;
        EXPECT_EQ(text("LEDLabel"), lit.size() > 1 ? "Pad 5" : "");
        EXPECT_TRUE(QTest::qWaitFor([&] { return !shown("PadLitImage_4") && text("LEDLabel").isEmpty(); }));
        EXPECT_TRUE(shown("PadLitImage_1"));
        EXPECT_EQ(text("PadMNNLabel_1"), "7");
    }
}

// Also run at 120 dpi, where the parts must keep their logical place over the face.
TEST_F(MainWindowTest, BoardPartsSitAtTheirDesignPixels)
{
    start(kits.write("rock1.syx", makeKitDump()));
    EXPECT_EQ(control("PadMNNLabel_0")->geometry(), QRect(244, 200, 41, 25));
    EXPECT_EQ(control("PadMNNSelImage_0")->geometry(), QRect(244, 201, 37, 21));
}

// Each way a kit is replaced, dropped, saved or sent, after pad 7's note was
// changed to 50 ("e"), changed and undone ("eu"), or 50 (or 200) is still being
// typed ("t50", "t200"), with the answer to the first box: the boxes shown ("Q"
// the question, "N" the note's range, "S" the send's), pad 7's note in the
// kit's file afterwards, whether the kit went (another kit replaced it, or the
// window closed), and what the kit history was told.
TEST_F(MainWindowTest, AChangedKitIsReplacedOrDroppedOnlyAfterTheUserChoseToSaveOrDiscardIt)
{
    KitSpec spec;
    spec.notes[6] = 77;
    const KitDump other = makeKitDump(spec);
    const QString otherFile = kits.write("other.syx", other);
    const std::map<std::string, std::pair<std::function<void()>, QString>> actions{
        {"open", {[&] { desktop.openChoices = {otherFile}; trigger("MnuFile_Open"); }, "opened"}},
        {"recent", {[&] { control<QAction>("MnuFile_Recent_1")->setData(otherFile); trigger("MnuFile_Recent_1"); }, "opened"}},
        {"drop", {[&] {
             const QUrl url = QUrl::fromLocalFile(otherFile);
             EXPECT_FALSE(drop({url, url}) || drop({QUrl("https://vexo.invalid/kit.syx")}));  // no kit file
             drop({url});
         }, "opened"}},
        {"library", {[&] { (void)window->openKit(other, otherFile); }, "opened"}},
        {"receive", {[&] { trigger("MnuSysex_ReceiveSysex"); midiDevices.playSysex(other); QCoreApplication::processEvents(); }, "received"}},
        {"quit", {[&] { trigger("MnuFile_Quit"); }, ""}},
        {"close button", {[&] {
             QCloseEvent closeButton;
             QSpontaneKeyEvent::setSpontaneous(&closeButton);
             QApplication::instance()->notify(window.get(), &closeButton);
             if (closeButton.isAccepted()) window->hide();
         }, ""}},
        {"signal", {[&] { window->close(); }, ""}},  // as the quit on a termination signal closes it
        {"save", {[&] { trigger("MnuFile_Save"); }, ""}},
        {"send", {[&] { trigger("MnuSysex_SendSysex"); }, ""}},
    };
    using Answer = std::optional<MessageAnswer>;
    std::vector<std::tuple<std::string, std::string, Answer, const char*, int, bool, QString>> rows{
        {"open", "eu", {}, "", 42, true, "opened"}, {"quit", "t50", MessageAnswer::Yes, "Q", 50, true, "saved"},
        {"signal", "e", {}, "", 42, true, ""},      {"quit", "t200", MessageAnswer::Yes, "Q N", 42, false, ""},
        {"save", "t50", {}, "", 50, false, "saved"}, {"save", "t200", {}, "N", 42, false, ""},
        {"send", "t50", {}, "S", 42, false, "sent"}, {"send", "e", MessageAnswer::Cancel, "S", 42, false, ""},
    };
    for (const auto& [action, act] : actions)
        for (const auto answer : {MessageAnswer::Yes, MessageAnswer::No, MessageAnswer::Cancel})
            if (action != "signal" && action != "save" && action != "send")
                rows.emplace_back(action, "e", answer, "Q", answer == MessageAnswer::Yes ? 50 : 42,
                                  answer != MessageAnswer::Cancel,
                                  (QString(answer == MessageAnswer::Yes ? "saved " : "") +
                                   (answer == MessageAnswer::Cancel ? "" : act.second)).trimmed());
    for (const auto& [action, edit, answer, boxes, savedNote, kitWent, told] : rows) {
        SCOPED_TRACE(action + ' ' + edit);
        start(kits.write("rock1.syx", makeKitDump()));
        trigger("mnuMIDI_inputs_0");
        trigger("mnuMIDI_outputs_0");
        click("PadMNNLabel_6");
        type(edit[0] == 't' ? QString::fromStdString(edit.substr(1)) : "50");
        if (edit[0] == 'e') QTest::keyClick(window.get(), Qt::Key_Return);
        if (edit == "eu") trigger("MnuEdit_Undo");
        desktop.messages.clear();
        history.told.clear();
        desktop.answers = answer ? std::deque{*answer} : std::deque<MessageAnswer>{};
        actions.at(action).first();
        QStringList shown, events;
        for (const auto& m : desktop.messages)
            shown << (m.style == MessageStyle::SaveDiscardCancel && m.text == texts::SaveChangesQuestion ? "Q"
                      : m.title.startsWith("Midi Note")                                                    ? "N"
                      : m.title.startsWith("Dump Sysex")                                                   ? "S"
                                                                                                           : m.text);
        for (const auto& event : history.told) events << QString::fromStdString(event.event);
        EXPECT_EQ(shown.join(' ').toStdString(), boxes);
        EXPECT_EQ(decodeKit(kits.read("rock1.syx")).value().PadMNN[6], savedNote);
        EXPECT_EQ(text("PadMNNLabel_6") == "77" || !window->isVisible(), kitWent);
        EXPECT_EQ(events.join(' ').toStdString(), told.toStdString());
    }
}
