#pragma once

#include "base/Result.h"

#include <filesystem>
#include <string>
#include <vector>

namespace morvane {

// A batch set is a plain UTF-8 text file of paths, one per line, so a
// musician can also write or mend one in any text editor.

// The paths of the set in file order; blank lines are skipped and a line may
// end in CR LF. A relative path is taken from the set file's folder. Never
// creates the file. A file over 1 MiB is refused unread, and one with a line
// longer than a path can be or holding a control code is refused.
Result<std::vector<std::string>> readBatchSet(const std::filesystem::path& path);

// Writes the paths one per line; a failed save leaves an old file whole. A
// path holding a line break (or another control code) is refused, named.
Status saveBatchSet(const std::filesystem::path& path, const std::vector<std::string>& entries);

}  // namespace morvane
