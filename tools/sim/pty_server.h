#pragma once

#include "sim/radio.h"
#include "sim/sim_options.h"

#include <QByteArray>
#include <QString>
#include <csignal>
#include <ctime>

namespace r7k::sim {

// Serves a radio on a pseudo-terminal: the program opens the pty's slave end
// through a stable link, and every byte it writes reaches the radio, every
// byte the radio answers reaches the program. The server keeps a slave
// descriptor of its own open for its whole life, so that the master end stays
// usable while the program has the port closed.
class Pty_server {
public:
    Pty_server(Radio &served_radio, const Sim_options &sim_options);
    ~Pty_server();
    Pty_server(const Pty_server &) = delete;
    Pty_server &operator=(const Pty_server &) = delete;

    // Opens the pty and points the link at it; false with a reason when that fails.
    bool open(QString &error);

    // Serves until SIGTERM, SIGINT or SIGHUP arrives (0), the radio hangs up
    // for good (0), or the line fails (1, with a reason on stderr). A radio
    // that comes back after a hang-up is served on a new pty under the same
    // link. The signals must be
    // blocked in the calling thread (see Block_stop_signals).
    int run();

    // Blocks the signals that stop the server, so that run() takes them in
    // its loop; call it first thing in main().
    static void Block_stop_signals();

private:
    // Opens a pty and points the link at it.
    bool open_line(QString &error);
    void take(const QByteArray &bytes);
    void send(const QByteArray &bytes);
    void save_memory() const;
    bool stop_requested() const;
    // Sleeps until the deadline; false when a stop was asked for meanwhile.
    bool pace_until(const timespec &deadline) const;
    void close_line();

    Radio &radio;
    Sim_options options;
    int master = -1;
    int slave = -1;
    int signals = -1;
    QByteArray slave_name;
    timespec wire_free{}; // when the last byte taken from the program has arrived
};

} // namespace r7k::sim
