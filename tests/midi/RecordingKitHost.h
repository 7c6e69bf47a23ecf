#pragma once

#include "kit/KitCodec.h"
#include "midi/KitHost.h"
#include "platform/WindowShell.h"

#include <QStringList>

namespace morvane::testing {

// The main window and its kit as the MIDI commands see them, with a record
// of what they did. Encoding and decoding are the codec's own.
class RecordingKitHost final : public KitHost, public WindowShell {
public:
    KitDump dump = emptyKitDump();
    KitFields fields;
    bool loaded = false;
    std::string currentFile = "/kits/old.syx";
    QStringList statuses;
    QStringList steps;  // "commit", "update", "take"

    void load(const KitDump& kit)
    {
        dump = kit;
        fields = decodeKit(kit).value();
        loaded = true;
    }

    void Status_Update(const QString& text) override { statuses << text; }
    bool kitLoaded() const override { return loaded; }
    void commitPendingPadEdit() override { steps << QStringLiteral("commit"); }
    Status Update_Buffer() override
    {
        steps << QStringLiteral("update");
        return encodeKit(fields, dump);
    }
    const KitDump& kitDump() const override { return dump; }
    void takeReceivedDump(const KitDump& received) override
    {
        steps << QStringLiteral("take");
        currentFile.clear();
        load(received);
    }
};

}  // namespace morvane::testing
