#pragma once

#include "platform/Settings.h"

#include <QString>

namespace morvane::library {

// The library file in the per-user data folder, QStandardPaths'
// AppDataLocation ($XDG_DATA_HOME/VEXO Morvane Editor on Linux). It follows
// the application name, so every program sharing the library sets the
// editor's name first (morvane-kit does).
QString defaultLibraryFile();

// The setting's text as the library window shows it.
inline const QString KeepHistoryText = QStringLiteral("Keep a history of kits");

// On unless the user turned it off. When off, the editor opens no library
// and records nothing; the file stays until the user deletes it.
bool keepsHistory(Settings& settings);
// False when the choice could not be stored (the settings tell the user).
bool setKeepsHistory(Settings& settings, bool keep);

}  // namespace morvane::library
