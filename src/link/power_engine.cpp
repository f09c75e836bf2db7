#include "link/power_engine.h"

#include "core/image.h"
#include "link/commands.h"
#include "link/protocol.h"

namespace r7k {

namespace {
// The identifier and the low, mid and high levels right after it.
constexpr int Identify_reply_bytes = 9;
constexpr int Level_column = 3; // the level changed last
} // namespace

Power_engine::~Power_engine()
{
    leave();
}

void Power_engine::opened()
{
    retry_count = Retries;
    connect_radio();
    timers.start(Link_timer::Timer4, Watchdog_ms);
}

void Power_engine::shut_down()
{
    leave();
}

QByteArray Power_engine::connect_command() const
{
    return Command::Power_connect();
}

void Power_engine::prepare_attempt()
{
    block_no = 0;
    last_block = 1;
    reply_bytes = 0;
}

// The reply is gathered as it comes, until the identifier and the three
// levels after it are in, or until the identifier can no longer start early
// enough; the levels count only when all three came with it.
void Power_engine::handshake_received()
{
    while (line.bytes_waiting() > 0 && reply_bytes < Identify_window)
        rx_buf[reply_bytes++] = quint8(line.read_byte());
    const int at = find_identifier(Protocol::Radio_id, reply_bytes);
    const int id_bytes = int(Protocol::Radio_id.size());
    const bool early = at >= 0 && at <= Latest_identifier_start;
    const bool may_still_come = at < 0 && reply_bytes < Latest_identifier_start + id_bytes;
    if (may_still_come || (early && reply_bytes < at + Identify_reply_bytes))
        return;
    line.empty_input();
    if (!early) {
        reply_bytes = 0;
        return;
    }
    shift_reply(at);
    for (int level = 0; level < 3; ++level)
        image(Power_row, level) = rx_buf[id_bytes + level];
    listener.levels_received();
    accept_identity();
}

void Power_engine::identified_radio()
{
    send_frame();
}

void Power_engine::set_level(int index, int value)
{
    image(Power_row, index) = qint16(value);
    image(Power_row, Level_column) = qint16(index);
    if (identified)
        send_frame();
}

// A frame queued while the previous one is still going out or waiting for
// its ACK replaces it.
void Power_engine::send_frame()
{
    awaiting_ack = true;
    block_no = Power_row + 1;
    queue_afresh(Command::Power_frame(image));
}

void Power_engine::transfer_received()
{
    if (!take_ack())
        return;
    stop_link_timers();
    link_busy = false;
    awaiting_ack = false;
    listener.power_frame_answered(true);
}

void Power_engine::close_timer_fired()
{
    ++watchdog_checks;
    const bool waited_enough = watchdog_checks * Watchdog_ms >= Identify_wait_ms;
    if (line.is_open() && (identified || !waited_enough))
        return;
    // The reply time-out (or a lost line) closed the port under a frame.
    const bool unacknowledged = identified && awaiting_ack;
    awaiting_ack = false;
    leave();
    if (unacknowledged)
        listener.power_frame_answered(false);
    listener.finished();
}

void Power_engine::leave()
{
    stop_link_timers();
    timers.stop(Link_timer::Timer4);
    link_busy = false;
    if (line.is_open()) {
        line.write(QByteArray(1, Protocol::Leave_byte));
        close_port();
    }
}

} // namespace r7k
