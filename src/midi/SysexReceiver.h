#pragma once

#include "MidiDevices.h"

#include <QMetaObject>
#include <QString>

#include <cstddef>
#include <string>
#include <utility>

namespace morvane {

class Desktop;
class KitHistory;
class KitHost;
class ReceiveDialog;
class WindowShell;

// The receive buffer's size: a longer message is refused, never cut.
inline constexpr std::size_t ReceiveBufferSize = 1000;

// The chosen input while it listens: its name, and where what it hears is
// delivered.
struct ListeningInput {
    InputDelivery* delivery;
    std::string name;
};

// Listening on the chosen input and the "Receive Sysex Kit Dump" command.
// It listens to the devices' received messages once, here, however often the
// input is reopened, on the window thread. A kit received is told to the kit
// history.
class SysexReceiver {
public:
    SysexReceiver(MidiDevices& devices, Desktop& desktop, WindowShell& shell, KitHost& kit, ReceiveDialog& dialog,
                  KitHistory& history);
    ~SysexReceiver();
    SysexReceiver(const SysexReceiver&) = delete;
    SysexReceiver& operator=(const SysexReceiver&) = delete;

    void Listen_For_Midi_Input(bool listen);
    void MnuSysex_ReceiveSysex_Click();
    void Midi_Input_Proc(const MidiInputEvent& event);

    // Stops listening without a word, as choosing another input does.
    void resetAndCloseInput();
    // The chosen input's device went away: stops listening and ends a
    // receive waiting on it; true when one was waiting.
    bool inputLost();
    void setMidiInDevice(std::string name) { midiInDevice_ = std::move(name); }
    const std::string& midiInDevice() const { return midiInDevice_; }
    void setReceivingSysex(bool receiving) { receivingSysex_ = receiving; }

    bool MidiInIsOpen() const { return midiInIsOpen_; }
    // Why the input did not open when listening last started; empty when it did.
    const std::string& openFailure() const { return openFailure_; }
    // Why none listens, as the receive command says it, when none does.
    Result<ListeningInput> listeningInput() const;
    bool ReceivingSysex() const { return receivingSysex_; }

private:
    void startListening();
    void stopListening();
    void completeReceive(const MidiInputEvent& event);
    void refuseReceived(const QString& why);
    void receiveDialogClosed();

    MidiDevices& devices_;
    Desktop& desktop_;
    WindowShell& shell_;
    KitHost& kit_;
    ReceiveDialog& dialog_;
    KitHistory& history_;
    QMetaObject::Connection listening_;
    std::string midiInDevice_;  // the chosen input's name
    std::string openFailure_;
    bool midiInIsOpen_ = false;
    bool receivingSysex_ = false;
};

}  // namespace morvane
