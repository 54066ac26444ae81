#include "platform/termination.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace platform {
namespace {
int wake_fds[2] = {-1, -1};
std::function<void()> termination_callback;

void on_signal(int) {
    const int saved = errno;
    const char byte = 1;
    // Only write() here: the UI thread does the rest.
    [[maybe_unused]] ssize_t n = ::write(wake_fds[0], &byte, 1);
    errno = saved;
}
} // namespace

int on_termination_request(std::function<void()> callback) {
    termination_callback = std::move(callback);
    if (wake_fds[0] >= 0)
        return 0;
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, wake_fds) != 0)
        return errno;
    auto* notifier =
        new QSocketNotifier(wake_fds[1], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] {
        char buf[16];
        while (::read(wake_fds[1], buf, sizeof buf) > 0) {
        }
        if (termination_callback)
            termination_callback();
    });
    struct sigaction sa {};
    sa.sa_handler = on_signal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGINT, SIGHUP}) {
        if (::sigaction(sig, &sa, nullptr) != 0)
            return errno;
    }
    return 0;
}

} // namespace platform
