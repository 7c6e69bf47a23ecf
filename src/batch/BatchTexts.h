#pragma once

#include <QString>
#include <QStringList>

#include <cstddef>
#include <string>

namespace morvane {

inline const QString SearchingFolderText = QStringLiteral("Please wait while the selected folder is being searched...");
inline const QString SendingKitDumpsText =
    QStringLiteral("Please wait while the selected kit dumps are sent to your Morvane...");
inline const QString BatchCancelledText = QStringLiteral("Batch send cancelled.");
inline const QString InvalidDelayText =
    QStringLiteral("The delay between kits must be a whole number of milliseconds from 0 to 60000.");

// FileLabel: "N Kit dumps to send".
QString kitDumpsToSendText(std::size_t count);
// PleaseWaitLabel after a folder search: "N Kit dumps added.".
QString kitDumpsAddedText(std::size_t count);
// PleaseWaitLabel after a batch: "1 Kit dump successfully sent." or "N Kit dumps successfully sent.",
// and for none no success at all.
QString kitDumpsSentText(std::size_t count);
// The line added below a batch result when files were skipped or failed.
QString filesNotSentText(std::size_t count);
// The one message that ends a batch whose output device has gone, or whose
// output was closed meanwhile (device is then empty).
QString outputGoneText(const std::string& device, std::size_t notSentCount);
// A box listing what went wrong: the heading, a blank line, the first 10
// lines and then "... and N more.".
QString listedText(const QString& heading, const QStringList& lines);

}  // namespace morvane
