#pragma once

#include <QString>

class QAction;
class QMenu;

namespace morvane {

class MidiPortSelection;
struct PortMenu;

// The "MIDI Configuration" Input and Output menus, drawn from the port
// selection; item i of a list chooses device i.
class PortMenus {
public:
    PortMenus(QMenu& inputs, QMenu& outputs, MidiPortSelection& ports);

    // Brings items and check marks in line with the port selection.
    void redraw();

private:
    void connectClicks(QMenu& menu, void (MidiPortSelection::*click)(int));
    static void drawPortMenu(QMenu& menu, const QString& itemName, const PortMenu& ports);

    QMenu& inputs_;
    QMenu& outputs_;
    MidiPortSelection& ports_;
};

}  // namespace morvane
