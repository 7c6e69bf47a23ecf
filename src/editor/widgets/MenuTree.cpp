#include "MenuTree.h"

#include <QMenu>
#include <QMenuBar>

#include <initializer_list>

namespace morvane {
namespace {

struct Item {
    const char* name;
    const char* caption;
    QKeySequence shortcut;
};

// The menu and the action that opens it share the name.
QMenu* named(QMenu* menu, const char* name)
{
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    return menu;
}

template <typename Parent>
QMenu* addMenu(Parent* parent, const char* name, const char* caption)
{
    return named(parent->addMenu(QString::fromLatin1(caption)), name);
}

void addItems(QMenu* menu, std::initializer_list<Item> items)
{
    for (const auto& item : items) {
        auto* action = menu->addAction(QString::fromLatin1(item.caption));
        action->setObjectName(QString::fromLatin1(item.name));
        action->setShortcut(item.shortcut);
    }
}

}  // namespace

void buildMenuTree(QMenuBar* bar)
{
    addItems(addMenu(bar, "MnuFile", "File"), {
        {"MnuFile_Open", "Open", QKeySequence(Qt::CTRL | Qt::Key_O)},
        {"MnuFile_Save", "Save", QKeySequence(Qt::CTRL | Qt::Key_S)},
        {"MnuFile_SaveAs", "Save As", {}},
        {"MnuFile_Print", "Print", QKeySequence(Qt::CTRL | Qt::Key_P)},
        {"MnuFile_Quit", "Quit", QKeySequence(Qt::CTRL | Qt::Key_Q)},
    });
    addItems(addMenu(bar, "MnuSettings", "Kit Settings"), {
        {"MnuSettings_KitSettings", "Kit Settings", {}},
        {"MnuSettings_FillAll", "Fill All With Selected Value", QKeySequence(Qt::CTRL | Qt::Key_A)},
    });
    addItems(addMenu(bar, "MnuSysex", "Send / Receive"), {
        {"MnuSysex_SendSysex", "Send Sysex Kit Dump", QKeySequence(Qt::Key_F1)},
        {"MnuSysex_ReceiveSysex", "Receive Sysex Kit Dump", QKeySequence(Qt::Key_F2)},
        {"MnuSysex_SendMultipleKitDumps", "Send Multiple Sysex Kit Dumps", QKeySequence(Qt::Key_F3)},
    });
    // The port lists start with one item of an empty caption each; the MIDI
    // port menus fill them from the machine's devices.
    auto* midi = addMenu(bar, "mnuMIDI", "MIDI Configuration");
    addItems(addMenu(midi, "mnuMIDI_Input", "Input"), {{"mnuMIDI_inputs_0", "", {}}});
    addItems(addMenu(midi, "mnuMIDI_Output", "Output"), {{"mnuMIDI_outputs_0", "", {}}});
    bar->addAction(QStringLiteral("About"))->setObjectName(QStringLiteral("mnu_about"));
}

}  // namespace morvane
