#pragma once

#include "KitDump.h"
#include "base/Result.h"

#include <string>

namespace morvane {

// The decode half of Interpret_Buffer: reads the fixed offsets into fresh
// fields. Refuses a dump too short to decode and any byte that is not 7-bit
// data, so a corrupt dump never reaches the fields.
Result<KitFields> decodeKit(const KitDump& dump);

// Update_Buffer: writes the fields into the dump at their offsets and leaves
// every other byte alone. Refuses, writing nothing, when a field holds a
// value the dump cannot carry as 7-bit data.
Status encodeKit(const KitFields& fields, KitDump& dump);

// What Replace_System_Variables changed, so the window refreshes only that.
struct KitSettingsChange {
    bool name = false;
    bool kitNumber = false;
    bool bankNumber = false;
};

// Replace_System_Variables. An empty name, a kit number of 0 and a bank
// argument of 0 or less leave their field as it is; the bank argument is the
// bank plus one so that bank 0 can be told from "not given".
KitSettingsChange replaceSystemVariables(KitFields& fields, const std::string& newKitName,
                                         int newKitNumber, int newBankArgument);

}  // namespace morvane
