#include "PortMenus.h"

#include "midi/MidiPortSelection.h"

#include <QAction>
#include <QMenu>

#include <algorithm>

namespace morvane {

PortMenus::PortMenus(QMenu& inputs, QMenu& outputs, MidiPortSelection& ports)
    : inputs_(inputs), outputs_(outputs), ports_(ports)
{
    connectClicks(inputs_, &MidiPortSelection::mnuMIDI_inputs_Click);
    connectClicks(outputs_, &MidiPortSelection::mnuMIDI_outputs_Click);
    // Some MIDI services tell of no device coming or going: look when the user does.
    for (QMenu* menu : {&inputs_, &outputs_})
        QObject::connect(menu, &QMenu::aboutToShow, menu, [this] { ports_.refreshLists(); });
}

void PortMenus::connectClicks(QMenu& menu, void (MidiPortSelection::*click)(int))
{
    QObject::connect(&menu, &QMenu::triggered, &menu, [this, &menu, click](QAction* item) {
        (ports_.*click)(static_cast<int>(menu.actions().indexOf(item)));
    });
}

void PortMenus::redraw()
{
    drawPortMenu(inputs_, QStringLiteral("mnuMIDI_inputs_%1"), ports_.inputMenu());
    drawPortMenu(outputs_, QStringLiteral("mnuMIDI_outputs_%1"), ports_.outputMenu());
}

// Item 0 stays, with its empty caption, when there are no devices. Items are only added or dropped, never rebuilt, as
// this may run while one of them is being clicked.
void PortMenus::drawPortMenu(QMenu& menu, const QString& itemName, const PortMenu& ports)
{
    const int count = std::max<int>(1, static_cast<int>(ports.items.size()));
    auto items = menu.actions();
    for (int i = static_cast<int>(items.size()); i < count; ++i) {
        auto* item = menu.addAction(QString());
        item->setObjectName(itemName.arg(i));
        items.append(item);
    }
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
        auto* item = items[i];
        if (i >= count) {
            menu.removeAction(item);
            item->deleteLater();
            continue;
        }
        item->setText(i < static_cast<int>(ports.items.size()) ? ports.items[static_cast<std::size_t>(i)] : QString());
        item->setCheckable(true);
        item->setChecked(ports.checked == i);
    }
}

}  // namespace morvane
