#pragma once

#include "core/bilingual.h"
#include "link/link_parts.h"
#include "link/port_list.h"

#include <QList>
#include <functional>
#include <memory>

namespace r7k {

// What trying one port for a radio found.
struct Port_finding {
    enum class Kind { Radio, No_answer, Not_opened };
    Port_entry port;
    Kind kind = Kind::No_answer;
    QString reason; // Not_opened: why, as the port failure details tell it

    // "COM3: R7K radio (/dev/ttyUSB0, 1a86:7523)".
    Bilingual text() const;
};

class Detect_engine;

// Looks for radios on the user's request: on each port in turn it opens the
// line, sends Connect and Identify once, and closes the line as soon as the
// radio has identified itself or the reply time-out has ended the attempt.
// No memory block is read or written. A port that cannot be opened (in use,
// no permission) is reported and not touched further.
class Radio_finder {
public:
    // The line and the timers for trying one port; a line to the port's
    // device, whatever port number it is opened with.
    using Parts_maker = std::function<Link_parts(const Port_entry &)>;
    // How often the finder looks whether the current port is done.
    static constexpr int Check_ms = 50;

    // `own_timers` pace the finder itself; they are not the ports' timers.
    Radio_finder(Parts_maker maker, std::unique_ptr<Timer_set> own_timers);
    ~Radio_finder();
    Radio_finder(const Radio_finder &) = delete;
    Radio_finder &operator=(const Radio_finder &) = delete;

    // Tries `ports` one after the other; ignored while a search runs.
    void start(const QList<Port_entry> &ports);
    bool running() const;

    // Each port as it has been tried, then the end of the search.
    std::function<void(const Port_finding &)> on_finding;
    std::function<void()> on_done;

private:
    void try_next();
    void check();
    void report(Port_finding::Kind kind, const QString &reason = {});

    Parts_maker make_parts;
    std::unique_ptr<Timer_set> timers;
    QList<Port_entry> waiting;
    Port_entry current;
    Link_parts parts;
    std::unique_ptr<Detect_engine> engine;
};

} // namespace r7k
