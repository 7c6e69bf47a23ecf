#include "BatchTexts.h"

namespace morvane {

QString kitDumpsToSendText(std::size_t count) { return QString::number(count) + QStringLiteral(" Kit dumps to send"); }

QString kitDumpsAddedText(std::size_t count) { return QString::number(count) + QStringLiteral(" Kit dumps added."); }

QString kitDumpsSentText(std::size_t count)
{
    if (count == 1) return QStringLiteral("1 Kit dump successfully sent.");
    return QString::number(count) + QStringLiteral(" Kit dumps successfully sent.");
}

QString filesNotSentText(std::size_t count)
{
    if (count == 1) return QStringLiteral("1 file was not sent.");
    return QString::number(count) + QStringLiteral(" files were not sent.");
}

}  // namespace morvane
