#pragma once

#include "platform/Desktop.h"

#include <QCoreApplication>

#include <QString>
#include <QStringList>

#include <cstdint>
#include <deque>
#include <functional>
#include <numeric>
#include <optional>
#include <vector>

namespace morvane::testing {

struct ShownMessage {
    QString text;
    MessageStyle style;
    QString title;  // as the user sees it: the application's title when none was given
};

struct Beep {
    int hertz;
    int milliseconds;
    bool operator==(const Beep&) const = default;
};

// A desktop that answers from a script and records every call, so tests see
// exactly the boxes, dialogs and sounds a user would meet and never block.
class ScriptedDesktop final : public Desktop {
public:
    // Answers, consumed in order; when none is queued a box is answered
    // with its default (OK, Yes for the Yes/No question, Cancel for Save /
    // Discard / Cancel).
    std::deque<MessageAnswer> answers;
    // Chosen paths, consumed in order; nullopt or an empty queue is Cancel.
    std::deque<std::optional<QString>> openChoices;
    std::deque<std::optional<QString>> saveChoices;
    std::deque<std::optional<QString>> folderChoices;
    // The printer dialog's answer; on true, configurePrinter may set it up.
    bool printerAccepted = false;
    std::function<void(QPrinter&)> configurePrinter;
    // Runs inside each message box, e.g. to check what the window shows then.
    std::function<void(const ShownMessage&)> whileMessageShown;

    std::vector<ShownMessage> messages;
    std::vector<FileDialogRequest> openRequests;
    std::vector<FileDialogRequest> saveRequests;
    std::vector<Beep> beeps;
    std::vector<int> sleeps;
    int pendingEventRuns = 0;
    std::vector<QUrl> openedUrls;

    QStringList messageTexts() const;
    // A clock for waits under test: time passes only while they sleep.
    std::int64_t sleptMilliseconds() const { return std::accumulate(sleeps.begin(), sleeps.end(), std::int64_t{0}); }

    MessageAnswer messageBox(const QString& text, MessageStyle style, const QString& title = {}) override;
    std::optional<QString> openFileName(const FileDialogRequest& request) override;
    std::optional<QString> saveFileName(const FileDialogRequest& request) override;
    std::optional<QString> folderName(const QString& startPath) override;
    bool choosePrinter(QPrinter& printer) override
    {
        if (printerAccepted && configurePrinter) configurePrinter(printer);
        return printerAccepted;
    }
    void beep(int hertz, int milliseconds) override { beeps.push_back({hertz, milliseconds}); }
    void processEvents() override
    {
        ++pendingEventRuns;
        QCoreApplication::processEvents();
    }
    void sleep(int milliseconds) override { sleeps.push_back(milliseconds); }
    bool openUrl(const QUrl& url) override
    {
        openedUrls.push_back(url);
        return true;
    }
    QString programFolder() override { return QCoreApplication::applicationDirPath(); }
};

}  // namespace morvane::testing
