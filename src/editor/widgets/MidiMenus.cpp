#include "MidiMenus.h"

#include "MainWindow.h"

#include <QAction>
#include <QMenu>

#include <algorithm>

namespace morvane {

MidiMenus::MidiMenus(MainWindow& window, Desktop& desktop, MidiDevices& devices)
    : window_(window), dialog_(&window), midi_(devices, desktop, *this, dialog_)
{
    window_.setOtherWindow(OtherWindow::ReceiveSysexDumpForm, &dialog_);
    midi_.ports.onMenusChanged = [this] { drawPortMenus(); };
    connectCommands();
    connectPortMenu(QStringLiteral("mnuMIDI_Input"), &MidiPortSelection::mnuMIDI_inputs_Click);
    connectPortMenu(QStringLiteral("mnuMIDI_Output"), &MidiPortSelection::mnuMIDI_outputs_Click);
}

void MidiMenus::connectCommands()
{
    auto on = [this](const char* name, auto command) {
        QObject::connect(window_.menuAction(QString::fromLatin1(name)), &QAction::triggered, &window_, command);
    };
    on("MnuSysex_SendSysex", [this] { midi_.sender.MnuSysex_SendSysex_Click(); });
    on("MnuSysex_ReceiveSysex", [this] { midi_.receiver.MnuSysex_ReceiveSysex_Click(); });
    on("MnuSysex_SendMultipleKitDumps", [this] { midi_.sender.MnuSysex_SendMultipleKitDumps_Click(); });
}

// Item i of a port list stands for device i.
void MidiMenus::connectPortMenu(const QString& menuName, void (MidiPortSelection::*click)(int))
{
    auto* menu = window_.findChild<QMenu*>(menuName);
    QObject::connect(menu, &QMenu::triggered, &window_, [this, menu, click](QAction* item) {
        (midi_.ports.*click)(static_cast<int>(menu->actions().indexOf(item)));
    });
}

void MidiMenus::drawPortMenus()
{
    drawPortMenu(window_.findChild<QMenu*>(QStringLiteral("mnuMIDI_Input")), QStringLiteral("mnuMIDI_inputs_%1"),
                 midi_.ports.inputMenu());
    drawPortMenu(window_.findChild<QMenu*>(QStringLiteral("mnuMIDI_Output")), QStringLiteral("mnuMIDI_outputs_%1"),
                 midi_.ports.outputMenu());
}

// Item 0 stays, with its empty caption, when there are no devices. Items are only added or dropped, never rebuilt, as
// this may run while one of them is being clicked.
void MidiMenus::drawPortMenu(QMenu* menu, const QString& itemName, const PortMenu& ports)
{
    const int count = std::max<int>(1, static_cast<int>(ports.items.size()));
    auto items = menu->actions();
    for (int i = static_cast<int>(items.size()); i < count; ++i) {
        auto* item = menu->addAction(QString());
        item->setObjectName(itemName.arg(i));
        items.append(item);
    }
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
        auto* item = items[i];
        if (i >= count) {
            menu->removeAction(item);
            item->deleteLater();
            continue;
        }
        item->setText(i < static_cast<int>(ports.items.size()) ? ports.items[static_cast<std::size_t>(i)] : QString());
        item->setCheckable(true);
        item->setChecked(ports.checked == i);
    }
}

void MidiMenus::Status_Update(const QString& text) { window_.Status_Update(text); }

bool MidiMenus::kitLoaded() const { return window_.kit().kitLoaded(); }

void MidiMenus::commitPendingPadEdit() { window_.Pad_Clicked(-1, false); }

Status MidiMenus::Update_Buffer() { return window_.Update_Buffer(); }

const KitDump& MidiMenus::kitDump() const { return window_.kit().kitDump(); }

void MidiMenus::takeReceivedDump(const KitDump& dump)
{
    // The receiver decoded it once already, so this cannot be refused.
    (void)window_.Interpret_Buffer(dump);
}

}  // namespace morvane
