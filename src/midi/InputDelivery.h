#pragma once

#include "MidiDevices.h"

#include <QObject>

#include <atomic>
#include <cstdint>

namespace morvane {

// Hands received messages from a MIDI driver's thread to the window thread.
// Create it on the window thread: handlers run there, queued behind whatever
// the window is doing, so no editor state is ever touched from elsewhere.
// A message is dropped when the opening it arrived on has been closed before
// it could be delivered, so a closed input never speaks again.
class InputDelivery final : public QObject {
public:
    void setHandler(MidiDevices::InputHandler handler);

    void inputOpened();
    void inputClosed();

    // Any thread.
    void post(MidiInputEvent event);

private:
    static bool isOpen(std::uint64_t opening) { return opening % 2 == 1; }
    void deliver(const MidiInputEvent& event, std::uint64_t opening);

    MidiDevices::InputHandler handler_;
    // Odd while an input is open; every open and every close moves it on.
    std::atomic<std::uint64_t> opening_{0};
};

}  // namespace morvane
