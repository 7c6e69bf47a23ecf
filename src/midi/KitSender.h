#pragma once

#include <functional>

namespace morvane {

class Desktop;
class KitHost;
class MidiDevices;
class MidiPortSelection;

// The "Send Sysex Kit Dump" and "Send Multiple Sysex Kit Dumps" commands.
class KitSender {
public:
    KitSender(MidiDevices& devices, Desktop& desktop, KitHost& host, const MidiPortSelection& ports);

    void MnuSysex_SendSysex_Click();
    void MnuSysex_SendMultipleKitDumps_Click();

    // Shows the batch window without blocking the main window.
    std::function<void()> openBatchWindow;

private:
    bool outputIsOpen();
    bool prepareKitDump();

    MidiDevices& devices_;
    Desktop& desktop_;
    KitHost& host_;
    const MidiPortSelection& ports_;
};

}  // namespace morvane
