#pragma once

#include <QString>

namespace morvane::midisettings {

// Where the chosen ports are remembered in the per-user settings.
inline const QString Application = QStringLiteral("Morvane Editor");
inline const QString Section = QStringLiteral("MIDI");
inline const QString InputIndex = QStringLiteral("Input Index");
inline const QString OutputIndex = QStringLiteral("Output Index");
inline const QString InputName = QStringLiteral("Input Name");
inline const QString OutputName = QStringLiteral("Output Name");

}  // namespace morvane::midisettings
