#include "KitLibrary.h"

namespace morvane::library {

KitLibrary::KitLibrary(const QString& file, QObject* context, std::function<void()> migrating, Opened opened)
    : worker_(std::make_unique<QObject>())
{
    thread_.setObjectName(QStringLiteral("kit library"));
    worker_->moveToThread(&thread_);
    thread_.start();
    // A connection belongs to the thread that made it, so the store is made there.
    QMetaObject::invokeMethod(
        worker_.get(),
        [this, file, context, migrating = std::move(migrating), opened = std::move(opened)] {
            auto store = KitStore::open(file, DefaultBusyWait,
                                        [&] { QMetaObject::invokeMethod(context, migrating, Qt::QueuedConnection); });
            const auto notice =
                store ? Result<QString>(store.value()->notice()) : Result<QString>::failure(store.error());
            if (store) store_ = std::move(store).value();
            QMetaObject::invokeMethod(context, [opened, notice] { opened(notice); }, Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
}

KitLibrary::~KitLibrary()
{
    QMetaObject::invokeMethod(worker_.get(), [this] { store_.reset(); }, Qt::BlockingQueuedConnection);
    thread_.quit();
    thread_.wait();
}

void KitLibrary::post(std::function<void(KitStore&)> job)
{
    QMetaObject::invokeMethod(
        worker_.get(),
        [this, job = std::move(job)] {
            if (store_) job(*store_);
        },
        Qt::QueuedConnection);
}

void KitLibrary::record(KitDump dump, KitEvent event)
{
    post([this, dump = std::move(dump), event = std::move(event)](KitStore& store) {
        if (auto recorded = store.record(dump, event); !recorded) tellFailure(recorded.error());
    });
}

void KitLibrary::whenRecordingFails(QObject* context, std::function<void(const QString& reason)> listener)
{
    post([this, context, listener = std::move(listener)](KitStore&) {
        failureContext_ = context;
        failureListener_ = listener;
    });
}

void KitLibrary::tellFailure(const std::string& reason)
{
    if (failureTold_ || !failureListener_) return;
    failureTold_ = true;
    QMetaObject::invokeMethod(
        failureContext_, [listener = failureListener_, text = QString::fromStdString(reason)] { listener(text); },
        Qt::QueuedConnection);
}

}  // namespace morvane::library
