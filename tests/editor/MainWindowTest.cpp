// The real main window on a scripted desktop, with kit files in a temporary
// folder and an emptied settings store: what only the window shows or wires.
#include "editor/EditorTexts.h"
#include "editor/widgets/MainWindow.h"
#include "editor/PadEditing.h"
#include "editor/widgets/KitSettingsDialog.h"
#include "midi/EditorMidi.h"
#include "platform/FilePath.h"
#include "platform/UserSettings.h"
#include "support/KitFiles.h"
#include "support/LoopbackMidiDevices.h"
#include "support/RecordingKitHistory.h"
#include "support/ScriptedDesktop.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>

using namespace morvane;
using namespace morvane::testing;

namespace {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override { QSettings(QSettings::NativeFormat, QSettings::UserScope, texts::SettingsApplication).clear(); }
    void start(const QString& path = {})
    {
        window = std::make_unique<MainWindow>(desktop, midiDevices, history);
        window->start(path);
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
    W* inSettings(const char* name) { return window->kitSettings().findChild<W*>(name); }

    ScriptedDesktop desktop;
    LoopbackMidiDevices midiDevices{{"Loopback In"}, {"Loopback Out"}};
    RecordingKitHistory history;
    KitFolder kits;
    std::unique_ptr<MainWindow> window;
};

QString pad(const char* array, int i) { return QString::fromLatin1(array) + QLatin1Char('_') + QString::number(i); }

}  // namespace

// A kit file that cannot be opened at start-up is told and leaves the no-kit frame up.
TEST_F(MainWindowTest, WithoutAKitTheFrameCoversTheFace)
{
    start(kits.path("missing.syx"));
    EXPECT_EQ(desktop.messageTexts().size(), 1);
    EXPECT_TRUE(shown("No_Kit_Loaded_Frame"));
}

// The whole way a user edits a kit, from the command line to the bytes of the saved file.
TEST_F(MainWindowTest, AKitIsShownEditedWithMouseKeysAndKitSettingsAndSavedByteForByte)
{
    start(kits.write("rock1.syx", makeKitDump()));
    EXPECT_EQ(window->windowTitle(), "VEXO Morvane Editor v1.03 - ROCK 1       (rock1.syx)");
    EXPECT_FALSE(shown("No_Kit_Loaded_Frame"));
    EXPECT_EQ(text("PadMNNLabel_5") + text("PadTCHLabel_5"), "4110");
    EXPECT_EQ(text("Print_KitNumberLabel") + text("Print_BankNumberLabel"), "Kit #: 5Bank #: 3");

    click(pad("PadTCHLabel", 2));
    type("7");
    trigger("MnuSettings_FillAll");
    QTest::keyClick(window.get(), Qt::Key_Return);
    click(pad("PadMNNLabel", 0));
    type("45");
    QTest::keyClick(window.get(), Qt::Key_Return);
    click(pad("PadTCHLabel", 1));
    QTest::keyClick(window.get(), Qt::Key_3, Qt::KeypadModifier);
    QTest::keyClick(window.get(), Qt::Key_Enter, Qt::KeypadModifier);

    // The header labels open the kit settings and leave a pending edit alone.
    click(pad("PadMNNLabel", 3));
    type("99");
    click("Print_BankNumberLabel");
    EXPECT_TRUE(window->kitSettings().isVisible());
    EXPECT_EQ(text("PadMNNLabel_3"), "99");
    EXPECT_EQ(window->kit().fields().PadMNN[3], 39);
    inSettings<QLineEdit>("KitNameText")->setText("JAZZ");
    inSettings<QComboBox>("KitNumberCombo")->setEditText("12");
    inSettings<QComboBox>("BankNumberCombo")->setEditText("0");
    QTest::keyClick(inSettings<QLineEdit>("KitNameText"), Qt::Key_Return);
    ASSERT_FALSE(window->kitSettings().isVisible());
    EXPECT_EQ(window->windowTitle(), "VEXO Morvane Editor v1.03 - JAZZ (rock1.syx)");
    EXPECT_EQ(text("Print_KitNumberLabel") + text("Print_BankNumberLabel"), "Kit #: 12Bank #: 0");
    QTest::keyClick(window.get(), Qt::Key_Escape);

    desktop.saveChoices.push_back(kits.path("jazz.syx"));
    trigger("MnuFile_SaveAs");
    KitSpec expected{"JAZZ        ", 12, 0};
    expected.notes[0] = 45;
    expected.notes[3] = 99;
    expected.channels.fill(7);
    expected.channels[1] = 3;
    EXPECT_EQ(kits.read("jazz.syx"), makeKitDump(expected));

    // A kit that arrives while the kit settings are open replaces what was typed there.
    click("Print_KitTitleLabel");
    inSettings<QComboBox>("KitNumberCombo")->setEditText("9");
    ASSERT_TRUE(window->Interpret_Buffer(makeKitDump()));
    EXPECT_EQ(inSettings<QComboBox>("KitNumberCombo")->currentText(), "5");
    EXPECT_TRUE(window->windowTitle().endsWith("(file not saved)"));
}

TEST_F(MainWindowTest, FileOpenAndOneDroppedKitFileShowTheKitAndAnUnsavedSettingIsTold)
{
    start();
    const QString path = kits.write("jazz.syx", makeKitDump({"JAZZ BRUSHES", 9}));
    EXPECT_FALSE(drop({QUrl::fromLocalFile(path), QUrl::fromLocalFile(path)}));
    EXPECT_FALSE(drop({QUrl("https://vexo.invalid/kit.syx")}));
    EXPECT_FALSE(window->kit().kitLoaded());
    EXPECT_TRUE(drop({QUrl::fromLocalFile(path)}));
    EXPECT_EQ(window->windowTitle(), "VEXO Morvane Editor v1.03 - JAZZ BRUSHES (jazz.syx)");
    EXPECT_FALSE(shown("No_Kit_Loaded_Frame"));
    EXPECT_TRUE(desktop.openRequests.empty());

#ifndef Q_OS_WIN
    // A folder in the settings file's place cannot be written, even by root.
    const QString store = userSettingsFile(texts::SettingsApplication);
    QFile::remove(store);
    ASSERT_TRUE(QDir().mkpath(store));
    desktop.openChoices.push_back(path);
    trigger("MnuFile_Open");
    QCoreApplication::processEvents();
    EXPECT_EQ(window->statusText(), "Settings could not be saved in \"" + store + "\"; they will not be remembered next time.");
    QDir(store).removeRecursively();
#endif
}

TEST_F(MainWindowTest, TheTitleShowsEveryAmpersandAndQuitClosesTheOtherWindows)
{
    start(kits.write("rock1.syx", makeKitDump({"ROCK & ROLL "})));
    EXPECT_EQ(text("Print_KitTitleLabel"), "ROCK & ROLL ");
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
        else if (step == "O") ASSERT_TRUE(window->Interpret_Buffer(makeKitDump()));
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
        {"F K5", "50 12 5", "Undo Fill All|Redo -"},  // changing nothing is no step
        {"n 60 U", "50 12 5", "Undo Fill All|Redo Note of Pad 7"},  // typing is committed first
        {"n 70 R", "70 12 5", "Undo Note of Pad 7|Redo -"},
        {"K12", "70 12 12", "Undo Kit Settings|Redo -"},
        {"U", "70 12 5", "Undo Note of Pad 7|Redo Kit Settings"},
        {"O", "42 10 5", "Undo -|Redo -"},
    };
    for (const auto& [script, shown, steps] : rows) {
        for (const QString& step : QString(script).split(' ')) act(step);
        const auto& f = window->kit().fields();
        QString labels = text("PadMNNLabel_6") + ' ' + text("PadTCHLabel_6") + ' ' + text("Print_KitNumberLabel");
        EXPECT_EQ(labels.remove("Kit #: ").toStdString(), shown) << script;
        const QString fields = QString("%1 %2 %3").arg(f.PadMNN[6]).arg(f.PadTCH[6]).arg(f.KitNumber);
        EXPECT_EQ(fields.toStdString(), shown) << script;
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
        for (const QAction* item : window->menu().fileRecentKits) paths << (item->isVisible() ? item->text() : "");
        return paths.join('|');
    };
    desktop.openChoices.push_back(jazz);
    desktop.saveChoices.push_back(copy);
    start(rock);
    trigger("MnuFile_Open");
    trigger("MnuFile_SaveAs");
    EXPECT_EQ(listed(), copy + '|' + jazz + '|' + rock + "|||||");
    window->menu().fileRecentKits[2]->trigger();
    EXPECT_EQ(desktop.openRequests.size(), 1u);
    EXPECT_EQ(readUserSetting(texts::SettingsApplication, texts::SettingsSection, texts::LoadPathKey, {}), rock);
    QFile::remove(jazz);
    window->menu().fileRecentKits[2]->trigger();
    EXPECT_EQ(desktop.messageTexts(),
              QStringList{"The kit file \"" + jazz + "\" is no longer there; it is removed from the recent list."});
    EXPECT_EQ(window->kit().CurrentSysexFile(), rock);
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
    window->midi().ports().mnuMIDI_inputs_Click(0);
    click(pad("PadMNNLabel", 1));
    type("7");
    const std::tuple<std::vector<std::uint8_t>, bool, std::vector<int>> rows[] = {
        {{0x99, 40, 64}, false, {1, 4, 9}}, {{0x99, 40, 0}, false, {1}}, {{0x98, 40, 64}, false, {1}},
        {{0x99, 40, 64}, true, {1}}};  // bytes, while receiving, lit pads
    for (const auto& [bytes, receiving, lit] : rows) {
        if (receiving) trigger("MnuSysex_ReceiveSysex");
        ASSERT_TRUE(midiDevices.play({MidiInputEvent::Kind::Short, bytes}));
        QCoreApplication::processEvents();
        for (int i = 0; i < PadCount; ++i) EXPECT_EQ(shown(pad("PadLitImage", i)), std::ranges::count(lit, i)) << i;
        EXPECT_EQ(text("LEDLabel"), lit.size() > 1 ? "Pad 5" : "");
        EXPECT_TRUE(QTest::qWaitFor([&] { return !shown("PadLitImage_4") && text("LEDLabel").isEmpty(); }));
        EXPECT_TRUE(shown("PadLitImage_1"));
        EXPECT_EQ(window->padEditing().typedText(), "7");
    }
}

// Also run at 120 dpi, where the parts must keep their logical place over the face.
TEST_F(MainWindowTest, BoardPartsSitAtTheirDesignPixels)
{
    start(kits.write("rock1.syx", makeKitDump()));
    EXPECT_EQ(control("PadMNNLabel_0")->geometry(), QRect(244, 200, 41, 25));
    EXPECT_EQ(control("PadMNNSelImage_0")->geometry(), QRect(244, 201, 37, 21));
}

// What the kit history is told, and that a refusal tells it nothing.
TEST_F(MainWindowTest, EachKitOpenedSavedReceivedOrSentIsToldOnceWithItsPlace)
{
    start();
    trigger("mnuMIDI_inputs_0");
    trigger("mnuMIDI_outputs_0");
    const KitDump rock = makeKitDump(), jazz = makeKitDump({"JAZZ        ", 9});
    const QString rockFile = kits.write("rock1.syx", rock);
    struct Row {
        const char* name;
        std::function<void()> act;
        std::vector<ToldKit> told;
    };
    const Row rows[] = {
        {"open", [&] { desktop.openChoices = {rockFile}; trigger("MnuFile_Open"); },
         {{"opened", rockFile.toStdString(), rock}}},
        {"open refused", [&] { window->kit().openNamedFile(kits.path("missing.syx")); }, {}},
        {"save", [&] { desktop.saveChoices = {kits.path("copy.syx")}; trigger("MnuFile_SaveAs"); },
         {{"saved", kits.path("copy.syx").toStdString(), rock}}},
        {"save refused", [&] { desktop.saveChoices = {kits.path("")}; trigger("MnuFile_SaveAs"); }, {}},
        {"receive",
         [&] {
             trigger("MnuSysex_ReceiveSysex");
             midiDevices.playSysex(jazz);
             QCoreApplication::processEvents();
         },
         {{"received", "Loopback In", jazz}}},
        {"send", [&] { trigger("MnuSysex_SendSysex"); }, {{"sent", "Loopback Out", jazz}}},
        {"send cancelled", [&] { desktop.answers = {MessageAnswer::Cancel}; trigger("MnuSysex_SendSysex"); }, {}},
    };
    for (const auto& row : rows) {
        history.told.clear();
        row.act();
        EXPECT_EQ(history.told, row.told) << row.name;
    }
}
