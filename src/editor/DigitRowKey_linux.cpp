#include "KeyCodes.h"

namespace morvane {

// X11 and Wayland report the evdev key number plus 8: the digit row "1" to
// "9" and "0" are 10 to 19 on every layout.
std::optional<int> digitRowKey(quint32 nativeScanCode, quint32)
{
    if (nativeScanCode < 10 || nativeScanCode > 19) return std::nullopt;
    return static_cast<int>((nativeScanCode - 9) % 10);
}

}  // namespace morvane
