#include "WindowFixture.h"

using namespace morvane;
using namespace morvane::testing;

namespace {

KitDump kitWithBadPads()
{
    KitSpec spec;
    spec.notes[2] = 129;    // pad 3
    spec.channels[6] = 17;  // pad 7
    return makeKitDump(spec);
}

}  // namespace

TEST_F(WindowTest, EveryBadPadValueIsAskedAboutWhileTheUserSaysYes)
{
    QStringList labelsWhileAsked, statusWhileAsked;
    desktop.whileMessageShown = [&](const ShownMessage&) {
        labelsWhileAsked << text(QStringLiteral("PadMNNLabel_2"));
        statusWhileAsked << window->statusText();
    };
    start();
    ASSERT_TRUE(window->kit().Open_Sysex_File(kits.write(QStringLiteral("bad.syx"), kitWithBadPads())));

    ASSERT_EQ(desktop.messages.size(), 2U);
    EXPECT_EQ(desktop.messages[0].text,
              QStringLiteral("Midi Note Number for Pad 3 is 129. Valid Midi Note Numbers are between 0 and 128. "
                             "Do you wish to continue to be alerted of these errors?"));
    EXPECT_EQ(desktop.messages[1].text,
              QStringLiteral("Transmit Channel for Pad 7 is 17. Valid Transmit Channels are between 0 and 16. "
                             "Do you wish to continue to be alerted of these errors?"));
    for (const auto& m : desktop.messages) {
        EXPECT_EQ(m.style, MessageStyle::YesNo);
        EXPECT_EQ(m.title, QStringLiteral("Error in Sysex"));
    }
    // Asked after the load is reported and before the board shows the new kit; the bad values are then
    // shown as decoded.
    EXPECT_EQ(labelsWhileAsked, (QStringList{QString(), QString()}));
    EXPECT_EQ(statusWhileAsked, (QStringList{texts::LoadedStatus, texts::LoadedStatus}));
    EXPECT_EQ(text(QStringLiteral("PadMNNLabel_2")), QStringLiteral("129"));
    EXPECT_TRUE(window->kit().AlertOnSysexErrors());
}

TEST_F(WindowTest, NoSilencesTheQuestionsForTheRestOfTheRun)
{
    desktop.answers.push_back(MessageAnswer::No);
    startWith(kitWithBadPads());
    ASSERT_TRUE(window->Interpret_Buffer(kitWithBadPads()));
    EXPECT_EQ(desktop.messages.size(), 1U);
    EXPECT_FALSE(window->kit().AlertOnSysexErrors());
    EXPECT_EQ(text(QStringLiteral("PadTCHLabel_6")), QStringLiteral("17"));
}
