#pragma once

#include "kit/KitHistory.h"

#include <string>
#include <vector>

namespace morvane::testing {

struct ToldKit {
    std::string event;  // "opened", "saved", "received", "sent"
    std::string place;
    KitDump dump;

    bool operator==(const ToldKit&) const = default;
};

// A kit history that keeps what it was told, in order.
class RecordingKitHistory final : public KitHistory {
public:
    std::vector<ToldKit> told;

    void kitOpened(const KitDump& dump, const std::string& path) override { told.push_back({"opened", path, dump}); }
    void kitSaved(const KitDump& dump, const std::string& path) override { told.push_back({"saved", path, dump}); }
    void kitReceived(const KitDump& dump, const std::string& device) override
    {
        told.push_back({"received", device, dump});
    }
    void kitSent(const KitDump& dump, const std::string& device) override { told.push_back({"sent", device, dump}); }
};

}  // namespace morvane::testing
