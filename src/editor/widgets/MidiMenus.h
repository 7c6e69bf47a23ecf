#pragma once

#include "midi/EditorMidi.h"
#include "midi/KitHost.h"
#include "midi/widgets/ReceiveSysexDumpForm.h"

class QMenu;

namespace morvane {

class MainWindow;

// The main window's MIDI side: the "MIDI Configuration" port lists drawn
// from the port selection, the Send / Receive commands, the receive window,
// and the window's kit as the MIDI commands see it.
class MidiMenus final : public KitHost {
public:
    MidiMenus(MainWindow& window, Desktop& desktop, MidiDevices& devices);

    EditorMidi& midi() { return midi_; }
    ReceiveSysexDumpForm& receiveDialog() { return dialog_; }

    void Status_Update(const QString& text) override;
    bool kitLoaded() const override;
    void commitPendingPadEdit() override;
    Status Update_Buffer() override;
    const KitDump& kitDump() const override;
    void takeReceivedDump(const KitDump& dump) override;

private:
    void connectCommands();
    void drawPortMenus();
    void connectPortMenu(const QString& menuName, void (MidiPortSelection::*click)(int));
    void drawPortMenu(QMenu* menu, const QString& itemName, const PortMenu& ports);

    MainWindow& window_;
    ReceiveSysexDumpForm dialog_;
    EditorMidi midi_;
};

}  // namespace morvane
