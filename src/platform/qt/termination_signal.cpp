#include "platform/qt/termination_signal.h"

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>

namespace mmx {

namespace {

int wakeSockets[2] = {-1, -1};

// Only an async-signal-safe write here; the window thread does the rest.
void onTerminationSignal(int) {
    const char byte = 1;
    const ssize_t ignored = ::write(wakeSockets[0], &byte, 1);
    (void)ignored;
}

}  // namespace

TerminationSignal::TerminationSignal(QObject* parent) : QObject(parent) {
    if (wakeSockets[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, wakeSockets) != 0) return;
    notifier_ = new QSocketNotifier(wakeSockets[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        const ssize_t ignored = ::read(wakeSockets[1], &byte, 1);
        (void)ignored;
        Q_EMIT requested();
    });
    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
}

TerminationSignal::~TerminationSignal() {
    signal(SIGTERM, SIG_DFL);
    signal(SIGHUP, SIG_DFL);
}

}  // namespace mmx
