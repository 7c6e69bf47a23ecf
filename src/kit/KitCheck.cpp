#include "KitCheck.h"

namespace morvane {

std::vector<std::string> checkSysexQuestions(const KitFields& f)
{
    std::vector<std::string> questions;
    for (int p = 0; p < PadCount; ++p) {
        const std::string pad = std::to_string(p + 1);
        if (f.PadMNN[p] > HighestNote)
            questions.push_back("Midi Note Number for Pad " + pad + " is " + std::to_string(f.PadMNN[p]) +
                                ". Valid Midi Note Numbers are between 0 and " + std::to_string(HighestNote) +
                                ". Do you wish to continue to be alerted of these errors?");
        if (f.PadTCH[p] > HighestChannel)
            questions.push_back("Transmit Channel for Pad " + pad + " is " + std::to_string(f.PadTCH[p]) +
                                ". Valid Transmit Channels are between " + std::to_string(ChannelRule.lowest) +
                                " and " + std::to_string(HighestChannel) +
                                ". Do you wish to continue to be alerted of these errors?");
    }
    return questions;
}

}  // namespace morvane
