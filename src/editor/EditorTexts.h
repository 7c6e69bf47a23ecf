#pragma once

#include <QString>
#include <QStringList>

namespace morvane {

// The program's own words, in one place so windows and tests share them.
namespace texts {

inline const QString ProductName = QStringLiteral("VEXO Morvane Editor");
inline const QString Version = QStringLiteral("v1.03");
inline const QString SettingsApplication = QStringLiteral("VEXO Morvane Editor");
inline const QString SettingsSection = QStringLiteral("General");
inline const QString LoadPathKey = QStringLiteral("loadpath");
inline const QString RecentKitsKey = QStringLiteral("recentfiles");
inline const QString SysexFilter = QStringLiteral("Sysex Files (*.syx)");
inline const QString SysexErrorTitle = QStringLiteral("Error in Sysex");
inline const QString LoadedStatus = QStringLiteral("Successfully loaded file...");
inline const QString SavedStatus = QStringLiteral("File successfully saved.");
inline const QString NothingToSave =
    QStringLiteral("There is no kit to save yet. Open a kit file or receive a kit from your Morvane first.");
inline const QString SaveChangesQuestion = QStringLiteral("Save changes to the kit?");
inline const QString KitKept = QStringLiteral("The kit was not opened: the editor keeps its changed kit.");
inline const QString AboutTitle = QStringLiteral("About");

QString startCaption();
// The caption of a loaded kit: product, version, kit title and file name.
QString kitCaption(const QString& kitName, const QString& shortFileName);

// A title as its one-line label shows it: a control character (TAB, LF,
// DEL, ...) becomes a visible mark of its own instead of breaking the line.
QString visibleTitle(const QString& title);

QString noteTooltip(int padIndex);
QString channelTooltip(int padIndex);
QString ledText(int padIndex);

QString aboutText();

// A file of File > Open Recent that is not there any more.
QString goneRecentKit(const QString& path);

QString noKitHeading();
QString noKitReceiveHelp();
QString noKitOpenHelp();

}  // namespace texts

// The kit path the program was started with, from its arguments after the
// program name: a path the shell split at blanks is joined again, and one
// pair of surrounding double quotes is removed. Empty when none was given.
QString commandLinePath(const QStringList& arguments);

}  // namespace morvane
