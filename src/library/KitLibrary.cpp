#include "KitLibrary.h"

#include <optional>

namespace morvane::library {

KitLibrary::KitLibrary() : worker_(std::make_unique<QObject>())
{
    thread_.setObjectName(QStringLiteral("kit library"));
    worker_->moveToThread(&thread_);
    thread_.start();
}

Result<std::unique_ptr<KitLibrary>> KitLibrary::open(const QString& file)
{
    std::unique_ptr<KitLibrary> library(new KitLibrary);
    std::optional<std::string> refusal;
    // A connection belongs to the thread that made it, so the store is made there.
    QMetaObject::invokeMethod(
        library->worker_.get(),
        [&] {
            auto opened = KitStore::open(file);
            if (!opened) {
                refusal = opened.error();
                return;
            }
            library->store_ = std::move(opened).value();
            library->notice_ = library->store_->notice();
        },
        Qt::BlockingQueuedConnection);
    if (refusal) return Result<std::unique_ptr<KitLibrary>>::failure(*refusal);
    return library;
}

KitLibrary::~KitLibrary()
{
    QMetaObject::invokeMethod(worker_.get(), [this] { store_.reset(); }, Qt::BlockingQueuedConnection);
    thread_.quit();
    thread_.wait();
}

void KitLibrary::post(std::function<void(KitStore&)> job)
{
    QMetaObject::invokeMethod(worker_.get(), [this, job = std::move(job)] { job(*store_); }, Qt::QueuedConnection);
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
