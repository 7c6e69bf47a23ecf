#include "KitCodec.h"

#include <optional>

namespace morvane {
namespace {

std::string damagedAt(std::size_t offset, int value, const std::string& rule)
{
    return "The kit dump is damaged at offset " + std::to_string(offset) + ", which holds " +
           std::to_string(value) + "; " + rule;
}

// A nibble pair keeps the dump 7-bit clean only while each half is 0 to 15.
std::optional<std::string> refuseNibble(const KitDump& dump, std::size_t offset)
{
    if (dump[offset] > 15)
        return damagedAt(offset, dump[offset], "each half of a stored value lies between 0 and 15.");
    return std::nullopt;
}

std::optional<std::string> refuseDataByte(const KitDump& dump, std::size_t offset)
{
    if (dump[offset] > 127) return damagedAt(offset, dump[offset], "MIDI data bytes lie between 0 and 127.");
    return std::nullopt;
}

std::optional<std::string> firstDamagedByte(const KitDump& dump)
{
    if (auto bad = refuseDataByte(dump, offsets::KitNumber)) return bad;
    for (auto offset : {offsets::BankLow, offsets::BankLow + 1})
        if (auto bad = refuseNibble(dump, offset)) return bad;
    for (int p = 0; p < PadCount; ++p) {
        for (auto offset : {offsets::padNote(p), offsets::padNote(p) + 1})
            if (auto bad = refuseNibble(dump, offset)) return bad;
        if (auto bad = refuseDataByte(dump, offsets::padChannel(p))) return bad;
    }
    for (int c = 0; c < KitNameLength; ++c)
        for (auto offset : {offsets::nameChar(c), offsets::nameChar(c) + 1})
            if (auto bad = refuseNibble(dump, offset)) return bad;
    return std::nullopt;
}

std::uint8_t readNibblePair(const KitDump& dump, std::size_t lowOffset)
{
    return static_cast<std::uint8_t>(16 * dump[lowOffset + 1] + dump[lowOffset]);
}

void writeNibblePair(KitDump& dump, std::size_t lowOffset, unsigned value)
{
    dump[lowOffset] = static_cast<std::uint8_t>(value % 16);
    dump[lowOffset + 1] = static_cast<std::uint8_t>(value / 16);
}

std::optional<std::string> firstUnencodableField(const KitFields& f)
{
    if (f.KitNumber < 1 || f.KitNumber > 128)
        return "The kit number " + std::to_string(f.KitNumber) +
               " cannot be stored in a kit dump (it must lie between 1 and 128).";
    if (f.BankNumber < 0 || f.BankNumber > 255)
        return "The bank number " + std::to_string(f.BankNumber) +
               " cannot be stored in a kit dump (it must lie between 0 and 255).";
    for (int p = 0; p < PadCount; ++p)
        if (f.PadTCH[p] < 1 || f.PadTCH[p] > 128)
            return "The transmit channel " + std::to_string(f.PadTCH[p]) + " of pad " +
                   std::to_string(p + 1) +
                   " cannot be stored in a kit dump (it must lie between 1 and 128).";
    return std::nullopt;
}

}  // namespace

Result<KitFields> decodeKit(const KitDump& dump)
{
    if (dump.size() < MinDecodableLength)
        return Result<KitFields>::failure("The kit dump is too short (" + std::to_string(dump.size()) +
                                          (dump.size() == 1 ? " byte" : " bytes") + "); a kit dump has " +
                                          std::to_string(KitDumpLength) + " bytes.");
    if (auto damage = firstDamagedByte(dump)) return Result<KitFields>::failure(*damage);

    KitFields f;
    f.KitNumber = static_cast<std::int16_t>(dump[offsets::KitNumber] + 1);
    f.BankNumber = readNibblePair(dump, offsets::BankLow);
    for (int p = 0; p < PadCount; ++p) {
        f.PadMNN[p] = readNibblePair(dump, offsets::padNote(p));
        f.PadTCH[p] = static_cast<std::uint8_t>(dump[offsets::padChannel(p)] + 1);
    }
    for (int c = 0; c < KitNameLength; ++c) {
        f.KitNameChars[c] = readNibblePair(dump, offsets::nameChar(c));
        f.KitName.push_back(static_cast<char>(f.KitNameChars[c]));
    }
    return f;
}

Status encodeKit(const KitFields& f, KitDump& dump)
{
    if (dump.size() < MinDecodableLength)
        return Status::failure("There is no kit to write: the kit dump has only " +
                               std::to_string(dump.size()) + " bytes.");
    if (auto refusal = firstUnencodableField(f)) return Status::failure(*refusal);

    dump[offsets::KitNumber] = static_cast<std::uint8_t>(f.KitNumber - 1);
    writeNibblePair(dump, offsets::BankLow, static_cast<unsigned>(f.BankNumber));
    for (int p = 0; p < PadCount; ++p) {
        writeNibblePair(dump, offsets::padNote(p), f.PadMNN[p]);
        dump[offsets::padChannel(p)] = static_cast<std::uint8_t>(f.PadTCH[p] - 1);
    }
    constexpr unsigned space = 32;
    for (int c = 0; c < KitNameLength; ++c)
        writeNibblePair(dump, offsets::nameChar(c), f.KitNameChars[c] == 0 ? space : f.KitNameChars[c]);
    return succeeded();
}

KitSettingsChange replaceSystemVariables(KitFields& f, const std::string& newKitName,
                                         int newKitNumber, int newBankArgument)
{
    KitSettingsChange change;
    if (!newKitName.empty()) {
        for (int c = 0; c < KitNameLength; ++c)
            f.KitNameChars[c] = c < static_cast<int>(newKitName.size())
                                    ? static_cast<std::uint8_t>(newKitName[c])
                                    : 0;
        f.KitName = newKitName;
        change.name = true;
    }
    if (newKitNumber != 0) {
        f.KitNumber = static_cast<std::int16_t>(newKitNumber);
        change.kitNumber = true;
    }
    if (newBankArgument > 0) {
        f.BankNumber = static_cast<std::int16_t>(newBankArgument - 1);
        change.bankNumber = true;
    }
    return change;
}

}  // namespace morvane
