// A signal handler may only do async-signal-safe things, so it writes one
// byte to a socket the event loop watches, and the loop does the quitting.
#include "TerminationSignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>

#include <sys/socket.h>
#include <unistd.h>

namespace morvane {
namespace {

int wakeUp[2] = {-1, -1};

constexpr int Signals[] = {SIGTERM, SIGINT, SIGHUP};

void onTerminationSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(wakeUp[1], &byte, 1);
}

}  // namespace

void quitOnTerminationSignals()
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, wakeUp) != 0) return;  // signals then end it at once
    auto* notifier = new QSocketNotifier(wakeUp[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [notifier] {
        notifier->setEnabled(false);
        // A second signal ends the program at once, should this quit hang.
        for (const int signal : Signals) std::signal(signal, SIG_DFL);
        QCoreApplication::quit();
    });
    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : Signals) ::sigaction(signal, &action, nullptr);
}

}  // namespace morvane
