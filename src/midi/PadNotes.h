#pragma once

#include "MidiDevices.h"
#include "kit/KitDump.h"

#include <QObject>

#include <deque>
#include <vector>

namespace morvane {

class MidiPortSelection;
class WindowShell;

// The pads (indexes) whose note and transmit channel a Note On from the
// controller strikes; none for any other message.
std::vector<int> padsHitBy(const MidiInputEvent& event, const KitFields& fields);

// Plays a pad on the chosen output as if it were struck, so a sound module
// behind it sounds: Note On, then its Note Off a moment later from a timer.
// The status line tells what became of each.
class PadPlayer final : public QObject {
public:
    PadPlayer(MidiDevices& devices, WindowShell& shell, const MidiPortSelection& ports);

    // pad is the index (0 to 23); note and channel are the values it holds.
    void playPad(int pad, std::uint8_t note, std::uint8_t channel);
    // Sends every Note Off still due now, as before the output closes.
    void releaseAll();

private:
    struct DueNoteOff {
        int pad;
        ChannelMessage message;
    };

    void releaseOldest();

    MidiDevices& devices_;
    WindowShell& shell_;
    const MidiPortSelection& ports_;
    std::deque<DueNoteOff> dueNoteOffs_;  // oldest first: every note lasts as long
};

}  // namespace morvane
