#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <vector>

namespace morvane::testing {

// True when a JACK server answers.
bool jackServerRunning();

// End-to-end MIDI tests need a JACK server: on a developer's machine
// without one they are skipped, under CI (CI=true) they fail.
#define MORVANE_REQUIRE_JACK()                                                               \
    do {                                                                                     \
        if (!::morvane::testing::jackServerRunning()) {                                      \
            if (qgetenv("CI") == "true") FAIL() << "no JACK server runs (CI needs one)";    \
            GTEST_SKIP() << "no JACK server runs; source scripts/jack-session.sh first";    \
        }                                                                                    \
    } while (false)

// morvane-sim run as a child process, saving into a temporary folder.
class SimulatedController {
public:
    // The names its ports have on JACK, as the editor's menus list them.
    static inline const char* const EditorInputName = "morvane-sim out:Morvane (virtual)";
    static inline const char* const EditorOutputName = "morvane-sim in:Morvane (virtual)";

    explicit SimulatedController(const QStringList& extraArguments = {});
    ~SimulatedController();

    bool ready() { return waitForOutput(QStringLiteral("ready:")); }
    void command(const QString& line);
    // Waits (letting the caller's events run) until the output holds text.
    bool waitForOutput(const QString& text, int milliseconds = 5000);
    void stop();

    std::vector<std::uint8_t> savedFile(int number) const;
    QString saveDir() const { return saveDir_.path(); }

private:
    QTemporaryDir saveDir_;
    QProcess process_;
    QByteArray output_;
};

}  // namespace morvane::testing
