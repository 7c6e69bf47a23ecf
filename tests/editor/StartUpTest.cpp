#include "WindowFixture.h"

#include "editor/KitHeader.h"
#include "editor/PadBoard.h"

#include <QAction>
#include <QFileInfo>

using namespace morvane;
using namespace morvane::testing;

namespace {

class StartUp : public WindowTest {
protected:
    void expectNoKitLoaded()
    {
        EXPECT_EQ(window->windowTitle(), QStringLiteral("VEXO Morvane Editor v1.03"));
        EXPECT_EQ(window->statusText(), QString());
        EXPECT_TRUE(shown(QStringLiteral("No_Kit_Loaded_Frame")));
        for (const char* header : {"Print_KitTitleLabel", "Print_KitNumberLabel", "Print_BankNumberLabel"})
            EXPECT_FALSE(shown(QString::fromLatin1(header))) << header;
        for (int i = 0; i < PadCount; ++i) {
            EXPECT_EQ(text(padName("PadMNNLabel", i)), QString());
            EXPECT_EQ(text(padName("PadTCHLabel", i)), QString());
        }
        EXPECT_FALSE(window->kit().kitLoaded());
        EXPECT_EQ(window->kit().kitDump(), emptyKitDump());
    }
};

}  // namespace

TEST_F(StartUp, WithoutAKitTheWindowTellsHowToGetOneAndAboutShowsTheCredits)
{
    start();
    expectNoKitLoaded();
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_TRUE(text(QStringLiteral("No_Kit_Loaded_Label")).startsWith(QStringLiteral("No kit is currently loaded.")));
    EXPECT_TRUE(text(QStringLiteral("No_Kit_Loaded_To_Open_A_Kit_Label")).contains(QStringLiteral("click \"OK\"")));
    EXPECT_EQ(window->face()->size(), QSize(746, 324));  // the design size in logical pixels
    const QRect frame = control(QStringLiteral("No_Kit_Loaded_Frame"))->geometry();
    EXPECT_EQ(frame, window->face()->rect());
    for (const char* covered : {"PadImage_14", "PadMNNLabel_23", "VexoButtonOffImage", "Print_KitTitleLabel"})
        EXPECT_TRUE(frame.contains(control(QString::fromLatin1(covered))->geometry())) << covered;

    control<QAction>(QStringLiteral("mnu_about"))->trigger();
    ASSERT_EQ(desktop.messages.size(), 1U);
    EXPECT_EQ(desktop.messages[0].style, MessageStyle::Information);
    EXPECT_EQ(desktop.messages[0].title, QStringLiteral("About"));
    EXPECT_EQ(desktop.messages[0].text.split(QLatin1Char('\n')).size(), 6);
}

TEST_F(StartUp, WithAKitFileTheKitIsShown)
{
    KitSpec spec;
    spec.notes[0] = 36;
    spec.channels[0] = 10;
    spec.notes[23] = 0;
    startWith(makeKitDump(spec), QStringLiteral("rock1.syx"));

    EXPECT_EQ(window->windowTitle(), QStringLiteral("VEXO Morvane Editor v1.03 - ROCK 1       (rock1.syx)"));
    EXPECT_EQ(window->statusText(), QStringLiteral("Successfully loaded file..."));
    EXPECT_FALSE(shown(QStringLiteral("No_Kit_Loaded_Frame")));
    EXPECT_EQ(text(QStringLiteral("PadMNNLabel_0")), QStringLiteral("36"));
    EXPECT_EQ(text(QStringLiteral("PadTCHLabel_0")), QStringLiteral("10"));
    EXPECT_EQ(text(QStringLiteral("PadMNNLabel_5")), QStringLiteral("41"));
    EXPECT_EQ(text(QStringLiteral("Print_KitNumberLabel")), QStringLiteral("Kit #: 5"));
    EXPECT_EQ(text(QStringLiteral("Print_BankNumberLabel")), QStringLiteral("Bank #: 3"));
    EXPECT_TRUE(shown(QStringLiteral("Print_KitTitleLabel")));
    EXPECT_EQ(window->kit().CurrentSysexFile(), kits.path(QStringLiteral("rock1.syx")));
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(StartUp, AKitFileThatCannotBeOpenedIsReportedAndNoKitIsLoaded)
{
    const QString missing = kits.path(QStringLiteral("missing.syx"));
    start(missing);
    ASSERT_EQ(desktop.messages.size(), 1U);
    EXPECT_EQ(desktop.messages[0].style, MessageStyle::Plain);
    EXPECT_EQ(desktop.messages[0].title, QStringLiteral("VEXO Morvane Editor"));
    EXPECT_TRUE(desktop.messages[0].text.contains(missing));
    EXPECT_TRUE(window->kit().CurrentSysexFile().isEmpty());
    expectNoKitLoaded();
}

TEST_F(StartUp, QuitClosesTheWindowAndTheProgramsOtherWindows)
{
    start();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QWidget batch;
    batch.show();
    QWidget neverOpened;
    window->setOtherWindow(OtherWindow::BatchSysexDump, &batch);
    window->setOtherWindow(OtherWindow::KitSettings, &neverOpened);
    QTest::keyClick(window.get(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(batch.isVisible());
    EXPECT_FALSE(neverOpened.isVisible());
}

TEST_F(StartUp, TheLogoLightsUnderTheMouseAndOpensOurDocumentation)
{
    start();
    moveOver(control(QStringLiteral("VexoButtonOffImage")));
    EXPECT_TRUE(shown(QStringLiteral("VexoButtonOnImage")));
    moveOverBackground();
    EXPECT_FALSE(shown(QStringLiteral("VexoButtonOnImage")));

    moveOver(control(QStringLiteral("VexoButtonOffImage")));
    QTest::mouseClick(control(QStringLiteral("VexoButtonOnImage")), Qt::LeftButton);
    ASSERT_EQ(desktop.openedUrls.size(), 1U);
    EXPECT_EQ(QFileInfo(desktop.openedUrls[0].toLocalFile()).fileName(), QStringLiteral("README.md"));
    EXPECT_TRUE(QFileInfo(desktop.openedUrls[0].toLocalFile()).isFile());
    EXPECT_TRUE(desktop.messages.empty());
}
