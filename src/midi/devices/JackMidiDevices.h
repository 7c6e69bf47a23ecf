#pragma once

#include "midi/InputDelivery.h"
#include "midi/MidiDevices.h"
#include "midi/ServerCalls.h"
#include "midi/SysexFramer.h"

#include <memory>
#include <string>
#include <thread>

namespace morvane {

// MIDI devices on a JACK server, through libjack directly. RtMidi's JACK
// back end cannot keep the device interface's promises: it lists a dead
// server's ports, loses messages larger than its ring buffer without a word,
// busy-waits for ever for ring space, and glues received SysEx pieces across
// a reopen. Here a send is handed to the process callback and waits, with a
// time limit, until the callback has written it into a period with our port
// connected to the chosen device; received bytes are framed into whole
// messages per opening of the input. A channel message goes through a ring
// to the process callback without waiting, for a note must not hold up the window.
//
// Every call that waits on the server (client open, activate, port register,
// connect, disconnect, close) runs on one worker thread, so a stalled server
// never holds up the caller for longer than a second: constructing returns at
// once, closing never waits, and a client whose server does not answer at the
// end is abandoned. Looking up ports reads the client's own copy of the graph
// and runs where it is asked. Create it on the window thread: received
// messages and list changes are signalled there.
class JackMidiDevices final : public MidiDevices {
public:
    // clientName must start with OwnClientPrefix; noServer says why there
    // are no devices when no server answers.
    explicit JackMidiDevices(const std::string& clientName, std::string noServer = "no JACK server is running");
    ~JackMidiDevices() override;

    JackMidiDevices(const JackMidiDevices&) = delete;
    JackMidiDevices& operator=(const JackMidiDevices&) = delete;

    Status serviceStatus() override;
    std::string serviceName() const override { return "the JACK server"; }

    std::vector<std::string> inputNames() override;
    std::vector<std::string> outputNames() override;

    Status openInput(const std::string& name) override;
    void resetInput() override;
    Status closeInput() override;

    Status openOutput(const std::string& name) override;
    void resetOutput() override;
    void closeOutput() override;

    Status sendSysex(const std::vector<std::uint8_t>& message) override;
    Status sendChannelMessage(const ChannelMessage& message) override;
    bool inputReachable() override;
    bool outputReachable() override;
    std::string openOutputName() const override { return outputName_; }
    InputDelivery& delivery() override { return delivery_; }

private:
    // What libjack's threads and the worker touch; it outlives this object
    // while an abandoned call still holds it.
    struct Client;
    struct PendingSend;

    bool running();
    bool clientOpened();
    bool serverSilent() const;
    std::vector<std::string> portsOfOthers(unsigned long flags);
    Status connect(const std::string& from, const std::string& to, const std::string& device);
    static Status unavailable(const std::string& device, const Status& service);
    Status refusalToSend(std::size_t length);
    bool outputPortIsTheOpenedOne();
    Status waitUntilWritten(PendingSend& send);
    Status untaken(bool serverAnswered) const;
    void deliverReceived();

    std::shared_ptr<Client> client_;
    std::string noServer_;
    std::string inputName_;
    std::string outputName_;
    ServerCalls calls_;
    std::thread reader_;
    SysexFramer framer_;
    InputDelivery delivery_;
};

}  // namespace morvane
