#pragma once

#include "RecordingKitHost.h"
#include "midi/EditorMidi.h"
#include "midi/MidiSettings.h"
#include "midi/widgets/ReceiveSysexDumpForm.h"
#include "support/LoopbackMidiDevices.h"
#include "support/RecordingKitHistory.h"
#include "support/ScriptedDesktop.h"

#include <QCoreApplication>
#include <QSettings>

#include <gtest/gtest.h>

namespace morvane::testing {

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
        return desktop.readSetting(midisettings::Application, midisettings::Section, key);
    }
    void remember(const QString& key, const QString& value)
    {
        desktop.writeSetting(midisettings::Application, midisettings::Section, key, value);
    }

    static void deliverPending() { QCoreApplication::processEvents(); }

    LoopbackMidiDevices devices;
    ScriptedDesktop desktop;
    RecordingKitHost host;
    ReceiveSysexDumpForm dialog;
    RecordingKitHistory history;
    EditorMidi midi{devices, desktop, host, host, dialog, history, {}};
};

class MidiFixture : public ::testing::Test, public MidiRig {};

}  // namespace morvane::testing
