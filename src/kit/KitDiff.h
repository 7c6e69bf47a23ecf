#pragma once

#include "KitFile.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace morvane {

// A value the two kits do not share: as the first has it, then the second.
template <typename T>
struct Change {
    T first;
    T second;

    bool operator==(const Change&) const = default;
};

struct PadDiff {
    int pad = 0;  // 1 to 24, as the user counts pads
    std::optional<Change<int>> note;
    std::optional<Change<int>> channel;

    bool operator==(const PadDiff&) const = default;
};

// What differs between two kits, field by field; an empty optional is a value
// both share. Bytes beyond the shorter dump count only as a length change.
struct KitDiff {
    std::optional<Change<int>> kitNumber;
    std::optional<Change<int>> bankNumber;
    std::optional<Change<std::string>> kitName;  // code page 1252 bytes
    std::vector<PadDiff> pads;                   // only the pads that differ
    std::size_t otherBytes = 0;                  // differing bytes that hold no field
    std::optional<Change<std::size_t>> length;

    bool operator==(const KitDiff&) const = default;
    bool same() const { return *this == KitDiff{}; }
};

KitDiff diffKits(const LoadedKit& first, const LoadedKit& second);

}  // namespace morvane
