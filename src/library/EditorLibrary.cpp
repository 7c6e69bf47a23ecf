#include "EditorLibrary.h"

#include "LibrarySettings.h"
#include "kit/KitCodec.h"

namespace morvane::library {

EditorLibrary::EditorLibrary(Desktop& desktop, QString file)
    : desktop_(desktop), file_(std::move(file)), recording_(keepsHistory(desktop))
{
}

void EditorLibrary::startUp()
{
    if (!recording_) return;
    if (const auto opened = open(); !opened) tell(QString::fromStdString(opened.error()));
}

Status EditorLibrary::open()
{
    if (library_) return succeeded();
    auto opened = KitLibrary::open(file_);
    if (!opened) return Status::failure(opened.error());
    library_ = std::move(opened).value();
    library_->whenRecordingFails(this, [this](const QString& reason) { tell(reason); });
    if (!library_->notice().isEmpty()) tell(library_->notice());
    return succeeded();
}

void EditorLibrary::setRecording(bool keep)
{
    recording_ = keep;
    setKeepsHistory(desktop_, keep);
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

// Queued, so the command that caused it says its own outcome first.
void EditorLibrary::tell(const QString& text)
{
    onWindowThread([this, text] { emit told(text); });
}

}  // namespace morvane::library
