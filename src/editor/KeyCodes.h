#pragma once

#include <QtGlobal>
#include <Qt>

#include <optional>

namespace morvane {

// Windows virtual key codes, the codes Form_KeyDown works on on every platform.
namespace keys {
inline constexpr int None = 0;
inline constexpr int Backspace = 8;
inline constexpr int Enter = 13;
inline constexpr int Escape = 27;
inline constexpr int Delete = 46;
inline constexpr int DigitRow0 = 48;
inline constexpr int Keypad0 = 96;
}  // namespace keys

// The digit printed on a digit-row key, whatever Shift makes it type; read
// from the platform's own key numbers. Empty for any other key.
std::optional<int> digitRowKey(quint32 nativeScanCode, quint32 nativeVirtualKey);

// The virtual key code of a Qt key press: keypad digits count only as keypad
// digits, a shifted digit-row key still counts as its digit, keys pad editing
// does not use give keys::None.
int virtualKeyCode(int qtKey, Qt::KeyboardModifiers modifiers, std::optional<int> digitRowDigit);

}  // namespace morvane
