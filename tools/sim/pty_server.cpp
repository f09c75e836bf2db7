#include "sim/pty_server.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/signalfd.h>
#include <termios.h>
#include <unistd.h>

namespace r7k::sim {

namespace {

// One byte on a 9600-baud wire: a start bit, 8 data bits and a stop bit.
constexpr long Byte_ns = 1'000'000'000L * 10 / 9600;
constexpr long Second_ns = 1'000'000'000L;
constexpr long Millisecond_ns = 1'000'000L;

sigset_t stop_signals()
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGHUP);
    return set;
}

timespec now()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t;
}

timespec later(timespec t, long ns)
{
    t.tv_nsec += ns;
    t.tv_sec += t.tv_nsec / Second_ns;
    t.tv_nsec %= Second_ns;
    return t;
}

bool before(const timespec &a, const timespec &b)
{
    return a.tv_sec < b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec < b.tv_nsec);
}

QString system_reason(const char *what)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(what),
                                        QString::fromLocal8Bit(strerror(errno)));
}

} // namespace

Pty_server::Pty_server(Radio &served_radio, const Sim_options &sim_options)
    : radio(served_radio), options(sim_options)
{}

Pty_server::~Pty_server()
{
    close_line();
    if (signals >= 0)
        ::close(signals);
}

void Pty_server::Block_stop_signals()
{
    const sigset_t set = stop_signals();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

bool Pty_server::open(QString &error)
{
    const sigset_t set = stop_signals();
    signals = signalfd(-1, &set, SFD_CLOEXEC);
    if (signals < 0) {
        error = system_reason("signalfd");
        return false;
    }
    return open_line(error);
}

bool Pty_server::open_line(QString &error)
{
    char name[256] = {};
    if (openpty(&master, &slave, name, nullptr, nullptr) < 0) {
        error = system_reason("openpty");
        return false;
    }
    slave_name = name;
    termios settings{};
    tcgetattr(slave, &settings);
    cfmakeraw(&settings);
    tcsetattr(slave, TCSANOW, &settings);
    // Bytes the radio sends while nobody has the port open are lost, as on a
    // wire; a full pty buffer must not block the radio.
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);

    const QFileInfo existing(options.link);
    if (existing.exists() && !existing.isSymLink()) {
        error = QStringLiteral("%1 exists and is not a link; choose another with --link")
                    .arg(options.link);
        return false;
    }
    // Replace a stale link in one step, so a program never sees it missing.
    const QByteArray link = QFile::encodeName(options.link);
    const QByteArray fresh = link + ".new" + QByteArray::number(getpid());
    ::unlink(fresh.constData());
    if (symlink(name, fresh.constData()) < 0 || rename(fresh.constData(), link.constData()) < 0) {
        error = system_reason(link.constData());
        ::unlink(fresh.constData());
        return false;
    }
    return true;
}

void Pty_server::close_line()
{
    if (master < 0)
        return;
    const QByteArray link = QFile::encodeName(options.link);
    char target[256] = {};
    const ssize_t length = readlink(link.constData(), target, sizeof target - 1);
    // Another server may have taken the link over since: leave it alone then.
    if (length > 0 && slave_name == QByteArray(target, int(length)))
        ::unlink(link.constData());
    ::close(master);
    ::close(slave);
    master = slave = -1;
}

int Pty_server::run()
{
    pollfd watched[2] = {{master, POLLIN, 0}, {signals, POLLIN, 0}};
    while (true) {
        if (poll(watched, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            std::fprintf(stderr, "r7k-sim: %s\n", qPrintable(system_reason("poll")));
            return 1;
        }
        if (watched[1].revents != 0)
            break;
        if (watched[0].revents & POLLIN) {
            char buffer[512];
            const ssize_t count = ::read(master, buffer, sizeof buffer);
            if (count < 0 && (errno == EAGAIN || errno == EINTR))
                continue;
            if (count <= 0) {
                std::fprintf(stderr, "r7k-sim: %s\n", qPrintable(system_reason("read")));
                return 1;
            }
            take(QByteArray(buffer, int(count)));
            if (radio.hung_up()) {
                std::printf("r7k-sim: hung up\n");
                std::fflush(stdout);
                close_line();
                if (!radio.come_back())
                    break;
                // Plugged in again: a new line under the same link.
                QString error;
                if (!open_line(error)) {
                    std::fprintf(stderr, "r7k-sim: %s\n", qPrintable(error));
                    return 1;
                }
                watched[0].fd = master;
            }
        } else if (watched[0].revents != 0) {
            std::fprintf(stderr, "r7k-sim: the pseudo-terminal failed\n");
            return 1;
        }
    }
    save_memory();
    return 0;
}

void Pty_server::take(const QByteArray &bytes)
{
    if (options.pace) {
        // The bytes arrive one after the other, as a 9600-baud wire delivers them.
        const timespec start = now();
        if (before(wire_free, start))
            wire_free = start;
        wire_free = later(wire_free, Byte_ns * bytes.size());
        if (!pace_until(wire_free))
            return;
    }
    const bool had_ended = radio.ended();
    const bool had_left = radio.left();
    send(radio.receive(bytes));
    if ((radio.ended() && !had_ended) || (radio.left() && !had_left))
        save_memory();
    // Said on stdout once the memory is saved, so that whoever started the
    // radio sees the program end its session, even a write that was cut off.
    if (radio.ended() && !had_ended) {
        std::printf("r7k-sim: End received\n");
        std::fflush(stdout);
    }
}

void Pty_server::send(const QByteArray &bytes)
{
    const Personality &personality = radio.personality();
    timespec deadline = now();
    const QList<QByteArray> pieces = Pieces_of(bytes, personality.pieces);
    for (const QByteArray &piece : pieces) {
        if (&piece != &pieces.first() && personality.gap_ms > 0) {
            deadline = later(deadline, personality.gap_ms * Millisecond_ns);
            if (!pace_until(deadline))
                return;
        }
        for (const char byte : piece) {
            if (options.pace) {
                deadline = later(deadline, Byte_ns);
                if (!pace_until(deadline))
                    return;
            }
            // A full buffer means nobody is reading: the byte is lost, as on a wire.
            while (::write(master, &byte, 1) < 0 && errno == EINTR) {
            }
        }
    }
}

bool Pty_server::pace_until(const timespec &deadline) const
{
    // Absolute deadlines: relative sleeps would add up their overshoot. A
    // long wait goes in slices, so that a stop request is not kept waiting.
    constexpr long Slice_ns = 50'000'000L;
    while (true) {
        if (stop_requested())
            return false;
        const timespec slice_end = later(now(), Slice_ns);
        const timespec &until = before(deadline, slice_end) ? deadline : slice_end;
        while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR) {
        }
        if (&until == &deadline)
            return true;
    }
}

bool Pty_server::stop_requested() const
{
    sigset_t pending;
    sigpending(&pending);
    const sigset_t stop = stop_signals();
    for (const int signal : {SIGTERM, SIGINT, SIGHUP})
        if (sigismember(&pending, signal) && sigismember(&stop, signal))
            return true;
    return false;
}

void Pty_server::save_memory() const
{
    if (options.save_to.isEmpty())
        return;
    const Channel_file::Outcome outcome = radio.save(options.save_to);
    if (!outcome.ok)
        std::fprintf(stderr, "r7k-sim: %s %s\n", qPrintable(outcome.message.english),
                     qPrintable(outcome.details.english));
}

} // namespace r7k::sim
