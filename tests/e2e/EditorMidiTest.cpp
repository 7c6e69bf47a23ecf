// The real main window, headless, talking through the real RtMidi devices
// and a JACK server to morvane-sim.
#include "editor/MainWindow.h"
#include "kit/KitCodec.h"
#include "midi/EditorMidi.h"
#include "midi/MidiSettings.h"
#include "midi/JackMidiDevices.h"
#include "midi/RtMidiDevices.h"
#include "support/KitFiles.h"
#include "support/MidiPeers.h"
#include "support/ScriptedDesktop.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QSettings>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace morvane;
using namespace morvane::testing;

namespace {

const QString KitFile = QStringLiteral(MORVANE_SOURCE_DIR "/examples/demo-kit.syx");

class EditorOverMidi : public ::testing::Test {
protected:
    void SetUp() override
    {
        MORVANE_REQUIRE_JACK();
        QSettings(QSettings::NativeFormat, QSettings::UserScope, midisettings::Application).clear();
        ASSERT_TRUE(sim.ready());
        window = std::make_unique<MainWindow>(desktop, devices);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        choose("mnuMIDI_Input", SimulatedController::EditorInputName);
        choose("mnuMIDI_Output", SimulatedController::EditorOutputName);
    }

    void choose(const char* menuName, const char* deviceName)
    {
        for (auto* item : window->findChild<QMenu*>(menuName)->actions())
            if (item->text() == deviceName) return item->trigger();
        FAIL() << deviceName << " is not listed";
    }

    void press(Qt::Key key) { QTest::keyClick(window.get(), key); }

    bool waitForStatus(const QString& text)
    {
        return QTest::qWaitFor([&] { return window->statusText() == text; }, 5000);
    }

    QWidget* receiveDialog() { return window->findChild<QWidget*>("ReceiveSysexDumpForm"); }

    SimulatedController sim;
    JackMidiDevices devices{OwnClientPrefix};
    ScriptedDesktop desktop;
    std::unique_ptr<MainWindow> window;
};

TEST_F(EditorOverMidi, OnlyAKitArrivingWhileTheDialogWaitsIsShownAsAKitWithoutAFile)
{
    sim.command("send " + KitFile);
    ASSERT_TRUE(sim.waitForOutput("sent " + KitFile));
    QTest::qWait(300);  // whatever the window would do with it, it has done
    EXPECT_FALSE(window->kit().kitLoaded());
    EXPECT_EQ(window->statusText(), "");

    press(Qt::Key_F2);
    sim.command("note 38");
    ASSERT_TRUE(sim.waitForOutput("played note 38"));
    QTest::qWait(300);
    ASSERT_TRUE(receiveDialog()->isVisible());
    EXPECT_FALSE(window->kit().kitLoaded());

    sim.command("send " + KitFile);
    ASSERT_TRUE(waitForStatus("Sysex succesfully received."));
    const auto kit = exampleKitDump();
    EXPECT_EQ(window->kit().kitDump(), kit);
    EXPECT_TRUE(window->windowTitle().endsWith("(file not saved)")) << window->windowTitle().toStdString();
    const auto fields = decodeKit(kit).value();
    for (int pad : {0, 23}) {
        EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("PadMNNLabel_%1").arg(pad))->text(),
                  QString::number(fields.PadMNN[static_cast<std::size_t>(pad)]));
        EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("PadTCHLabel_%1").arg(pad))->text(),
                  QString::number(fields.PadTCH[static_cast<std::size_t>(pad)]));
    }
    EXPECT_FALSE(receiveDialog()->isVisible());
}

TEST_F(EditorOverMidi, ConfirmedSendDeliversExactlyTheEncodedKit)
{
    ASSERT_TRUE(window->kit().Open_Sysex_File(KitFile));
    window->kit().fields().PadMNN[5] = 77;
    press(Qt::Key_F1);
    ASSERT_TRUE(sim.waitForOutput("saved")) << desktop.messageTexts().join("|").toStdString() << " / "
                                            << window->statusText().toStdString();
    EXPECT_EQ(window->statusText(), "Sysex succesfully sent.");
    const auto delivered = sim.savedFile(1);
    EXPECT_EQ(delivered.size(), KitDumpLength);
    EXPECT_EQ(delivered, window->kit().kitDump());
    EXPECT_EQ(decodeKit(delivered).value().PadMNN[5], 77);
}

}  // namespace
