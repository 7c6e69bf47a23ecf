#include "KeyCodes.h"

namespace morvane {

// Windows reports the virtual key itself, "0" to "9" whatever Shift does.
// Elsewhere Qt's own key is all there is to go by.
std::optional<int> digitRowKey(quint32, quint32 nativeVirtualKey)
{
#ifdef Q_OS_WIN
    if (nativeVirtualKey >= '0' && nativeVirtualKey <= '9') return static_cast<int>(nativeVirtualKey - '0');
#else
    Q_UNUSED(nativeVirtualKey);
#endif
    return std::nullopt;
}

}  // namespace morvane
