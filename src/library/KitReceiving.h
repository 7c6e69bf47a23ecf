#pragma once

#include "KitStore.h"
#include "midi/SysexReceiver.h"

#include <QObject>

#include <cstdint>
#include <vector>

namespace morvane::library {

class EditorLibrary;

// A received SysEx message as the library records it (received from
// device), or why it is not a kit, as the codec says it.
Result<Recording> receivedRecording(const std::vector<std::uint8_t>& message, const QString& device);

// What a receive of many kits has met so far. Each outcome is counted and
// named in one line, as the library window lists it and morvane-kit prints it.
class ReceiveTally {
public:
    QString kitRecorded(const LibraryKit& kit, const RecordCounts& counts);
    QString notAKit(const std::string& why);
    // "3 kits recorded (2 new, 1 already known); 1 message not a kit."
    QString summary() const;
    int kits() const { return newKits_ + knownKits_; }

private:
    int newKits_ = 0;
    int knownKits_ = 0;
    int notKits_ = 0;
};

// A receive of many kits for a window: every SysEx message the chosen input
// delivers until stop() is recorded in the library as received from that
// input, or counted as not a kit. The store does the recording on its own
// thread; the outcomes come back here in the order the messages came.
class KitReceiveSession final : public QObject {
    Q_OBJECT
public:
    KitReceiveSession(EditorLibrary& library, const ListeningInput& input, QObject* parent = nullptr);

    // What came before is still recorded and told.
    void stop();
    bool listening() const { return static_cast<bool>(listening_); }
    const QString& device() const { return device_; }
    const ReceiveTally& tally() const { return tally_; }

signals:
    // One line per message, once its outcome is known.
    void told(const QString& line);
    // The input was closed (another was chosen in the main window, or it went
    // away); the session stopped, so no kit is recorded under the wrong name.
    void inputClosed();
    // The library holds a kit or an event more.
    void recorded();

private:
    void heard(const MidiInputEvent& event);
    void closed(quint64 opening);
    void record(const Recording& recording);
    void refuse(const std::string& why);

    EditorLibrary& library_;
    QString device_;
    ReceiveTally tally_;
    quint64 opening_;  // the input's opening the session listens to
    QMetaObject::Connection listening_;
    QMetaObject::Connection closing_;
};

}  // namespace morvane::library
