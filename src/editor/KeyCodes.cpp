#include "KeyCodes.h"

namespace morvane {

int virtualKeyCode(int qtKey, Qt::KeyboardModifiers modifiers, std::optional<int> digitRowDigit)
{
    const bool isDigit = qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9;
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    if (isDigit) return (keypad ? keys::Keypad0 : keys::DigitRow0) + (qtKey - Qt::Key_0);
    if (digitRowDigit && !keypad) return keys::DigitRow0 + *digitRowDigit;
    switch (qtKey) {
    case Qt::Key_Backspace: return keys::Backspace;
    case Qt::Key_Return:
    case Qt::Key_Enter: return keys::Enter;
    case Qt::Key_Escape: return keys::Escape;
    case Qt::Key_Delete: return keys::Delete;
    default: return keys::None;
    }
}

}  // namespace morvane
