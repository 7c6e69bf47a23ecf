#pragma once

#include "MidiDevices.h"

#include <QObject>

#include <atomic>

namespace morvane {

// Hands what a MIDI driver's threads notice to the window thread: received
// messages and changes of the device lists. Create it on the window thread:
// its signals are emitted there, queued behind whatever the window is doing,
// so no editor state is ever touched from elsewhere. A message is dropped
// when the opening it arrived on has been closed before it could be
// delivered, so a closed input never speaks again.
class InputDelivery final : public QObject {
    Q_OBJECT
public:
    void inputOpened();
    void inputClosed();
    // Which opening of the input is the current one: a listener that began on
    // it knows from closed() when that input stops speaking.
    quint64 opening() const { return opening_; }

    // Any thread.
    void post(MidiInputEvent event);
    void postDevicesChanged();

signals:
    // Every listener gets every message of the open input.
    void received(const morvane::MidiInputEvent& event);
    // Devices came or went, or the MIDI service stopped: the lists may differ.
    void devicesChanged();
    // The input of that opening was closed: another was chosen, or it went away.
    void closed(quint64 opening);

private:
    static bool isOpen(quint64 opening) { return opening % 2 == 1; }
    void deliver(const MidiInputEvent& event, quint64 opening);

    // Odd while an input is open; every open and every close moves it on.
    std::atomic<quint64> opening_{0};
};

}  // namespace morvane
