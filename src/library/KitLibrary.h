#pragma once

#include "KitStore.h"

#include <QObject>
#include <QThread>

#include <functional>
#include <memory>

namespace morvane::library {

// The kit library as a window uses it. Its store lives on a thread of its
// own, so record() only queues and returns at once, whatever the disk or a
// second editor's write lock costs. Work runs in the order it was asked for.
// Answers come back on the thread of the context object given, through its
// event loop; that object must outlive the library (the window owning it).
class KitLibrary {
public:
    // Opens the store on the library's thread and waits for the open only.
    static Result<std::unique_ptr<KitLibrary>> open(const QString& file);
    // Writes what is still queued, then stops the thread.
    ~KitLibrary();
    KitLibrary(const KitLibrary&) = delete;
    KitLibrary& operator=(const KitLibrary&) = delete;

    // KitStore::notice() of the open: empty, or one sentence to show once.
    const QString& notice() const { return notice_; }

    void record(KitDump dump, KitEvent event);
    // The run's first failed recording is told to listener, so the user
    // hears of it once; later ones are dropped.
    void whenRecordingFails(QObject* context, std::function<void(const QString& reason)> listener);
    // Runs job with the store on the library's thread, after all work asked
    // for before it (history, export, import with a cancel flag...).
    void post(std::function<void(KitStore&)> job);

private:
    KitLibrary();
    void tellFailure(const std::string& reason);

    QThread thread_;
    std::unique_ptr<QObject> worker_;  // lives on thread_, runs the jobs
    QString notice_;
    // Touched on thread_ only.
    std::unique_ptr<KitStore> store_;
    QObject* failureContext_ = nullptr;
    std::function<void(const QString&)> failureListener_;
    bool failureTold_ = false;
};

}  // namespace morvane::library
