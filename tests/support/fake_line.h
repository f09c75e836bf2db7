#pragma once

#include "fake_clock.h"
#include "link/serial_line.h"
#include "sim/radio.h"

#include <QList>
#include <QRandomGenerator>

// What went over a fake line; it belongs to the test, so it outlives the
// dialog that owned the line.
struct Wire_log {
    QByteArray sent; // every byte the program wrote, in order
    qint64 last_sent_at = -1;
    int longer_writes = 0; // writes of more than one byte
    int opens = 0;
    bool open = false;
    QString refuse_open;    // when set, the port cannot be opened, for this reason
    int largest_piece = 20; // replies arrive in pieces of 1..largest_piece bytes
};

// A serial line joined to the simulated radio in this process. The radio's
// answers go out in the pieces and with the gaps the radio chooses, travel
// like on a 9600-baud wire, about a byte a millisecond, and arrive in pieces
// of random size, as a serial port hands them over. Bytes reaching a closed
// port are lost, as on a real one.
//
// By default every answer travels whole and at once; `carry` may take over
// and deliver an answer late, in parts, changed or not at all.
class Fake_line final : public r7k::Serial_line {
public:
    Fake_line(Fake_clock &virtual_clock, r7k::sim::Radio &far_end, Wire_log &wire_log)
        : clock(virtual_clock), radio(far_end), log(wire_log)
    {}
    ~Fake_line() override
    {
        for (int id : scheduled)
            clock.cancel(id);
        log.open = false;
    }

    bool open(int) override
    {
        failure = radio.come_back() ? log.refuse_open : QStringLiteral("No such file or directory");
        log.open = failure.isEmpty();
        log.opens += log.open;
        waiting.clear();
        return log.open;
    }
    void close() override
    {
        log.open = false;
        waiting.clear();
    }
    bool is_open() const override { return log.open; }
    int bytes_waiting() const override { return int(waiting.size()); }
    int read_byte() override
    {
        const int byte = quint8(waiting.front());
        waiting.remove(0, 1);
        return byte;
    }
    void write(const QByteArray &bytes) override
    {
        if (!log.open || radio.hung_up())
            return;
        log.sent += bytes;
        log.last_sent_at = clock.now();
        log.longer_writes += bytes.size() > 1;
        const QByteArray reply = radio.receive(bytes);
        if (radio.hung_up())
            lose();
        else if (carry && !reply.isEmpty())
            carry(reply);
        else
            answer(reply);
    }
    void empty_input() override { waiting.clear(); }
    QString error_text() const override { return failure; }

    // How each answer of the radio travels back, instead of arriving whole.
    std::function<void(const QByteArray &answer)> carry;

    // Bytes that start arriving after `delay_ms`, or once the bytes already
    // on their way have arrived, as if the radio had sent them.
    void arrive(const QByteArray &bytes, qint64 delay_ms = 0)
    {
        wire_free = qMax(wire_free, clock.now() + delay_ms);
        for (qsizetype from = 0; from < bytes.size();) {
            const QByteArray piece = bytes.mid(from, pieces.bounded(1, log.largest_piece + 1));
            from += piece.size();
            wire_free += piece.size();
            later(wire_free - clock.now(), [this, piece] {
                if (!log.open)
                    return;
                waiting += piece;
                if (on_data_received)
                    on_data_received();
            });
        }
    }

    // An answer as the radio sends it: in its pieces, its gap apart.
    void answer(const QByteArray &reply)
    {
        const QList<QByteArray> sent = r7k::sim::Pieces_of(reply, radio.personality().pieces);
        for (const QByteArray &piece : sent) {
            if (&piece != &sent.first())
                wire_free = qMax(wire_free, clock.now()) + radio.personality().gap_ms;
            arrive(piece);
        }
    }

    // The line fails a moment from now, as when the cable is pulled.
    void lose()
    {
        later(1, [this] {
            if (log.open && on_line_lost)
                on_line_lost();
        });
    }

private:
    void later(qint64 ms, std::function<void()> action)
    {
        scheduled.append(clock.call_at(clock.now() + ms, std::move(action)));
    }

    Fake_clock &clock;
    r7k::sim::Radio &radio;
    Wire_log &log;
    QByteArray waiting;
    QString failure;
    QRandomGenerator pieces{2024};
    qint64 wire_free = 0; // when the last byte on its way has arrived
    QList<int> scheduled;
};
