#include "PadNotes.h"

#include "MidiPortSelection.h"
#include "platform/WindowShell.h"

#include <QString>
#include <QTimer>

namespace morvane {
namespace {

constexpr std::uint8_t NoteOnKind = 0x90;
constexpr std::uint8_t NoteOffKind = 0x80;
constexpr std::uint8_t PlayVelocity = 100;
constexpr int PlayMilliseconds = 250;
constexpr int HighestMidiNote = 127;
constexpr int HighestMidiChannel = 16;

// Channels are 1 to 16 to the user and 0 to 15 in the status byte.
ChannelMessage noteMessage(std::uint8_t kind, int channel, int note, std::uint8_t velocity)
{
    return {static_cast<std::uint8_t>(kind | (channel - 1)), static_cast<std::uint8_t>(note), velocity};
}

QString padName(int pad) { return QStringLiteral("Pad %1").arg(pad + 1); }

// Why a pad holding these values cannot be played; empty when it can.
QString refusalToPlay(bool outputChosen, int note, int channel)
{
    if (!outputChosen) return QStringLiteral("no MIDI output is chosen.");
    if (channel < 1 || channel > HighestMidiChannel)
        return QStringLiteral("its channel %1 is not a MIDI channel (1 to %2).").arg(channel).arg(HighestMidiChannel);
    if (note > HighestMidiNote)
        return QStringLiteral("its note %1 is not a MIDI note (0 to %2).").arg(note).arg(HighestMidiNote);
    return {};
}

}  // namespace

std::vector<int> padsHitBy(const MidiInputEvent& event, const KitFields& fields)
{
    std::vector<int> pads;
    const auto& bytes = event.bytes;
    // A Note On of velocity 0 is a Note Off.
    if (bytes.size() != 3 || (bytes[0] & 0xF0) != NoteOnKind || bytes[2] == 0) return pads;
    const int channel = (bytes[0] & 0x0F) + 1;
    for (int i = 0; i < PadCount; ++i)
        if (fields.PadMNN[i] == bytes[1] && fields.PadTCH[i] == channel) pads.push_back(i);
    return pads;
}

PadPlayer::PadPlayer(MidiDevices& devices, WindowShell& shell, const MidiPortSelection& ports)
    : devices_(devices), shell_(shell), ports_(ports)
{
}

void PadPlayer::playPad(int pad, std::uint8_t note, std::uint8_t channel)
{
    const QString notPlayed = padName(pad) + QStringLiteral(" was not played: ");
    if (const auto refusal = refusalToPlay(ports_.MidiOutIsOpen(), note, channel); !refusal.isEmpty()) {
        shell_.Status_Update(notPlayed + refusal);
        return;
    }
    if (auto sent = devices_.sendChannelMessage(noteMessage(NoteOnKind, channel, note, PlayVelocity)); !sent) {
        shell_.Status_Update(notPlayed + QStringLiteral("the note could not be sent. ") +
                             QString::fromStdString(sent.error()));
        return;
    }
    shell_.Status_Update(padName(pad) + QStringLiteral(" played: note %1 on channel %2.").arg(int{note}).arg(int{channel}));
    dueNoteOffs_.push_back({pad, noteMessage(NoteOffKind, channel, note, 0)});
    QTimer::singleShot(PlayMilliseconds, this, [this] { releaseOldest(); });
}

void PadPlayer::releaseAll()
{
    while (!dueNoteOffs_.empty()) releaseOldest();
}

// A Note Off that does not arrive leaves the note sounding: that is told.
void PadPlayer::releaseOldest()
{
    if (dueNoteOffs_.empty()) return;  // released already, by releaseAll
    const auto due = dueNoteOffs_.front();
    dueNoteOffs_.pop_front();
    if (auto sent = devices_.sendChannelMessage(due.message); !sent)
        shell_.Status_Update(padName(due.pad) + QStringLiteral(" may still sound: its Note Off could not be sent. ") +
                             QString::fromStdString(sent.error()));
}

}  // namespace morvane
