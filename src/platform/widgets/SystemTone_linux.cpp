// Linux only: tones go to ALSA through aplay when a sound card exists.
#include "SystemTone.h"

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QtEndian>

#include <cmath>
#include <numbers>

namespace morvane {
namespace {

bool machineHasSoundCard()
{
    QFile cards(QStringLiteral("/proc/asound/cards"));
    if (!cards.open(QIODevice::ReadOnly)) return false;
    return !cards.readAll().contains("no soundcards");
}

template <typename T>
void appendLittleEndian(QByteArray& out, T value)
{
    const T le = qToLittleEndian(value);
    out.append(reinterpret_cast<const char*>(&le), sizeof le);
}

QByteArray sineWave(int hertz, int milliseconds)
{
    constexpr quint32 rate = 22050;
    const quint32 samples = rate * static_cast<quint32>(milliseconds) / 1000;
    QByteArray wav("RIFF");
    appendLittleEndian<quint32>(wav, 36 + samples * 2);
    wav.append("WAVEfmt ");
    appendLittleEndian<quint32>(wav, 16);
    appendLittleEndian<quint16>(wav, 1);  // PCM
    appendLittleEndian<quint16>(wav, 1);  // mono
    appendLittleEndian<quint32>(wav, rate);
    appendLittleEndian<quint32>(wav, rate * 2);
    appendLittleEndian<quint16>(wav, 2);
    appendLittleEndian<quint16>(wav, 16);
    wav.append("data");
    appendLittleEndian<quint32>(wav, samples * 2);
    for (quint32 i = 0; i < samples; ++i) {
        const double phase = 2.0 * std::numbers::pi * hertz * i / rate;
        appendLittleEndian<qint16>(wav, static_cast<qint16>(9000 * std::sin(phase)));
    }
    return wav;
}

}  // namespace

bool playSystemTone(int hertz, int milliseconds)
{
    const QString player = QStandardPaths::findExecutable(QStringLiteral("aplay"));
    if (player.isEmpty() || !machineHasSoundCard()) return false;
    auto* process = new QProcess;
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    QObject::connect(process, &QProcess::errorOccurred, process, &QObject::deleteLater);
    process->start(player, {QStringLiteral("-q"), QStringLiteral("-")});
    process->write(sineWave(hertz, milliseconds));
    process->closeWriteChannel();
    return true;
}

}  // namespace morvane
