#include "SysexReceiver.h"

#include "InputDelivery.h"
#include "KitHost.h"
#include "ReceiveDialog.h"
#include "SysexSender.h"
#include "kit/KitCodec.h"
#include "kit/KitHistory.h"
#include "platform/Desktop.h"
#include "platform/WindowShell.h"

namespace morvane {
namespace {

const QString NoInputText = QStringLiteral(
    "No Midi Input selected. Click on MIDI Configuration, Input, then select a MIDI Input device from the list.");

}  // namespace

SysexReceiver::SysexReceiver(MidiDevices& devices, Desktop& desktop, WindowShell& shell, KitHost& kit,
                             ReceiveDialog& dialog, KitHistory& history)
    : devices_(devices), desktop_(desktop), shell_(shell), kit_(kit), dialog_(dialog), history_(history)
{
    listening_ = QObject::connect(&devices_.delivery(), &InputDelivery::received,
                                  [this](const MidiInputEvent& event) { Midi_Input_Proc(event); });
    dialog_.setCloseHandler([this] { receiveDialogClosed(); });
    dialog_.setProgressRange(ReceiveProgressMaximum);
}

// The devices and the dialog may outlive this receiver.
SysexReceiver::~SysexReceiver()
{
    QObject::disconnect(listening_);
    dialog_.setCloseHandler({});
}

void SysexReceiver::Listen_For_Midi_Input(bool listen)
{
    if (listen)
        startListening();
    else
        stopListening();
}

void SysexReceiver::startListening()
{
    // An input that cannot be opened says nothing here; the receive command
    // reports that no input is selected.
    const auto opened = devices_.openInput(midiInDevice_);
    midiInIsOpen_ = static_cast<bool>(opened);
    openFailure_ = opened ? std::string() : opened.error();
}

void SysexReceiver::stopListening()
{
    devices_.resetInput();
    if (auto closed = devices_.closeInput(); !closed) {
        desktop_.messageBox(QString::fromStdString(closed.error()), MessageStyle::Critical);
        return;
    }
    midiInIsOpen_ = false;
}

void SysexReceiver::resetAndCloseInput()
{
    if (!midiInIsOpen_) return;
    devices_.resetInput();
    (void)devices_.closeInput();
    midiInIsOpen_ = false;
}

Result<ListeningInput> SysexReceiver::listeningInput() const
{
    if (!midiInIsOpen_) return Result<ListeningInput>::failure(withReason(NoInputText, openFailure_).toStdString());
    return ListeningInput{&devices_.delivery(), midiInDevice_};
}

void SysexReceiver::MnuSysex_ReceiveSysex_Click()
{
    if (!midiInIsOpen_) {
        desktop_.messageBox(NoInputText, MessageStyle::Exclamation);
        return;
    }
    desktop_.beep(2000, 30);
    // Reopening empties the input of anything that came before the command;
    // what is still on its way is handled (and ignored) while not receiving.
    Listen_For_Midi_Input(false);
    desktop_.processEvents();
    Listen_For_Midi_Input(true);
    desktop_.processEvents();
    if (!midiInIsOpen_) {
        // The device went away: waiting for it would be waiting in vain.
        desktop_.messageBox(withReason(NoInputText, openFailure_), MessageStyle::Exclamation);
        return;
    }
    receivingSysex_ = true;
    dialog_.setProgressRange(ReceiveProgressMaximum);
    dialog_.setProgress(0);
    dialog_.showModeless();
}

void SysexReceiver::Midi_Input_Proc(const MidiInputEvent& event)
{
    if (event.kind != MidiInputEvent::Kind::Sysex || !receivingSysex_) return;
    if (event.bytes.empty()) return;  // a buffer handed back by a reset is no dump
    completeReceive(event);
}

void SysexReceiver::completeReceive(const MidiInputEvent& event)
{
    dialog_.setProgress(dialog_.progressMaximum());
    receivingSysex_ = false;
    desktop_.beep(500, 100);
    dialog_.closeDialog();

    if (event.bytes.size() > ReceiveBufferSize) {
        refuseReceived(QStringLiteral("The received Sysex message has %1 bytes; a kit dump has at most %2.")
                           .arg(event.bytes.size())
                           .arg(ReceiveBufferSize));
        return;
    }
    const KitDump received(event.bytes);
    if (auto decoded = decodeKit(received); !decoded) {
        refuseReceived(QStringLiteral("The received Sysex message is not a kit the editor can read. ") +
                       QString::fromStdString(decoded.error()));
        return;
    }
    shell_.Status_Update(QStringLiteral("Sysex succesfully received."));
    history_.kitReceived(received, midiInDevice_);
    kit_.takeReceivedDump(received);
}

// The current kit, its fields and its file stay as they were.
void SysexReceiver::refuseReceived(const QString& why)
{
    desktop_.messageBox(why, MessageStyle::Critical);
    shell_.Status_Update(QStringLiteral("Sysex receive failed: the message is not a kit dump."));
}

bool SysexReceiver::inputLost()
{
    resetAndCloseInput();
    if (!receivingSysex_) return false;
    dialog_.closeDialog();
    return true;
}

void SysexReceiver::receiveDialogClosed()
{
    receivingSysex_ = false;
    shell_.Status_Update(QStringLiteral("Sysex receive aborted."));
}

}  // namespace morvane
