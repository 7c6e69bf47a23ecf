#pragma once

#include "kit/KitDump.h"

class QString;

namespace morvane {

class Desktop;
class KitHistory;
class KitHost;
class MidiDevices;
class MidiPortSelection;
class WindowShell;

// The "Send Sysex Kit Dump" and "Send Multiple Sysex Kit Dumps" commands,
// and the same send for a kit other than the current one. A kit sent is
// told to the kit history.
class KitSender {
public:
    KitSender(MidiDevices& devices, Desktop& desktop, WindowShell& shell, KitHost& kit,
              const MidiPortSelection& ports, KitHistory& history);

    void MnuSysex_SendSysex_Click();
    // Asks, then sends these bytes as the command sends the current kit;
    // true when they were sent.
    bool sendKit(const KitDump& dump, const QString& title);
    // True when the batch window may open: an output is chosen.
    bool MnuSysex_SendMultipleKitDumps_Click();

private:
    bool confirmed(const QString& question);
    bool outputIsOpen();
    bool prepareKitDump();
    bool sendDump(const KitDump& dump);

    MidiDevices& devices_;
    Desktop& desktop_;
    WindowShell& shell_;
    KitHost& kit_;
    const MidiPortSelection& ports_;
    KitHistory& history_;
};

}  // namespace morvane
