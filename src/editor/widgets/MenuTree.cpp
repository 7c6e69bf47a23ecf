#include "MenuTree.h"

#include <QMenu>
#include <QMenuBar>

namespace morvane {
namespace {

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

QAction* addItem(QMenu* menu, const char* name, const char* caption, const QKeySequence& shortcut = {})
{
    auto* action = menu->addAction(QString::fromLatin1(caption));
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    return action;
}

}  // namespace

MenuActions buildMenuTree(QMenuBar* bar)
{
    MenuActions menu{};
    auto* file = addMenu(bar, "MnuFile", "File");
    menu.fileOpen = addItem(file, "MnuFile_Open", "Open", QKeySequence(Qt::CTRL | Qt::Key_O));
    menu.fileOpenRecent = addMenu(file, "MnuFile_OpenRecent", "Open Recent");
    for (std::size_t i = 0; i < menu.fileRecentKits.size(); ++i) {
        auto* item = menu.fileOpenRecent->addAction(QString());
        item->setObjectName(QStringLiteral("MnuFile_Recent_%1").arg(i));
        item->setVisible(false);
        menu.fileRecentKits[i] = item;
    }
    menu.fileOpenRecent->addSeparator();
    menu.fileClearRecent = addItem(menu.fileOpenRecent, "MnuFile_ClearRecent", "Clear List");
    menu.fileSave = addItem(file, "MnuFile_Save", "Save", QKeySequence(Qt::CTRL | Qt::Key_S));
    menu.fileSaveAs = addItem(file, "MnuFile_SaveAs", "Save As");
    menu.filePrint = addItem(file, "MnuFile_Print", "Print", QKeySequence(Qt::CTRL | Qt::Key_P));
    menu.fileExportPdf = addItem(file, "MnuFile_ExportPdf", "Export Kit Sheet as PDF...");
    menu.fileKitLibrary = addItem(file, "MnuFile_KitLibrary", "Kit Library...", QKeySequence(Qt::CTRL | Qt::Key_L));
    menu.fileQuit = addItem(file, "MnuFile_Quit", "Quit", QKeySequence(Qt::CTRL | Qt::Key_Q));

    auto* edit = addMenu(bar, "MnuEdit", "Edit");
    menu.editUndo = addItem(edit, "MnuEdit_Undo", "Undo", QKeySequence(Qt::CTRL | Qt::Key_Z));
    menu.editRedo = addItem(edit, "MnuEdit_Redo", "Redo");
    menu.editRedo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});

    auto* settings = addMenu(bar, "MnuSettings", "Kit Settings");
    menu.kitSettings = addItem(settings, "MnuSettings_KitSettings", "Kit Settings");
    menu.fillAll = addItem(settings, "MnuSettings_FillAll", "Fill All With Selected Value",
                           QKeySequence(Qt::CTRL | Qt::Key_A));

    auto* sysex = addMenu(bar, "MnuSysex", "Send / Receive");
    menu.sendSysex = addItem(sysex, "MnuSysex_SendSysex", "Send Sysex Kit Dump", QKeySequence(Qt::Key_F1));
    menu.receiveSysex = addItem(sysex, "MnuSysex_ReceiveSysex", "Receive Sysex Kit Dump", QKeySequence(Qt::Key_F2));
    menu.sendMultipleKitDumps = addItem(sysex, "MnuSysex_SendMultipleKitDumps", "Send Multiple Sysex Kit Dumps",
                                        QKeySequence(Qt::Key_F3));

    // The port lists start with one item of an empty caption each; the port
    // menus fill them from the machine's devices.
    auto* midi = addMenu(bar, "mnuMIDI", "MIDI Configuration");
    menu.midiInputs = addMenu(midi, "mnuMIDI_Input", "Input");
    addItem(menu.midiInputs, "mnuMIDI_inputs_0", "");
    menu.midiOutputs = addMenu(midi, "mnuMIDI_Output", "Output");
    addItem(menu.midiOutputs, "mnuMIDI_outputs_0", "");

    menu.about = bar->addAction(QStringLiteral("About"));
    menu.about->setObjectName(QStringLiteral("mnu_about"));
    return menu;
}

}  // namespace morvane
