#include "kit/KitCheck.h"

#include <gtest/gtest.h>

using namespace morvane;

namespace {

KitFields inRangeKit()
{
    KitFields fields;
    fields.KitNumber = 1;
    fields.PadMNN.fill(HighestNote);
    fields.PadTCH.fill(HighestChannel);
    fields.PadMNN[0] = 0;
    fields.PadTCH[0] = 1;
    return fields;
}

}  // namespace

TEST(CheckSysex, AsksPadByPadNoteBeforeChannelWithTheExactTexts)
{
    EXPECT_TRUE(checkSysexQuestions(inRangeKit()).empty());
    KitFields fields = inRangeKit();
    fields.PadMNN[2] = 129;
    fields.PadTCH[2] = 17;
    fields.PadTCH[6] = 255;
    EXPECT_EQ(checkSysexQuestions(fields),
              (std::vector<std::string>{
                  "Midi Note Number for Pad 3 is 129. Valid Midi Note Numbers are between 0 and 128. "
                  "Do you wish to continue to be alerted of these errors?",
                  "Transmit Channel for Pad 3 is 17. Valid Transmit Channels are between 0 and 16. "
                  "Do you wish to continue to be alerted of these errors?",
                  "Transmit Channel for Pad 7 is 255. Valid Transmit Channels are between 0 and 16. "
                  "Do you wish to continue to be alerted of these errors?",
              }));
}
