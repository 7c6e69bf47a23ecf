#pragma once

#include "MidiDevices.h"

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

// Listening on the chosen input and the "Receive Sysex Kit Dump" command.
// The input handler is attached once, here, however often the input is
// reopened; it runs on the window thread. A kit received is told to the
// kit history.
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
    void setMidiInDevice(std::string name) { midiInDevice_ = std::move(name); }
    void setReceivingSysex(bool receiving) { receivingSysex_ = receiving; }
    void closeDialogIfShown();
    // Runs for each other message the input brings while no receive waits
    // for a kit, e.g. the notes of pads struck on the controller.
    void setOtherMessageHandler(MidiDevices::InputHandler handler) { otherMessages_ = std::move(handler); }

    bool MidiInIsOpen() const { return midiInIsOpen_; }
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
    MidiDevices::InputHandler otherMessages_;
    std::string midiInDevice_;  // the chosen input's name
    bool midiInIsOpen_ = false;
    bool receivingSysex_ = false;
};

}  // namespace morvane
