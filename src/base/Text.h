#pragma once

#include <string>

namespace morvane {

// A file or device name as every message shows it.
inline std::string inQuotes(const std::string& name) { return "\"" + name + "\""; }

}  // namespace morvane
