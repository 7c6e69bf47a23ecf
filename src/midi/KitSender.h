#pragma once

namespace morvane {

class Desktop;
class KitHost;
class MidiDevices;
class MidiPortSelection;
class WindowShell;

// The "Send Sysex Kit Dump" and "Send Multiple Sysex Kit Dumps" commands.
class KitSender {
public:
    KitSender(MidiDevices& devices, Desktop& desktop, WindowShell& shell, KitHost& kit,
              const MidiPortSelection& ports);

    void MnuSysex_SendSysex_Click();
    // True when the batch window may open: an output is chosen.
    bool MnuSysex_SendMultipleKitDumps_Click();

private:
    bool outputIsOpen();
    bool prepareKitDump();

    MidiDevices& devices_;
    Desktop& desktop_;
    WindowShell& shell_;
    KitHost& kit_;
    const MidiPortSelection& ports_;
};

}  // namespace morvane
