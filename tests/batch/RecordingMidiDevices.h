#pragma once

#include "midi/MidiDevices.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace morvane::testing {

// One output that records every SysEx message sent to it. duringSend runs
// inside each transfer, as a user's click would arrive while it lasts.
class RecordingMidiDevices final : public MidiDevices {
public:
    std::vector<std::vector<std::uint8_t>> sent;
    std::function<void()> duringSend;
    bool refuseSends = false;

    std::vector<std::string> inputNames() override { return {}; }
    std::vector<std::string> outputNames() override { return {"Recording output"}; }
    Status openInput(int) override { return Status::failure("There is no input."); }
    void resetInput() override {}
    Status closeInput() override { return succeeded(); }
    Status openOutput(int) override { return succeeded(); }
    void resetOutput() override {}
    void closeOutput() override {}
    Status sendSysex(const std::vector<std::uint8_t>& message) override
    {
        if (duringSend) duringSend();
        if (refuseSends) return Status::failure("The output refused the message.");
        sent.push_back(message);
        return succeeded();
    }
    void setInputHandler(InputHandler) override {}
};

}  // namespace morvane::testing
