#include "cli/stop_signals.h"

#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <array>
#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace r7k::cli {

#ifdef Q_OS_UNIX

namespace {

constexpr std::array Stopping{SIGINT, SIGTERM, SIGHUP};
int sockets[2] = {-1, -1}; // the handler writes to 0, the event loop reads 1
std::array<struct sigaction, Stopping.size()> previous{};

extern "C" void note_signal(int number)
{
    const int saved = errno;
    const char byte = char(number);
    [[maybe_unused]] const ssize_t written = ::write(sockets[0], &byte, 1);
    errno = saved;
}

} // namespace

Stop_signals::Stop_signals()
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, sockets) != 0)
        return;
    notifier = new QSocketNotifier(sockets[1], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] {
        char bytes[16];
        while (::read(sockets[1], bytes, sizeof bytes) > 0) {
        }
        Q_EMIT stop_requested();
    });
    struct sigaction action {};
    action.sa_handler = note_signal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < Stopping.size(); ++i)
        sigaction(Stopping[i], &action, &previous[i]);
}

Stop_signals::~Stop_signals()
{
    if (!notifier)
        return;
    for (std::size_t i = 0; i < Stopping.size(); ++i)
        sigaction(Stopping[i], &previous[i], nullptr);
    delete notifier;
    ::close(sockets[0]);
    ::close(sockets[1]);
    sockets[0] = sockets[1] = -1;
}

#else

Stop_signals::Stop_signals() = default;
Stop_signals::~Stop_signals() = default;

#endif

} // namespace r7k::cli
