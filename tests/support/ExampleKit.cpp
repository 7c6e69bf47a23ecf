#include "ExampleKit.h"

#include "kit/KitFile.h"

namespace morvane::testing {

KitDump exampleKitDump(const char* relativePath)
{
    return readWholeFile(std::string(MORVANE_SOURCE_DIR) + "/" + relativePath).value();
}

}  // namespace morvane::testing
