#include "WindowFixture.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

using namespace morvane::testing;

namespace {

// One line per item, "name|caption|shortcut", submenus indented by two blanks.
void describe(const QList<QAction*>& actions, const QString& indent, QStringList& out)
{
    for (auto* action : actions) {
        out << indent + action->objectName() + QLatin1Char('|') + action->text() + QLatin1Char('|') +
                   action->shortcut().toString();
        if (action->menu()) describe(action->menu()->actions(), indent + QStringLiteral("  "), out);
    }
}

}  // namespace

TEST_F(WindowTest, MenuTreeHasEveryItemWithItsCaptionShortcutAndPlace)
{
    start();
    QStringList tree;
    describe(window->menuBar()->actions(), QString(), tree);
    const QStringList expected{
        QStringLiteral("MnuFile|File|"),
        QStringLiteral("  MnuFile_Open|Open|Ctrl+O"),
        QStringLiteral("  MnuFile_Save|Save|Ctrl+S"),
        QStringLiteral("  MnuFile_SaveAs|Save As|"),
        QStringLiteral("  MnuFile_Print|Print|Ctrl+P"),
        QStringLiteral("  MnuFile_Quit|Quit|Ctrl+Q"),
        QStringLiteral("MnuSettings|Kit Settings|"),
        QStringLiteral("  MnuSettings_KitSettings|Kit Settings|"),
        QStringLiteral("  MnuSettings_FillAll|Fill All With Selected Value|Ctrl+A"),
        QStringLiteral("MnuSysex|Send / Receive|"),
        QStringLiteral("  MnuSysex_SendSysex|Send Sysex Kit Dump|F1"),
        QStringLiteral("  MnuSysex_ReceiveSysex|Receive Sysex Kit Dump|F2"),
        QStringLiteral("  MnuSysex_SendMultipleKitDumps|Send Multiple Sysex Kit Dumps|F3"),
        QStringLiteral("mnuMIDI|MIDI Configuration|"),
        QStringLiteral("  mnuMIDI_Input|Input|"),
        QStringLiteral("    mnuMIDI_inputs_0|Loopback In|"),
        QStringLiteral("  mnuMIDI_Output|Output|"),
        QStringLiteral("    mnuMIDI_outputs_0|Loopback Out|"),
        QStringLiteral("mnu_about|About|"),
    };
    EXPECT_EQ(tree, expected);
}
