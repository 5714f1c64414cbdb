#include "platform/sessionend.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int signalSocket[2] = {-1, -1};
bool ending = false;

void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalSocket[0], &byte, 1);
}

} // namespace

bool sessionEnding()
{
    return ending;
}

void quitOnSessionEnd(QCoreApplication &app)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, signalSocket) != 0)
        return; // the signals keep their default: the stored list is written whole or not at all
    auto *notifier = new QSocketNotifier(signalSocket[1], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [] {
        char bytes[16];
        while (::read(signalSocket[1], bytes, sizeof bytes) > 0) {
        }
        // Further signals change nothing: a logout often sends SIGHUP right after SIGTERM,
        // and the win must still be stored. Nothing may ask or wait from here on.
        ending = true;
        QCoreApplication::quit();
    });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(signal, &action, nullptr);
}
