#pragma once

#include "KitLibrary.h"
#include "kit/KitHistory.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

namespace morvane {
class Settings;
}

namespace morvane::library {

// The kit library as the editor's windows share it for one run: the kit
// history the editor tells, and the questions the library window asks.
// While the user keeps no history, or the library could not be opened, what
// the editor tells is dropped and the editor works as it would without one.
//
// It lives on the window thread and outlives its KitLibrary, so answers pass
// through it, and each reaches its window only while that window exists.
class EditorLibrary final : public QObject, public KitHistory {
    Q_OBJECT
public:
    EditorLibrary(Settings& settings, QString file);

    // Start-up: opens the library when the user keeps a history, and tells
    // why when it cannot be opened.
    void startUp();
    // Begins opening the library unless it is open or opening, whatever the
    // setting: the user may look at what was kept. Returns at once; what is
    // asked meanwhile waits for the open, and opened() says how it went.
    void open();
    // Open, or opening: what is asked now is answered once it is open.
    bool isOpen() const { return library_ != nullptr; }
    bool isOpening() const { return opening_; }

    bool recording() const { return recording_; }
    // At once, and in the setting.
    void setRecording(bool keep);

    void kitOpened(const KitDump& dump, const std::string& path) override;
    void kitSaved(const KitDump& dump, const std::string& path) override;
    void kitReceived(const KitDump& dump, const std::string& device) override;
    void kitSent(const KitDump& dump, const std::string& device) override;

    // Runs job(KitStore&) on the library's thread after all work asked
    // before it, then answer(its result) on the window thread unless
    // receiver is gone by then. Nothing happens while the library is closed.
    template <typename Job, typename Answer>
    void ask(QObject* receiver, Job job, Answer answer);
    // From a job: runs what on the window thread, later.
    void onWindowThread(std::function<void()> what);
    // For a job: progress that reaches show on the window thread while receiver exists.
    std::function<void(int done, int total)> progressTo(QObject* receiver,
                                                        std::function<void(int done, int total)> show);

signals:
    // The editor told of a kit: a window listing kits looks again.
    void kitsChanged();
    // What went wrong, as one line for the user, given on the window thread
    // after the command at hand has said its own outcome.
    void told(const QString& text);
    // An older library is being brought up to date, which may take seconds.
    void migrating();
    // The open ended: an empty failure when the library is open, else why not.
    void opened(const QString& failure);

private:
    void openEnded(const Result<QString>& notice);
    void record(EventKind kind, const KitDump& dump, const std::string& place);
    void tell(const QString& text);

    Settings& settings_;
    QString file_;
    bool recording_;
    bool opening_ = false;
    bool tellRefusal_ = false;  // the open of start-up, which has no window to say it
    // Goes before the object its answers pass through, writing what is queued.
    std::unique_ptr<KitLibrary> library_;
};

template <typename Job, typename Answer>
void EditorLibrary::ask(QObject* receiver, Job job, Answer answer)
{
    if (!library_) return;
    library_->post([this, alive = QPointer<QObject>(receiver), job, answer](KitStore& store) {
        onWindowThread([alive, answer, result = job(store)] {
            if (alive) answer(result);
        });
    });
}

}  // namespace morvane::library
