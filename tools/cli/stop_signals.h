#pragma once

#include <QObject>

class QSocketNotifier;

namespace r7k::cli {

// Ctrl-C, SIGTERM and SIGHUP while radios are read or written. The handler
// itself only writes the signal's number into a socket; the event loop reads
// it there and tells the jobs to stop, where every call is allowed. While this
// lives the three signals no longer end the program; afterwards they do again.
class Stop_signals final : public QObject {
    Q_OBJECT
public:
    Stop_signals();
    ~Stop_signals() override;
    Stop_signals(const Stop_signals &) = delete;
    Stop_signals &operator=(const Stop_signals &) = delete;

Q_SIGNALS:
    void stop_requested();

private:
    QSocketNotifier *notifier = nullptr;
};

} // namespace r7k::cli
