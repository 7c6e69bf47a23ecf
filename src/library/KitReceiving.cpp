#include "KitReceiving.h"

#include "EditorLibrary.h"
#include "LibraryView.h"
#include "midi/InputDelivery.h"

#include <span>

namespace morvane::library {
namespace {

constexpr int ShownHashDigits = 12;  // as morvane-kit library list shows a hash

}  // namespace

Result<Recording> receivedRecording(const std::vector<std::uint8_t>& message, const QString& device)
{
    auto kit = LibraryKit::of(KitDump(message));
    if (!kit) return Result<Recording>::failure(kit.error());
    return Recording{std::move(kit).value(), {EventKind::Received, device}};
}

QString ReceiveTally::kitRecorded(const LibraryKit& kit, const RecordCounts& counts)
{
    const bool isNew = counts.newKits > 0;
    ++(isNew ? newKits_ : knownKits_);
    return QStringLiteral("%1 %2 \"%3\"")
        .arg(isNew ? QStringLiteral("new kit      ") : QStringLiteral("already known"),
             kit.hash.left(ShownHashDigits), titleOf(kit.fields));
}

QString ReceiveTally::notAKit(const std::string& why)
{
    ++notKits_;
    return QStringLiteral("not a kit     ") + QString::fromStdString(why);
}

QString ReceiveTally::summary() const
{
    return QStringLiteral("%1 recorded (%2 new, %3 already known); %4.")
        .arg(counted(kits(), "kit", "kits"), countText(newKits_), countText(knownKits_),
             counted(notKits_, "message not a kit", "messages not kits"));
}

KitReceiveSession::KitReceiveSession(EditorLibrary& library, const ListeningInput& input, QObject* parent)
    : QObject(parent),
      library_(library),
      device_(QString::fromStdString(input.name)),
      opening_(input.delivery->opening())
{
    listening_ = connect(input.delivery, &InputDelivery::received, this, &KitReceiveSession::heard);
    closing_ = connect(input.delivery, &InputDelivery::closed, this, &KitReceiveSession::closed);
}

void KitReceiveSession::stop()
{
    disconnect(listening_);
    disconnect(closing_);
}

void KitReceiveSession::closed(quint64 opening)
{
    if (opening != opening_) return;
    stop();
    emit inputClosed();
}

void KitReceiveSession::heard(const MidiInputEvent& event)
{
    // Notes and clock are the controller being played, not sending.
    if (event.kind != MidiInputEvent::Kind::Sysex || event.bytes.empty()) return;
    if (auto recording = receivedRecording(event.bytes, device_))
        record(recording.value());
    else
        refuse(recording.error());
}

void KitReceiveSession::record(const Recording& recording)
{
    library_.ask(
        this, [recording](KitStore& store) { return store.record(std::span(&recording, 1)); },
        [this, kit = recording.kit](const Result<RecordCounts>& counts) {
            if (!counts) {
                emit told(QString::fromStdString(counts.error()));
                return;
            }
            emit told(tally_.kitRecorded(kit, counts.value()));
            emit recorded();
        });
}

// Through the library's thread too, so the line keeps its place among the kits'.
void KitReceiveSession::refuse(const std::string& why)
{
    library_.ask(
        this, [](KitStore&) { return true; }, [this, why](bool) { emit told(tally_.notAKit(why)); });
}

}  // namespace morvane::library
