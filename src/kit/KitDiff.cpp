#include "KitDiff.h"

#include <algorithm>

namespace morvane {
namespace {

template <typename T>
std::optional<Change<T>> changed(const T& first, const T& second)
{
    if (first == second) return std::nullopt;
    return Change<T>{first, second};
}

// The bytes the fields are decoded from; their differences are told as fields.
bool isFieldByte(std::size_t offset)
{
    using namespace offsets;
    if (offset == KitNumber || offset == BankLow || offset == BankLow + 1) return true;
    if (offset >= FirstNameChar && offset < nameChar(KitNameLength)) return true;
    if (offset < FirstPad || offset >= padNote(PadCount)) return false;
    const auto inRecord = (offset - FirstPad) % PadRecord;
    return inRecord == PadNoteLow || inRecord == PadNoteLow + 1 || inRecord == PadChannel;
}

}  // namespace

KitDiff diffKits(const LoadedKit& first, const LoadedKit& second)
{
    const KitFields& a = first.fields;
    const KitFields& b = second.fields;
    KitDiff diff;
    diff.kitNumber = changed<int>(a.KitNumber, b.KitNumber);
    diff.bankNumber = changed<int>(a.BankNumber, b.BankNumber);
    diff.kitName = changed(a.KitName, b.KitName);
    for (int p = 0; p < PadCount; ++p) {
        PadDiff pad{p + 1, changed<int>(a.PadMNN[p], b.PadMNN[p]), changed<int>(a.PadTCH[p], b.PadTCH[p])};
        if (pad.note || pad.channel) diff.pads.push_back(pad);
    }
    const auto shared = std::min(first.dump.size(), second.dump.size());
    for (std::size_t offset = 0; offset < shared; ++offset)
        if (first.dump[offset] != second.dump[offset] && !isFieldByte(offset)) ++diff.otherBytes;
    diff.length = changed(first.dump.size(), second.dump.size());
    return diff;
}

}  // namespace morvane
