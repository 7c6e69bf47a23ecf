#include "EditorLibrary.h"

#include "LibrarySettings.h"
#include "kit/KitCodec.h"

#include <utility>

namespace morvane::library {

EditorLibrary::EditorLibrary(Settings& settings, QString file)
    : settings_(settings), file_(std::move(file)), recording_(keepsHistory(settings))
{
}

void EditorLibrary::startUp()
{
    if (!recording_) return;
    tellRefusal_ = true;
    open();
}

void EditorLibrary::open()
{
    if (library_) return;
    opening_ = true;
    library_ = std::make_unique<KitLibrary>(
        file_, this, [this] { emit migrating(); }, [this](const Result<QString>& notice) { openEnded(notice); });
    library_->whenRecordingFails(this, [this](const QString& reason) { tell(reason); });
}

void EditorLibrary::openEnded(const Result<QString>& notice)
{
    opening_ = false;
    if (!notice) {
        library_.reset();  // what was asked meanwhile was dropped
        const QString reason = QString::fromStdString(notice.error());
        if (std::exchange(tellRefusal_, false)) tell(reason);
        emit opened(reason);
        return;
    }
    tellRefusal_ = false;
    if (!notice.value().isEmpty()) tell(notice.value());
    emit opened({});
}

void EditorLibrary::setRecording(bool keep)
{
    recording_ = keep;
    setKeepsHistory(settings_, keep);
}

void EditorLibrary::kitOpened(const KitDump& dump, const std::string& path) { record(EventKind::Opened, dump, path); }

void EditorLibrary::kitSaved(const KitDump& dump, const std::string& path) { record(EventKind::Saved, dump, path); }

void EditorLibrary::kitReceived(const KitDump& dump, const std::string& device)
{
    record(EventKind::Received, dump, device);
}

void EditorLibrary::kitSent(const KitDump& dump, const std::string& device) { record(EventKind::Sent, dump, device); }

void EditorLibrary::record(EventKind kind, const KitDump& dump, const std::string& place)
{
    // A batch sends any SysEx file; only kits belong in the library.
    if (!library_ || !recording_ || !decodeKit(dump)) return;
    library_->record(dump, {kind, QString::fromStdString(place)});
    emit kitsChanged();
}

void EditorLibrary::onWindowThread(std::function<void()> what)
{
    QMetaObject::invokeMethod(this, std::move(what), Qt::QueuedConnection);
}

std::function<void(int, int)> EditorLibrary::progressTo(QObject* receiver, std::function<void(int, int)> show)
{
    return [this, alive = QPointer<QObject>(receiver), show = std::move(show)](int done, int total) {
        onWindowThread([alive, show, done, total] {
            if (alive) show(done, total);
        });
    };
}

// Queued, so the command that caused it says its own outcome first.
void EditorLibrary::tell(const QString& text)
{
    onWindowThread([this, text] { emit told(text); });
}

}  // namespace morvane::library
