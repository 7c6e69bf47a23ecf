#include "KitSender.h"

#include "KitHost.h"
#include "MidiPortSelection.h"
#include "SysexSender.h"
#include "kit/KitHistory.h"
#include "platform/Desktop.h"
#include "platform/WindowShell.h"

namespace morvane {
namespace {

const QString SendFailedText = QStringLiteral("Sysex send failed.");

}  // namespace

KitSender::KitSender(MidiDevices& devices, Desktop& desktop, WindowShell& shell, KitHost& kit,
                     const MidiPortSelection& ports, KitHistory& history)
    : devices_(devices), desktop_(desktop), shell_(shell), kit_(kit), ports_(ports), history_(history)
{
}

bool KitSender::outputIsOpen()
{
    if (ports_.MidiOutIsOpen()) return true;
    const QString noOutput = QStringLiteral("No Midi Output selected. Click on MIDI Configuration, Output, then "
                                            "select a MIDI Output device from the list.");
    const QString away = ports_.awayOutputText();
    desktop_.messageBox(away.isEmpty() ? noOutput : noOutput + QStringLiteral("\n\n") + away,
                        MessageStyle::Exclamation);
    return false;
}

void KitSender::MnuSysex_SendSysex_Click()
{
    if (!confirmed(QStringLiteral("Do you want to send your current kit to your Morvane?"))) return;
    if (!outputIsOpen()) return;
    desktop_.processEvents();
    shell_.commitPendingPadEdit();
    if (!prepareKitDump()) {
        shell_.Status_Update(SendFailedText);
        return;
    }
    sendDump(kit_.kitDump());
}

bool KitSender::sendKit(const KitDump& dump, const QString& title)
{
    if (!confirmed(QStringLiteral("Do you want to send the kit \"%1\" to your Morvane?").arg(title))) return false;
    if (!outputIsOpen()) return false;
    desktop_.processEvents();
    return sendDump(dump);
}

bool KitSender::confirmed(const QString& question)
{
    const auto answer =
        desktop_.messageBox(question, MessageStyle::OkCancelQuestion, QStringLiteral("Dump Sysex to Morvane?"));
    if (answer == MessageAnswer::Ok) return true;
    shell_.Status_Update(QStringLiteral("Sysex send aborted."));
    return false;
}

bool KitSender::sendDump(const KitDump& dump)
{
    if (!Send_Sysex(devices_, desktop_, dump)) {
        shell_.Status_Update(SendFailedText);
        return false;
    }
    history_.kitSent(dump, devices_.openOutputName());
    desktop_.beep(1000, 150);
    shell_.Status_Update(QStringLiteral("Sysex succesfully sent."));
    return true;
}

// Nothing leaves the program unless the fields went into the dump whole.
bool KitSender::prepareKitDump()
{
    if (!kit_.kitLoaded()) {
        desktop_.messageBox(QStringLiteral("There is no kit to send yet. Open a kit dump or receive one from your "
                                           "Morvane first."),
                            MessageStyle::Exclamation);
        return false;
    }
    if (auto written = kit_.Update_Buffer(); !written) {
        desktop_.messageBox(QStringLiteral("The kit cannot be sent. ") + QString::fromStdString(written.error()),
                            MessageStyle::Critical);
        return false;
    }
    return true;
}

bool KitSender::MnuSysex_SendMultipleKitDumps_Click() { return outputIsOpen(); }

}  // namespace morvane
