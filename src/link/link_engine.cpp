#include "link/link_engine.h"

#include "core/globals.h"
#include "link/commands.h"
#include "link/protocol.h"

#include <algorithm>

namespace r7k {

namespace Link_text {
const Bilingual Busy{QStringLiteral("正在与对讲机进行读写操作 ！"),
                     QStringLiteral("Read-write operating with transceiver .")};
const Bilingual Closing_busy{QStringLiteral("正在进行读写操作,请勿关窗口 ！,"),
                             QStringLiteral("Read-write operating，don't close the window. ,")};
const Bilingual Port_failure{
    QStringLiteral("通讯端口打开错误，请正确设置通讯端口 ！"),
    QStringLiteral("Communication port is error, please setting right communication port . ！")};
const Bilingual Connecting{QStringLiteral("正在与对讲机联络 ！"),
                           QStringLiteral("Connecting with transceiver. ")};
const Bilingual Connect_failed{QStringLiteral("与对讲机联络失败 ！"),
                               QStringLiteral("Fail connect with transceiver.")};
const Bilingual Communication_fault{QStringLiteral("与对讲机通讯故障 ！"),
                                    QStringLiteral("Communication fault.")};

Bilingual With_attempt(const Bilingual &status, int attempt, int attempts)
{
    if (attempt <= 1)
        return status;
    const QString english_gap = status.english.endsWith(QLatin1Char(' ')) ? QString() : " ";
    return {status.chinese +
                QStringLiteral("（第 %1 次尝试，共 %2 次）").arg(attempt).arg(attempts),
            status.english + english_gap +
                QStringLiteral("(attempt %1 of %2)").arg(attempt).arg(attempts)};
}
} // namespace Link_text

Link_engine::Link_engine(Serial_line &serial_line, Timer_set &timer_set,
                         Link_listener &link_listener, Data_image &target)
    : line(serial_line), timers(timer_set), listener(link_listener), image(target)
{
    line.on_data_received = [this] { data_received(); };
    line.on_line_lost = [this] { reply_timed_out(); };
    timers.on_timeout = [this](Link_timer timer) { timer_fired(timer); };
}

Link_engine::~Link_engine()
{
    Link_engine::shut_down();
    line.on_data_received = nullptr;
    line.on_line_lost = nullptr;
    timers.on_timeout = nullptr;
}

void Link_engine::shut_down()
{
    stop_link_timers();
    timers.stop(Link_timer::Timer4);
    link_busy = false;
    close_port();
}

int Link_engine::Remapped(int block)
{
    if (block == 129)
        block = 131;
    if (block == 132)
        block = 140;
    if (block == 141)
        block = 144;
    return block;
}

QList<int> Link_engine::Transfer_blocks(int last)
{
    QList<int> blocks;
    for (int block = Remapped(1); block <= last; block = Remapped(block + 1))
        blocks.append(block);
    return blocks;
}

bool Link_engine::open_port()
{
    Port_error = false;
    if (line.open(Port_no))
        return true;
    Port_error = true;
    listener.show_message(Link_text::Port_failure, Operate_prompt(), line.error_text());
    listener.failed();
    return false;
}

bool Link_engine::connect_radio()
{
    if (!line.is_open() && !open_port())
        return false;
    identified = false;
    rejected_identity.clear();
    line.empty_input();
    hs_stage = 0;
    prepare_attempt();
    link_busy = true;
    queue(connect_command());
    return true;
}

QByteArray Link_engine::connect_command() const
{
    return Command::Connect();
}

void Link_engine::queue(const QByteArray &command)
{
    std::copy(command.cbegin(), command.cend(), send_buf.begin());
    send_len = int(command.size());
    send_pos = 0;
    sent_all = false;
    timers.start(Link_timer::Timer1, Send_delay_ms);
}

void Link_engine::queue_afresh(const QByteArray &command)
{
    line.empty_input();
    queue(command);
    line.empty_input();
}

// Timer1: the whole command goes out in one burst of one-byte writes, and
// the reply time-out counts from its end.
void Link_engine::send_burst()
{
    for (; send_pos < send_len; ++send_pos)
        line.write(QByteArray(1, char(send_buf[send_pos])));
    timers.start(Link_timer::Timer2, Reply_timeout_ms);
    timers.stop(Link_timer::Timer1);
    sent_all = true;
}

// Timer2, and a line that failed: the attempt ends, and the whole handshake
// is tried again after the retry delay, counted from the first time-out.
void Link_engine::reply_timed_out()
{
    if (line.is_open() && link_busy)
        last_attempt = how_attempt_ended();
    timers.stop(Link_timer::Timer1);
    timers.stop(Link_timer::Timer2);
    if (!timers.is_active(Link_timer::Timer3))
        timers.start(Link_timer::Timer3, Retry_delay_ms);
    close_port();
    link_busy = false;
}

void Link_engine::retry()
{
    stop_link_timers();
    if (retry_count < 1) {
        listener.radio_failed(last_attempt);
        listener.show_message(Link_text::Connect_failed, Operate_prompt(),
                              last_attempt.details(Port_no).text());
        listener.show_progress(0);
        listener.show_status(Link_text::Communication_fault);
        listener.failed();
        return;
    }
    --retry_count;
    if (connect_radio())
        show_running_status(Link_text::Connecting);
}

Link_failure Link_engine::how_attempt_ended()
{
    Link_failure failure;
    if (identified) {
        const QList<int> blocks = transfer_blocks();
        failure.stage = Link_failure::Stage::Transfer;
        failure.block = awaited_block();
        failure.position = int(blocks.indexOf(failure.block)) + 1;
        failure.blocks = int(blocks.size());
    } else if (hs_stage == 1) {
        // What came instead of the identifier: the bytes it was looked for
        // in, or else those that came too few to look.
        failure.stage = Link_failure::Stage::Identify;
        failure.identity = rejected_identity;
        if (failure.identity.isEmpty())
            while (line.bytes_waiting() > 0 &&
                   failure.identity.size() < Protocol::Radio_id_prefix.size())
                failure.identity += char(line.read_byte());
    }
    return failure;
}

void Link_engine::show_running_status(const Bilingual &text)
{
    listener.show_status(Link_text::With_attempt(text, Retries + 1 - retry_count, Retries + 1));
}

void Link_engine::data_received()
{
    // Bytes that come before the current command has gone out completely
    // cannot answer it: they are the tail of an earlier reply (the last
    // byte of the identifier, the second byte of the reply to Start) and
    // would shift every reply after them.
    if (!sent_all) {
        line.empty_input();
        return;
    }
    if (identified)
        transfer_received();
    else
        handshake_received();
}

void Link_engine::handshake_received()
{
    const int lim = hs_stage == 0 ? 0 : 4;
    if (line.bytes_waiting() <= lim)
        return;
    for (int i = 0; i <= lim; ++i)
        rx_buf[i] = quint8(line.read_byte());

    if (hs_stage == 0 && rx_buf[0] == Protocol::Ack) {
        hs_stage = 1;
        queue_afresh(Command::Identify());
        std::fill_n(rx_buf.begin(), Identify_window, 0);
        return;
    }
    const int at = find_identifier(Protocol::Radio_id_prefix, lim + 1);
    line.empty_input();
    if (at < 0 || at > Latest_identifier_start) {
        rejected_identity = QByteArray(reinterpret_cast<const char *>(rx_buf.data()), lim + 1);
        return;
    }
    shift_reply(at);
    accept_identity();
}

int Link_engine::find_identifier(const QByteArray &identifier, int received) const
{
    const int last = qMin(received, Identify_window) - int(identifier.size());
    for (int p = 0; p <= last; ++p)
        if (std::equal(identifier.cbegin(), identifier.cend(), rx_buf.cbegin() + p))
            return p;
    return -1;
}

void Link_engine::shift_reply(int from)
{
    std::copy(rx_buf.cbegin() + from, rx_buf.cbegin() + from + Identify_window, rx_buf.begin());
}

void Link_engine::accept_identity()
{
    identified = true;
    timers.stop(Link_timer::Timer2);
    timers.stop(Link_timer::Timer3);
    identified_radio();
}

bool Link_engine::take_ack()
{
    while (line.bytes_waiting() > 0)
        if (line.read_byte() == Protocol::Ack)
            return true;
    return false;
}

void Link_engine::close_timer_fired()
{
    if (link_done)
        listener.finished();
}

void Link_engine::timer_fired(Link_timer timer)
{
    switch (timer) {
    case Link_timer::Timer1:
        send_burst();
        break;
    case Link_timer::Timer2:
        reply_timed_out();
        break;
    case Link_timer::Timer3:
        retry();
        break;
    case Link_timer::Timer4:
        close_timer_fired();
        break;
    }
}

void Link_engine::stop_link_timers()
{
    timers.stop(Link_timer::Timer1);
    timers.stop(Link_timer::Timer2);
    timers.stop(Link_timer::Timer3);
}

void Link_engine::close_port()
{
    if (line.is_open())
        line.close();
}

bool Transfer_engine::may_close()
{
    if (!link_busy)
        return true;
    listener.show_message(Link_text::Closing_busy, Operate_prompt(), {});
    return false;
}

// The link runs on while the message is up, and may even finish: what the
// click does is decided before the message, once.
void Transfer_engine::start()
{
    if (link_busy) {
        listener.show_message(Link_text::Busy, Operate_prompt(), {});
        return;
    }
    listener.transfer_starting();
    start_transfer();
}

void Transfer_engine::connect_afresh()
{
    // A retry still pending from an earlier attempt would stop this one, and
    // the dialog stays open for the new transfer.
    timers.stop(Link_timer::Timer3);
    link_done = false;
    retry_count = Retries;
    if (!connect_radio())
        return;
    listener.show_progress(0);
    show_running_status(Link_text::Connecting);
}

} // namespace r7k
