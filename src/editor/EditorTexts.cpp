#include "EditorTexts.h"

#include <QDir>

namespace morvane {
namespace texts {

QString startCaption() { return ProductName + QLatin1Char(' ') + Version; }

QString kitCaption(const QString& kitName, const QString& shortFileName)
{
    return startCaption() + QStringLiteral(" - ") + kitName + QStringLiteral(" (") + shortFileName +
           QLatin1Char(')');
}

QString visibleTitle(const QString& title)
{
    constexpr char16_t ControlPictures = 0x2400;  // the picture of C0 control c is at 0x2400 + c
    constexpr char16_t DeletePicture = 0x2421;
    QString shown = title;
    for (QChar& ch : shown) {
        if (ch.unicode() < 0x20) ch = QChar(ControlPictures + ch.unicode());
        else if (ch.unicode() == 0x7F) ch = QChar(DeletePicture);
        else if (ch.category() == QChar::Other_Control) ch = QChar::ReplacementCharacter;
    }
    return shown;
}

QString noteTooltip(int padIndex)
{
    return QStringLiteral("Click here to change the Midi Note Number for pad ") + QString::number(padIndex + 1);
}

QString channelTooltip(int padIndex)
{
    return QStringLiteral("Click here to change the Transmit Channel for pad ") + QString::number(padIndex + 1);
}

QString ledText(int padIndex) { return QStringLiteral("Pad ") + QString::number(padIndex + 1); }

QString aboutText()
{
    return QStringList{
        QStringLiteral("Program: VEXO software team"),
        QStringLiteral("Graphic design: VEXO design studio"),
        QStringLiteral("Icon design: VEXO design studio"),
        QStringLiteral("2025-2026"),
        QString(),
        QStringLiteral("Made for the drummers who play the Morvane, on stage and at home."),
    }.join(QLatin1Char('\n'));
}

QString goneRecentKit(const QString& path)
{
    return QStringLiteral("The kit file \"%1\" is no longer there; it is removed from the recent list.")
        .arg(QDir::toNativeSeparators(path));
}

QString noKitHeading()
{
    return QStringLiteral("No kit is currently loaded. Before you can use the editor, you must either send a kit "
                          "from your Morvane to the editor or open a saved kit dump.");
}

QString noKitReceiveHelp()
{
    return QStringLiteral(
        "To send a kit from your Morvane to the editor, first connect a MIDI cable to your Morvane's MIDI Out "
        "port and connect the other end into your computer's MIDI In port. Click \"MIDI Configuration\" on the "
        "menu above. Click \"Input\", then select the MIDI In port into which you just plugged your MIDI cable. "
        "Then, click \"Send / Receive\" from the menu above. Click \"Receive Sysex Kit Dump\", then send the kit "
        "dump from your Morvane. If the send is successful, the kit will be displayed in the editor.");
}

QString noKitOpenHelp()
{
    return QStringLiteral("To open a kit dump, first click \"File\" on the menu above. Then click \"Open\". Select "
                          "the .syx kit dump file you wish to open, then click \"OK\".");
}

}  // namespace texts

QString commandLinePath(const QStringList& arguments)
{
    QString path = arguments.join(QLatin1Char(' '));
    const QLatin1Char quote('"');
    if (path.size() >= 2 && path.startsWith(quote) && path.endsWith(quote)) path = path.mid(1, path.size() - 2);
    return path;
}

}  // namespace morvane
