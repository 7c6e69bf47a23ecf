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
    // How the open went: KitStore::notice() once open (empty, or one
    // sentence to show once), or why the library cannot be opened.
    using Opened = std::function<void(const Result<QString>& notice)>;

    // Returns at once: the store is opened on the library's thread, and work
    // posted meanwhile waits there for it (and is dropped when it fails).
    // migrating runs before an older file is brought up to date, which may
    // take seconds; both run on context's thread.
    KitLibrary(const QString& file, QObject* context, std::function<void()> migrating, Opened opened);
    // Writes what is still queued, then stops the thread.
    ~KitLibrary();
    KitLibrary(const KitLibrary&) = delete;
    KitLibrary& operator=(const KitLibrary&) = delete;

    void record(KitDump dump, KitEvent event);
    // The run's first failed recording is told to listener, so the user
    // hears of it once; later ones are dropped.
    void whenRecordingFails(QObject* context, std::function<void(const QString& reason)> listener);
    // Runs job with the store on the library's thread, after all work asked
    // for before it (history, export, import with a cancel flag...).
    void post(std::function<void(KitStore&)> job);

private:
    void tellFailure(const std::string& reason);

    QThread thread_;
    std::unique_ptr<QObject> worker_;  // lives on thread_, runs the jobs
    // Touched on thread_ only.
    std::unique_ptr<KitStore> store_;
    QObject* failureContext_ = nullptr;
    std::function<void(const QString&)> failureListener_;
    bool failureTold_ = false;
};

}  // namespace morvane::library
