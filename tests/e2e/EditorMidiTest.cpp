// The real main window, headless, talking through the real MIDI devices and
// a JACK server to controllers played through libjack directly.
#include "editor/widgets/MainWindow.h"
#include "midi/devices/JackMidiDevices.h"
#include "midi/MidiSettings.h"
#include "platform/UserSettings.h"
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
        window = std::make_unique<MainWindow>(desktop, settings, *devices, history);
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
    UserSettings settings;
    RecordingKitHistory history;
    std::unique_ptr<MainWindow> window;
};

// Receiving and sending an edited kit through the window are proved under X
// (acceptance-under-x.sh); here the menus follow the devices: one that goes
// leaves them, one that comes after start-up is chosen by its name, and a
// chosen one that goes is named, and taken back when it returns.
TEST_F(EditorOverMidi, PortsFollowTheDevicesAndAChosenOneThatGoesIsTakenBackWhenItReturns)
{
    std::optional<JackPeer> d(std::in_place, "morvane-test-d");
    startWindow();
    ASSERT_TRUE(window->openKit(kit));
    d.reset();
    std::optional<JackPeer> a(std::in_place, "morvane-test-a");
    choose("mnuMIDI_Output", a->inName());
    EXPECT_FALSE(itemOf("mnuMIDI_Output", "morvane-test-d:in"));

    a.reset();
    ASSERT_TRUE(waitForStatus("MIDI output \"morvane-test-a:in\" has gone."));
    press(Qt::Key_F1);
    const QString told = desktop.messageTexts().join('|');
    EXPECT_TRUE(told.endsWith("\n\nMIDI output \"morvane-test-a:in\" has gone; it is taken back when it returns."))
        << told.toStdString();
    a.emplace("morvane-test-a");
    ASSERT_TRUE(waitForStatus("MIDI output \"morvane-test-a:in\" is back."));
    press(Qt::Key_F1);
    ASSERT_TRUE(a->waitForReceived(1));
    EXPECT_EQ(a->received().front(), kit);
    EXPECT_EQ(window->statusText(), "Sysex succesfully sent.");
    EXPECT_TRUE(pad->received().empty());
}

// A stalled server answers nothing: each command ends with its reason, and
// closing ends within the 2 s a user waits.
TEST_F(EditorOverMidi, AStalledServerNeverHoldsUpTheWindow)
{
    OwnJackServer server(QStringLiteral("morvane-test-stalled"));
    ASSERT_TRUE(server.running());
    pad.emplace("morvane-test-pad");
    startWindow();
    ASSERT_TRUE(window->openKit(kit));
    choose("mnuMIDI_Output", pad->inName());
    server.stall();
    press(Qt::Key_F1);
    const QString told = desktop.messageTexts().join('|');
    EXPECT_TRUE(told.contains("PROBLEM IN SENDING SOUND DUMP REQUEST\n\nThe JACK server did not answer"))
        << told.toStdString();
    choose("mnuMIDI_Input", pad->outName());
    EXPECT_TRUE(window->statusText().contains("the JACK server does not answer")) << window->statusText().toStdString();

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
    ASSERT_TRUE(window->openKit(kit));
    choose("mnuMIDI_Input", pad->outName());
    choose("mnuMIDI_Output", pad->inName());
    QTest::mouseClick(window->findChild<QWidget*>("PadMNNLabel_6"), Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(window->statusText(), "Pad 7 played: note 44 on channel 10.");
    window->findChild<QWidget*>("PadImage_6")->actions().front()->trigger();
    ASSERT_TRUE(pad->waitForReceived(4));
    const Bytes on{0x99, 44, 100}, off{0x89, 44, 0};
    EXPECT_EQ(pad->received(), (std::vector<Bytes>{on, on, off, off}));
    EXPECT_TRUE(window->findChild<QWidget*>("PadMNNSelImage_6")->isHidden());
    ASSERT_TRUE(pad->send({on}));
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->findChild<QWidget*>("PadLitImage_6")->isVisible(); }));
}

}  // namespace
