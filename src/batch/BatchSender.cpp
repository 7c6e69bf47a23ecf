#include "BatchSender.h"

#include "BatchTexts.h"
#include "base/Text.h"
#include "kit/KitFile.h"
#include "kit/KitHistory.h"
#include "midi/SysexSender.h"
#include "platform/Desktop.h"

#include <QStringList>

#include <algorithm>
#include <utility>

namespace morvane {
namespace {

constexpr int LongestDelay = 60000;
constexpr int BatchEndHertz = 1000;
constexpr int BatchEndMilliseconds = 150;
// Short enough for the window to paint smoothly and a stop to end a pause at once.
constexpr std::int64_t PauseStepMilliseconds = 10;

std::size_t notSentCount(const BatchResult& result) { return result.notSent.size() + result.notReached; }

QString resultText(const BatchResult& result)
{
    QString text = kitDumpsSentText(result.sent);
    if (const auto notSent = notSentCount(result)) text += QStringLiteral("\n") + filesNotSentText(notSent);
    return text;
}

}  // namespace

std::optional<int> parseSendDelay(const QString& text)
{
    const QString digits = text.trimmed();
    if (digits.isEmpty() || digits.size() > 5) return std::nullopt;
    if (!std::all_of(digits.begin(), digits.end(), [](QChar c) { return c >= u'0' && c <= u'9'; })) return std::nullopt;
    const int delay = digits.toInt();
    if (delay > LongestDelay) return std::nullopt;
    return delay;
}

BatchSender::BatchSender(const BatchList& list, BatchSendPanel& panel, Desktop& desktop, MidiDevices& devices,
                         KitHistory& history, MillisecondClock now)
    : list_(list), panel_(panel), desktop_(desktop), devices_(devices), history_(history), now_(std::move(now))
{
}

BatchResult BatchSender::sendAll()
{
    BatchResult result;
    if (list_.empty()) return result;
    if (sending_) {
        result.end = BatchResult::End::AlreadySending;
        return result;
    }
    const auto delay = parseSendDelay(panel_.delayText());
    if (!delay) {
        desktop_.messageBox(InvalidDelayText, MessageStyle::Plain);
        result.end = BatchResult::End::DelayRefused;
        return result;
    }
    sending_ = true;
    result = runBatch(*delay);
    sending_ = false;
    stopSend_ = false;
    reportFilesNotSent(result);
    return result;
}

BatchResult BatchSender::runBatch(int delay)
{
    BatchResult result;
    panel_.showProgress(SendingKitDumpsText);
    desktop_.processEvents();
    // By identity, as rows shift when entries are removed during the batch.
    const std::vector<BatchList::EntryId> batch = list_.ids();
    for (auto turn = batch.begin(); turn != batch.end(); ++turn) {
        if (stopSend_) {
            cancel(result);
            return result;
        }
        const auto row = list_.rowOf(*turn);
        if (!row) continue;
        panel_.highlightEntry(row);
        if (!devices_.outputReachable()) {
            endForGoneOutput(result, stillListed({turn, batch.end()}));
            return result;
        }
        // A copy: the entry may be removed while a message box is open.
        const std::string path = list_[*row];
        sendFile(path, result);
        desktop_.processEvents();
        delay = currentDelay(delay);
        pause(delay);
    }
    finish(result);
    return result;
}

void BatchSender::sendFile(const std::string& path, BatchResult& result)
{
    const auto notSent = [&](const std::string& reason) {
        result.notSent.push_back({path, QString::fromStdString(reason)});
    };
    auto bytes = readWholeFile(utf8ToPath(path));
    if (!bytes) return notSent(bytes.error());
    auto messages = splitSysexMessages(bytes.value());
    if (!messages) return notSent(inQuotes(path) + " is not System Exclusive: " + messages.error());
    if (auto sent = sendSysexMessages(devices_, messages.value()); !sent)
        return notSent(inQuotes(path) + ": the transfer failed: " + sent.error());
    ++result.sent;
    history_.kitSent(bytes.value(), devices_.openOutputName());
}

void BatchSender::pause(int milliseconds)
{
    const std::int64_t end = now_() + milliseconds;
    while (!stopSend_) {
        const std::int64_t left = end - now_();
        if (left <= 0) return;
        desktop_.sleep(static_cast<int>(std::min(left, PauseStepMilliseconds)));
        desktop_.processEvents();
    }
}

// The text is read at every pause, as the user may change the pace during a
// batch; a text made invalid meanwhile keeps the last valid pause.
int BatchSender::currentDelay(int fallback) const { return parseSendDelay(panel_.delayText()).value_or(fallback); }

std::size_t BatchSender::stillListed(std::span<const BatchList::EntryId> entries) const
{
    return static_cast<std::size_t>(
        std::count_if(entries.begin(), entries.end(), [this](auto id) { return list_.rowOf(id).has_value(); }));
}

void BatchSender::finish(BatchResult& result)
{
    result.end = BatchResult::End::Completed;
    panel_.highlightEntry(std::nullopt);
    desktop_.beep(BatchEndHertz, BatchEndMilliseconds);
    panel_.showProgress(resultText(result));
}

void BatchSender::cancel(BatchResult& result)
{
    result.end = BatchResult::End::Cancelled;
    stopSend_ = false;
    panel_.showProgress(BatchCancelledText);
}

void BatchSender::endForGoneOutput(BatchResult& result, std::size_t notReached)
{
    result.end = BatchResult::End::OutputGone;
    result.notReached = notReached;
    panel_.showProgress(resultText(result));
}

// A gone output gets one message for the whole rest of the batch rather than
// a box per file.
void BatchSender::reportFilesNotSent(const BatchResult& result)
{
    if (result.end == BatchResult::End::OutputGone) {
        desktop_.messageBox(outputGoneText(devices_.openOutputName(), notSentCount(result)), MessageStyle::Critical);
        return;
    }
    if (result.notSent.empty()) return;
    QStringList reasons;
    for (const auto& file : result.notSent) reasons << file.reason;
    desktop_.messageBox(listedText(QStringLiteral("These files were not sent:"), reasons), MessageStyle::Plain);
}

}  // namespace morvane
