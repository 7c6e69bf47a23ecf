// The real main window, headless, talking through the real MIDI devices and
// a JACK server to controllers played through libjack directly.
#include "editor/widgets/MainWindow.h"
#include "kit/KitCodec.h"
#include "midi/devices/JackMidiDevices.h"
#include "midi/MidiSettings.h"
#include "support/JackPeer.h"
#include "support/KitFiles.h"
#include "support/RecordingKitHistory.h"
#include "support/ScriptedDesktop.h"

#include <QAction>
#include <QElapsedTimer>
#include <QMenu>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

using namespace morvane;
using namespace morvane::testing;

namespace {

class EditorOverMidi : public ::testing::Test {
protected:
    void SetUp() override
    {
        MORVANE_REQUIRE_JACK();
        QSettings(QSettings::NativeFormat, QSettings::UserScope, midisettings::Application).clear();
        ASSERT_TRUE(pad->ready());
    }

    void startWindow()
    {
        devices.emplace(OwnClientPrefix);
        window = std::make_unique<MainWindow>(desktop, *devices, history);
        QSignalSpy painted(window.get(), &MainWindow::firstPainted);
        window->start();
        ASSERT_TRUE(painted.wait());
    }

    QAction* itemOf(const char* menuName, const std::string& deviceName)
    {
        for (auto* item : window->findChild<QMenu*>(menuName)->actions())
            if (item->text().toStdString() == deviceName) return item;
        return nullptr;
    }

    // Lists follow the devices a moment after they come.
    void choose(const char* menuName, const std::string& deviceName)
    {
        ASSERT_TRUE(QTest::qWaitFor([&] { return itemOf(menuName, deviceName); })) << deviceName << " is not listed";
        itemOf(menuName, deviceName)->trigger();
    }

    // As a user would: the main window is active again once the receive window closed.
    void press(Qt::Key key)
    {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        QTest::keyClick(window.get(), key);
    }

    // The status line may say more before: devices that come and go are told in any order.
    bool waitForStatus(const QString& text)
    {
        return QTest::qWaitFor([&] { return window->statusText().endsWith(text); }, 5000);
    }

    const Bytes kit = exampleKitDump();
    std::optional<JackPeer> pad{std::in_place, "morvane-test-pad"};
    std::optional<JackMidiDevices> devices;
    ScriptedDesktop desktop;
    RecordingKitHistory history;
    std::unique_ptr<MainWindow> window;
};

TEST_F(EditorOverMidi, AKitArrivingWhileTheDialogWaitsIsTakenAndSendIsReportedSentOnlyWhenTheKitArrived)
{
    startWindow();
    choose("mnuMIDI_Input", pad->outName());
    choose("mnuMIDI_Output", pad->inName());

    // A kit sent before F2, pieces, real-time bytes and a reopening are proved
    // on loopback and real devices; here the window's part.
    press(Qt::Key_F2);
    ASSERT_TRUE(pad->send({kit}));
    ASSERT_TRUE(waitForStatus("Sysex succesfully received.")) << window->statusText().toStdString();
    EXPECT_EQ(window->kit().kitDump(), kit);

    window->kit().fields().PadMNN[5] = 77;
    press(Qt::Key_F1);
    ASSERT_TRUE(pad->waitForReceived(1)) << desktop.messageTexts().join("|").toStdString();
    EXPECT_EQ(window->statusText(), "Sysex succesfully sent.");
    EXPECT_EQ(pad->received().front(), window->kit().kitDump());
    EXPECT_EQ(decodeKit(pad->received().front()).value().PadMNN[5], 77);

    // Gone: named at once, and a send names why; back under its name: taken back, and the next send arrives.
    pad.reset();
    ASSERT_TRUE(waitForStatus("MIDI output \"morvane-test-pad:in\" has gone."));
    desktop.messages.clear();
    press(Qt::Key_F1);
    const QString told = desktop.messageTexts().join('|');
    EXPECT_TRUE(told.endsWith("\n\nMIDI output \"morvane-test-pad:in\" has gone; it is taken back when it returns."))
        << told.toStdString();
    pad.emplace("morvane-test-pad");
    ASSERT_TRUE(waitForStatus("MIDI output \"morvane-test-pad:in\" is back."));
    press(Qt::Key_F1);
    ASSERT_TRUE(pad->waitForReceived(1));
    EXPECT_EQ(window->statusText(), "Sysex succesfully sent.");
}

// A stalled server answers nothing: each command ends with its reason, the
// window's event loop runs on, and closing ends within the 2 s a user waits.
TEST_F(EditorOverMidi, AStalledServerNeverHoldsUpTheWindow)
{
    OwnJackServer server(QStringLiteral("morvane-test-stalled"));
    ASSERT_TRUE(server.running());
    pad.emplace("morvane-test-pad");
    startWindow();
    ASSERT_TRUE(window->Interpret_Buffer(kit));
    choose("mnuMIDI_Output", pad->inName());
    server.stall();
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(20);

    press(Qt::Key_F1);
    const QString told = desktop.messageTexts().join('|');
    EXPECT_TRUE(told.contains("PROBLEM IN SENDING SOUND DUMP REQUEST\n\nThe JACK server did not answer"))
        << told.toStdString();
    choose("mnuMIDI_Input", pad->outName());
    EXPECT_TRUE(window->statusText().contains("the JACK server does not answer")) << window->statusText().toStdString();
    QTest::qWait(200);
    EXPECT_GT(ticks, 3);

    QElapsedTimer closing;
    closing.start();
    window->close();
    window.reset();
    devices.reset();
    EXPECT_LT(closing.elapsed(), 2000);
}

// Played twice, by Ctrl+click and by the context menu, then struck on the controller.
TEST_F(EditorOverMidi, APadPlaysOnTheOutputAndLightsWhenStruckOnTheController)
{
    startWindow();
    ASSERT_TRUE(window->Interpret_Buffer(kit));
    choose("mnuMIDI_Input", pad->outName());
    choose("mnuMIDI_Output", pad->inName());
    QTest::mouseClick(window->findChild<QWidget*>("PadMNNLabel_6"), Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(window->statusText(), "Pad 7 played: note 44 on channel 10.");
    window->findChild<QWidget*>("PadImage_6")->actions().front()->trigger();
    ASSERT_TRUE(pad->waitForReceived(4));
    const Bytes on{0x99, 44, 100}, off{0x89, 44, 0};
    EXPECT_EQ(pad->received(), (std::vector<Bytes>{on, on, off, off}));
    EXPECT_EQ(window->padEditing().SelectedPad(), 0);
    ASSERT_TRUE(pad->send({on}));
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->findChild<QWidget*>("PadLitImage_6")->isVisible(); }));
}

// The menus follow the devices: one that goes leaves them, one that comes
// after start-up can be chosen, by its name. A remembered port that is absent
// is proved on loopback devices.
TEST_F(EditorOverMidi, PortsFollowTheDevicesAndAreChosenByName)
{
    std::optional<JackPeer> d(std::in_place, "morvane-test-d");
    JackPeer c("morvane-test-c");
    startWindow();
    d.reset();
    JackPeer a("morvane-test-a");
    choose("mnuMIDI_Output", a.inName());
    EXPECT_FALSE(itemOf("mnuMIDI_Output", "morvane-test-d:in"));
    ASSERT_TRUE(window->kit().Open_Sysex_File(QStringLiteral(MORVANE_SOURCE_DIR "/examples/demo-kit.syx")));
    press(Qt::Key_F1);
    ASSERT_TRUE(a.waitForReceived(1));
    EXPECT_TRUE(c.received().empty());
}

}  // namespace
