#include "core/TerminationSignals.h"

#include <QApplication>
#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace zor {

namespace {

// The handler may only write: the byte wakes the event loop, which does the
// closing outside the signal's context.
int Wakeup[2] = {-1, -1};
bool Requested = false;

void OnTerminationSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(Wakeup[1], &byte, 1);
}

} // namespace

void EndOnTerminationSignals()
{
    if (Wakeup[0] >= 0 || ::pipe2(Wakeup, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    auto* notifier = new QSocketNotifier(Wakeup[0], QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, [] {
        char bytes[16];
        while (::read(Wakeup[0], bytes, sizeof bytes) > 0) {
        }
        Requested = true;
        QApplication::closeAllWindows();
    });
    struct sigaction action = {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
}

bool TerminationRequested()
{
    return Requested;
}

} // namespace zor
