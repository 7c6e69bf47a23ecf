// Feeds arbitrary bytes to the batch-set reader as a file. Each path read is
// one whole line, and a set saved and read again is the same set.
#include "FuzzSupport.h"

#include "batch/BatchSet.h"

#include <algorithm>
#include <cstdint>
#include <string>

using namespace morvane;
using fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto read = readBatchSet(fuzz::scratchFileWith(data, size));
    if (!read) return 0;
    const auto& entries = read.value();
    const auto lines = static_cast<std::size_t>(std::count(data, data + size, '\n')) + 1;
    require(entries.size() <= lines);
    for (const auto& entry : entries) require(!entry.empty() && entry.find('\n') == std::string::npos);

    // A path ending in CR cannot be told from a CR LF line end, so such sets
    // are not expected back whole.
    const bool endsInCr = std::any_of(entries.begin(), entries.end(), [](const auto& e) { return e.back() == '\r'; });
    require(static_cast<bool>(saveBatchSet(fuzz::scratchFile(), entries)));
    const auto again = readBatchSet(fuzz::scratchFile());
    require(static_cast<bool>(again) && (endsInCr || again.value() == entries));
    return 0;
}
