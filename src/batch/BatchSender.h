#pragma once

#include "BatchList.h"
#include "base/Clock.h"

#include <QString>

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace morvane {

class Desktop;
class KitHistory;
class MidiDevices;

// The parts of the batch window a send reads and shows.
class BatchSendPanel {
public:
    virtual ~BatchSendPanel() = default;
    // SendDelayText as the user left it.
    virtual QString delayText() const = 0;
    // PleaseWaitLabel: shows text and makes the label visible.
    virtual void showProgress(const QString& text) = 0;
    // SysexList: selects the entry being sent, or none.
    virtual void highlightEntry(std::optional<std::size_t> row) = 0;
};

// A pause in milliseconds: a whole number from 0 to 60000, or nothing. A
// negative or fractional pause has no meaning, and a longer one looks hung.
std::optional<int> parseSendDelay(const QString& text);

struct FileNotSent {
    std::string path;
    QString reason;  // a sentence that names the file
};

struct BatchResult {
    enum class End { NothingToSend, AlreadySending, DelayRefused, Completed, Cancelled, OutputGone };
    End end = End::NothingToSend;
    std::size_t sent = 0;
    std::vector<FileNotSent> notSent;
    // Files whose turn never came because the output's device had gone.
    std::size_t notReached = 0;
};

// Sends the files listed when the batch starts, in list order, each once
// and whole, with the chosen pause after each. Runs on the window thread;
// pending events are processed before the first file, after each transfer
// and all through each pause, so the window keeps painting and a stop
// request, a closing window or a change to the list is seen at once. A file
// that cannot be sent is named in the summary with its reason; no box stops
// the batch on its way. An entry removed before its turn is not sent;
// one added meanwhile waits for the next batch. An output whose device has
// gone ends the batch, as every later transfer would fail the same way.
// Each file sent is told to the kit history.
class BatchSender {
public:
    BatchSender(const BatchList& list, BatchSendPanel& panel, Desktop& desktop, MidiDevices& devices,
                KitHistory& history, MillisecondClock now = steadyMilliseconds);

    BatchResult sendAll();
    // StopSend: ends a pause at once and the batch before its next file. A
    // request while nothing is being sent is no request: a stop never
    // outlives its batch to cancel the next one.
    void requestStop() { stopSend_ = sending_; }

private:
    BatchResult runBatch(int delay);
    void sendFile(const std::string& path, BatchResult& result);
    void pause(int milliseconds);
    int currentDelay(int fallback) const;
    std::size_t stillListed(std::span<const BatchList::EntryId> entries) const;
    void finish(BatchResult& result);
    void cancel(BatchResult& result);
    void endForGoneOutput(BatchResult& result, std::size_t notReached);
    void reportFilesNotSent(const BatchResult& result);

    const BatchList& list_;
    BatchSendPanel& panel_;
    Desktop& desktop_;
    MidiDevices& devices_;
    KitHistory& history_;
    MillisecondClock now_;
    bool stopSend_ = false;
    bool sending_ = false;
};

}  // namespace morvane
