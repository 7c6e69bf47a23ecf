#include "InputDelivery.h"

#include <QMetaObject>

namespace morvane {

void InputDelivery::inputOpened()
{
    if (!isOpen(opening_)) ++opening_;
}

void InputDelivery::inputClosed()
{
    if (!isOpen(opening_)) return;
    const quint64 closing = opening_++;
    QMetaObject::invokeMethod(this, [this, closing] { emit closed(closing); }, Qt::QueuedConnection);
}

void InputDelivery::post(MidiInputEvent event)
{
    const quint64 opening = opening_;
    if (!isOpen(opening)) return;
    QMetaObject::invokeMethod(
        this, [this, event = std::move(event), opening] { deliver(event, opening); }, Qt::QueuedConnection);
}

void InputDelivery::postDevicesChanged()
{
    QMetaObject::invokeMethod(this, [this] { emit devicesChanged(); }, Qt::QueuedConnection);
}

void InputDelivery::deliver(const MidiInputEvent& event, quint64 opening)
{
    if (opening == opening_) emit received(event);
}

}  // namespace morvane
