#pragma once

#include "kit/KitCodec.h"
#include "midi/EditorMidi.h"
#include "midi/KitHost.h"
#include "midi/MidiSettings.h"
#include "midi/widgets/ReceiveSysexDumpForm.h"
#include "platform/UserSettings.h"
#include "platform/WindowShell.h"
#include "support/LoopbackMidiDevices.h"
#include "support/RecordingKitHistory.h"
#include "support/ScriptedDesktop.h"

#include <QCoreApplication>
#include <QSettings>
#include <QStringList>

#include <gtest/gtest.h>

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

// The MIDI side of the editor over loopback devices, a scripted desktop,
// the real receive window and the real settings store.
struct MidiRig {
    MidiRig()
    {
        QSettings(QSettings::NativeFormat, QSettings::UserScope, midisettings::Application).clear();
        devices.inputs = {"Pad In", "Other In"};
        devices.outputs = {"Pad Out", "Other Out"};
    }

    QString setting(const QString& key)
    {
        return settings.read(midisettings::Application, midisettings::Section, key);
    }
    void remember(const QString& key, const QString& value)
    {
        settings.write(midisettings::Application, midisettings::Section, key, value);
    }

    static void deliverPending() { QCoreApplication::processEvents(); }

    LoopbackMidiDevices devices;
    ScriptedDesktop desktop;
    UserSettings settings;
    RecordingKitHost host;
    ReceiveSysexDumpForm dialog;
    RecordingKitHistory history;
    EditorMidi midi{devices, desktop, settings, host, host, dialog, history, {}};
};

class MidiFixture : public ::testing::Test, public MidiRig {};

}  // namespace morvane::testing
