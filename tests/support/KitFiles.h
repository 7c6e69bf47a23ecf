#pragma once

#include "kit/KitDump.h"

#include "TempFolder.h"

#include <QString>

#include <array>
#include <cstdint>
#include <string>

namespace morvane::testing {

// A standard dump with a recognisable header and filler, so tests can see
// that bytes the editor does not own come back unchanged.
struct KitSpec {
    std::string name = "ROCK 1      ";  // code page 1252 bytes, padded to 12
    int kitNumber = 5;
    int bankNumber = 3;
    std::array<int, PadCount> notes{};    // 0 means 36 + pad index
    std::array<int, PadCount> channels{}; // 0 means 10
};

KitDump makeKitDump(const KitSpec& spec = {});

// A kit from the project's examples folder: by default the demo kit, a
// complete 746-byte dump (kit 3, bank 0, "Morvane Demo").
KitDump exampleKitDump(const char* relativePath = "examples/demo-kit.syx");

// Stores value as two bytes, low half first, as a dump holds its wider values.
void writeNibblePair(KitDump& dump, std::size_t offset, int value);

// Real files in a folder of their own that disappears with the test.
class KitFolder {
public:
    QString path(const QString& fileName) const
    {
        return QString::fromStdString(folder_.path(fileName.toStdString()));
    }
    QString write(const QString& fileName, const KitDump& bytes) const
    {
        return QString::fromStdString(folder_.file(fileName.toStdString(), bytes));
    }
    KitDump read(const QString& fileName) const { return readBytes(folder_.path(fileName.toStdString())); }

private:
    TempFolder folder_;
};

}  // namespace morvane::testing
