#include "InputDelivery.h"

#include <QMetaObject>

namespace morvane {

void InputDelivery::setHandler(MidiDevices::InputHandler handler) { handler_ = std::move(handler); }

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

void InputDelivery::deliver(const MidiInputEvent& event, std::uint64_t opening)
{
    if (opening == opening_ && handler_) handler_(event);
}

}  // namespace morvane
