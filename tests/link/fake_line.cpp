#include "fake_line.h"

Fake_line::Fake_line(Fake_clock &clock, r7k::sim::Radio &radio, Wire_log &log)
    : clock(clock), radio(radio), log(log)
{}

Fake_line::~Fake_line()
{
    for (int id : scheduled)
        clock.cancel(id);
    log.open = false;
}

bool Fake_line::open(int port_no)
{
    Q_UNUSED(port_no);
    if (!log.refuse_open.isEmpty() || radio.hung_up()) {
        failure = radio.hung_up() ? QStringLiteral("No such file or directory") : log.refuse_open;
        return false;
    }
    log.open = true;
    ++log.opens;
    waiting.clear();
    return true;
}

void Fake_line::close()
{
    log.open = false;
    log.closed_at.append(log.sent.size());
    waiting.clear();
}

int Fake_line::read_byte()
{
    const int byte = quint8(waiting.front());
    waiting.remove(0, 1);
    return byte;
}

void Fake_line::write(const QByteArray &bytes)
{
    if (!log.open || radio.hung_up())
        return;
    log.sent += bytes;
    for (qsizetype i = 0; i < bytes.size(); ++i)
        log.sent_at.append(clock.now());
    if (bytes.size() > 1)
        ++log.longer_writes;
    const QByteArray reply = radio.receive(bytes);
    if (radio.hung_up()) {
        scheduled.append(clock.call_at(clock.now() + 1, [this] {
            if (log.open && on_line_lost)
                on_line_lost();
        }));
        return;
    }
    arrive(reply, 0);
}

void Fake_line::arrive(const QByteArray &bytes, qint64 delay_ms)
{
    wire_free = qMax(wire_free, clock.now() + delay_ms);
    for (qsizetype at = 0; at < bytes.size();) {
        const qsizetype size =
            qMin<qsizetype>(bytes.size() - at, pieces.bounded(1, log.largest_piece + 1));
        const QByteArray piece = bytes.mid(at, size);
        at += size;
        wire_free += size;
        scheduled.append(clock.call_at(wire_free, [this, piece] { deliver(piece); }));
    }
}

// Bytes reaching a closed port are lost, as on a real one.
void Fake_line::deliver(const QByteArray &piece)
{
    if (!log.open)
        return;
    waiting += piece;
    if (on_data_received)
        on_data_received();
}
