#include "link/radio_finder.h"

#include "core/image.h"
#include "link/link_engine.h"

namespace r7k {

namespace {

// Engines report to a dialog; looking for a radio shows nothing of theirs.
struct Quiet_listener final : Link_listener {
    void show_progress(int) override {}
    void show_status(const Bilingual &) override {}
    void show_message(const Bilingual &, const Bilingual &, const QString &) override {}
    void finished() override {}
};

} // namespace

// Connect and Identify, once: the radio is known as soon as it names itself,
// and the line closes at once, before the radio is asked anything else.
class Detect_engine final : public Link_engine {
public:
    Detect_engine(Serial_line &serial_line, Timer_set &timer_set)
        : Link_engine(serial_line, timer_set, listener_, scratch)
    {}

    // The line is open already.
    void begin()
    {
        retry_count = 0;
        connect_radio();
    }
    bool answered() const { return identified; }

protected:
    void prepare_attempt() override
    {
        block_no = 0;
        last_block = 0;
    }
    void identified_radio() override
    {
        stop_link_timers();
        link_busy = false;
        close_port();
    }
    void transfer_received() override { line.empty_input(); }

private:
    Quiet_listener listener_;
    Data_image scratch; // the engine's image; nothing goes into it
};

Bilingual Port_finding::text() const
{
    const QString name = port.name();
    const QString where = port.where();
    switch (kind) {
    case Kind::Radio:
        return {QStringLiteral("%1: R7K 对讲机 (%2)").arg(name, where),
                QStringLiteral("%1: R7K radio (%2)").arg(name, where)};
    case Kind::No_answer:
        return {QStringLiteral("%1: 没有应答 (%2)").arg(name, where),
                QStringLiteral("%1: no answer (%2)").arg(name, where)};
    case Kind::Not_opened:
        break;
    }
    return {QStringLiteral("%1: 无法打开 (%2): %3").arg(name, where, reason),
            QStringLiteral("%1: cannot be opened (%2): %3").arg(name, where, reason)};
}

Radio_finder::Radio_finder(Parts_maker maker, std::unique_ptr<Timer_set> own_timers)
    : make_parts(std::move(maker)), timers(std::move(own_timers))
{
    timers->on_timeout = [this](Link_timer) { check(); };
}

Radio_finder::~Radio_finder()
{
    timers->on_timeout = nullptr;
    timers->stop(Link_timer::Timer4);
    engine.reset();
}

bool Radio_finder::running() const
{
    return timers->is_active(Link_timer::Timer4);
}

void Radio_finder::start(const QList<Port_entry> &ports)
{
    if (running())
        return;
    waiting = ports;
    timers->start(Link_timer::Timer4, Check_ms);
    try_next();
}

// Ports that cannot be opened are reported one after the other at once; the
// first that opens is tried, and the check timer follows it.
void Radio_finder::try_next()
{
    while (!waiting.isEmpty()) {
        current = waiting.takeFirst();
        parts = make_parts(current);
        if (parts.line->open(current.port_no)) {
            engine = std::make_unique<Detect_engine>(*parts.line, *parts.timers);
            engine->begin();
            return;
        }
        // The first paragraph says why; the list of devices after it does not
        // belong on one line.
        report(Port_finding::Kind::Not_opened,
               parts.line->error_text().section(QStringLiteral("\n\n"), 0, 0).simplified());
        parts = {};
    }
    timers->stop(Link_timer::Timer4);
    if (on_done)
        on_done();
}

void Radio_finder::check()
{
    if (!engine)
        return;
    const bool answered = engine->answered();
    if (!answered && parts.line->is_open())
        return;
    engine.reset();
    parts = {};
    report(answered ? Port_finding::Kind::Radio : Port_finding::Kind::No_answer);
    try_next();
}

void Radio_finder::report(Port_finding::Kind kind, const QString &reason)
{
    if (on_finding)
        on_finding({current, kind, reason});
}

} // namespace r7k
