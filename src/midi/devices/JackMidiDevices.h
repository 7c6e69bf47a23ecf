#pragma once

#include "midi/InputDelivery.h"
#include "midi/MidiDevices.h"
#include "midi/SysexFramer.h"

#include <jack/ringbuffer.h>
#include <jack/types.h>

#include <atomic>
#include <cstdint>
#include <semaphore>
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
// Create it on the window thread: received messages are handed to the input
// handler there.
class JackMidiDevices final : public MidiDevices {
public:
    // clientName must start with OwnClientPrefix.
    explicit JackMidiDevices(const std::string& clientName);
    ~JackMidiDevices() override;

    JackMidiDevices(const JackMidiDevices&) = delete;
    JackMidiDevices& operator=(const JackMidiDevices&) = delete;

    // False when no JACK server answered, or it has stopped since.
    bool serverRunning() const;

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
    bool outputReachable() override;
    std::string openOutputName() const override { return outputName_; }
    void setInputHandler(InputHandler handler) override;

private:
    // A send waiting for the process callback; owned by the sending thread.
    struct PendingSend {
        const std::vector<std::uint8_t>* message = nullptr;
        enum class State { Waiting, Written, DidNotFit };
        std::atomic<State> state{State::Waiting};
    };

    // A channel message in the ring, with the output opening it was sent on.
    struct QueuedChannelMessage {
        std::uint64_t outputOpening;
        ChannelMessage message;
    };

    static int onProcess(jack_nframes_t frames, void* self);
    static void onShutdown(void* self);
    static void onPortRegistration(jack_port_id_t port, int registered, void* self);
    void writePendingSend(void* buffer);
    void writeChannelMessages(void* buffer);
    void readInput(void* buffer);
    void deliverReceived();

    std::vector<std::string> portsOfOthers(unsigned long flags);
    Status refusalToSend(std::size_t length);
    bool outputPortIsTheOpenedOne();
    Status waitUntilWritten(PendingSend& send);
    Status untaken() const;

    jack_client_t* client_ = nullptr;
    jack_port_t* inPort_ = nullptr;
    jack_port_t* outPort_ = nullptr;
    std::atomic<bool> serverGone_{false};
    std::string outputName_;
    // The chosen device's port, and whether it went away since: a device that
    // restarts under the same name may get the same port back, but not our connection.
    std::atomic<const jack_port_t*> outputPort_{nullptr};
    std::atomic<bool> outputPortLeft_{false};

    std::atomic<PendingSend*> pendingSend_{nullptr};
    std::atomic<std::size_t> largestEvent_{0};  // as the server last said

    // Written by the sending thread, read by the process callback; what was
    // sent on an output since closed is dropped there.
    jack_ringbuffer_t* channelMessages_ = nullptr;
    std::atomic<std::uint64_t> outputOpening_{0};

    // Received bytes travel from the process callback through the ring to the
    // reader thread, which frames them and hands whole messages over.
    jack_ringbuffer_t* received_ = nullptr;
    std::atomic<std::uint64_t> opening_{0};  // odd while the input is open
    std::atomic<std::uint64_t> lostEvents_{0};
    std::counting_semaphore<> bytesArrived_{0};
    std::atomic<bool> stopReading_{false};
    std::thread reader_;
    SysexFramer framer_;
    InputDelivery delivery_;
};

}  // namespace morvane
