#include "InputDelivery.h"

#include <QMetaObject>

namespace morvane {

void InputDelivery::inputOpened()
{
    if (!isOpen(opening_)) ++opening_;
}

void InputDelivery::inputClosed()
{
    if (isOpen(opening_)) ++opening_;
}

void InputDelivery::post(MidiInputEvent event)
{
    const std::uint64_t opening = opening_;
    if (!isOpen(opening)) return;
    QMetaObject::invokeMethod(
        this, [this, event = std::move(event), opening] { deliver(event, opening); }, Qt::QueuedConnection);
}

void InputDelivery::postDevicesChanged()
{
    QMetaObject::invokeMethod(this, [this] { emit devicesChanged(); }, Qt::QueuedConnection);
}

void InputDelivery::deliver(const MidiInputEvent& event, std::uint64_t opening)
{
    if (opening == opening_) emit received(event);
}

}  // namespace morvane
