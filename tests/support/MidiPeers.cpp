#include "MidiPeers.h"

#include "kit/KitFile.h"

#include <QTest>

#include <optional>

namespace morvane::testing {

namespace {

std::optional<QByteArray> jackPorts()
{
    QProcess probe;
    probe.start(QStringLiteral("jack_lsp"), {});
    if (!probe.waitForFinished(5000) || probe.exitStatus() != QProcess::NormalExit || probe.exitCode() != 0)
        return std::nullopt;
    return probe.readAllStandardOutput();
}

// A simulator still leaving the server would make JACK rename the next
// one's ports, or lend its own dying ports to the test. One that never
// leaves shows up as a port the test cannot find.
void waitUntilNoSimulatorIsListed()
{
    (void)QTest::qWaitFor([] { return !jackPorts().value_or(QByteArray()).contains("morvane-sim"); }, 5000);
}

}  // namespace

bool jackServerRunning() { return jackPorts().has_value(); }

SimulatedController::SimulatedController(const QStringList& extraArguments)
{
    waitUntilNoSimulatorIsListed();
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start(QStringLiteral(MORVANE_SIM_PROGRAM),
                   QStringList{QStringLiteral("--save-dir"), saveDir_.path()} + extraArguments);
}

SimulatedController::~SimulatedController() { stop(); }

void SimulatedController::command(const QString& line)
{
    process_.write((line + QLatin1Char('\n')).toUtf8());
    process_.waitForBytesWritten(1000);
}

bool SimulatedController::waitForOutput(const QString& text, int milliseconds)
{
    return QTest::qWaitFor(
        [&] {
            output_ += process_.readAllStandardOutput();
            return output_.contains(text.toUtf8());
        },
        milliseconds);
}

void SimulatedController::stop()
{
    if (process_.state() == QProcess::NotRunning) return;
    command(QStringLiteral("quit"));
    if (!process_.waitForFinished(3000)) process_.kill();
    process_.waitForFinished(1000);
    waitUntilNoSimulatorIsListed();
}

std::vector<std::uint8_t> SimulatedController::savedFile(int number) const
{
    const auto name = QStringLiteral("%1/received-%2.syx").arg(saveDir_.path()).arg(number, 4, 10, QLatin1Char('0'));
    auto bytes = readWholeFile(name.toStdString());
    return bytes ? bytes.value() : std::vector<std::uint8_t>{};
}

}  // namespace morvane::testing
