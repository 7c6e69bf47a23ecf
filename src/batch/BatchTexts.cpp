#include "BatchTexts.h"

namespace morvane {
namespace {

// A long path wraps to several lines in a box; with more of them the box
// would outgrow a small screen and hide its OK button. The rest is counted.
constexpr qsizetype MostLinesNamed = 10;

}  // namespace

QString kitDumpsToSendText(std::size_t count) { return QString::number(count) + QStringLiteral(" Kit dumps to send"); }

QString kitDumpsAddedText(std::size_t count) { return QString::number(count) + QStringLiteral(" Kit dumps added."); }

QString kitDumpsSentText(std::size_t count)
{
    if (count == 0) return QStringLiteral("No kit dump was sent.");
    if (count == 1) return QStringLiteral("1 Kit dump successfully sent.");
    return QString::number(count) + QStringLiteral(" Kit dumps successfully sent.");
}

QString filesNotSentText(std::size_t count)
{
    if (count == 1) return QStringLiteral("1 file was not sent.");
    return QString::number(count) + QStringLiteral(" files were not sent.");
}

QString outputGoneText(const std::string& device, std::size_t notSentCount)
{
    const QString output = device.empty() ? QStringLiteral("No MIDI output is open")
                                          : QStringLiteral("The MIDI output \"%1\" can no longer be reached")
                                                .arg(QString::fromStdString(device));
    return output + QStringLiteral(", so the batch was ended.\n") + filesNotSentText(notSentCount);
}

QString listedText(const QString& heading, const QStringList& lines)
{
    QStringList text{heading, QString()};
    text << lines.mid(0, MostLinesNamed);
    if (lines.size() > MostLinesNamed) text << QStringLiteral("... and %1 more.").arg(lines.size() - MostLinesNamed);
    return text.join(QStringLiteral("\n"));
}

}  // namespace morvane
