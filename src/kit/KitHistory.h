#pragma once

#include "KitDump.h"

#include <string>

namespace morvane {

// What the editor tells of the kits it meets, for a kit library to keep. A
// call says that it happened: an open, save, receive or send that was refused
// or failed is not told. place is a file's path or a device's name, as UTF-8
// text, empty for a kit opened from no file. Every call returns at once; the
// keeping may happen later.
class KitHistory {
public:
    virtual ~KitHistory() = default;

    virtual void kitOpened(const KitDump& dump, const std::string& path) = 0;
    virtual void kitSaved(const KitDump& dump, const std::string& path) = 0;
    virtual void kitReceived(const KitDump& dump, const std::string& device) = 0;
    virtual void kitSent(const KitDump& dump, const std::string& device) = 0;
};

}  // namespace morvane
