#pragma once

#include "fake_clock.h"
#include "link/serial_line.h"
#include "sim/radio.h"

#include <QList>
#include <QRandomGenerator>

// What went over a fake line; it belongs to the test, so it outlives the
// dialog that owned the line.
struct Wire_log {
    QByteArray sent;            // every byte the program wrote, in order
    QList<qint64> sent_at;      // the moment of each byte
    int longer_writes = 0;      // writes of more than one byte
    QList<qsizetype> closed_at; // size of `sent` when the port closed
    int opens = 0;
    bool open = false;
    QString refuse_open;    // when set, the port cannot be opened, for this reason
    int largest_piece = 20; // replies arrive in pieces of 1..largest_piece bytes
};

// A serial line joined to the simulated radio in this process. The radio's
// answers travel like on a 9600-baud wire, about a byte a millisecond, and
// arrive in pieces of random size, as a serial port hands them over.
class Fake_line final : public r7k::Serial_line {
public:
    Fake_line(Fake_clock &clock, r7k::sim::Radio &radio, Wire_log &log);
    ~Fake_line() override;

    bool open(int port_no) override;
    void close() override;
    bool is_open() const override { return log.open; }
    int bytes_waiting() const override { return int(waiting.size()); }
    int read_byte() override;
    void write(const QByteArray &bytes) override;
    void empty_input() override { waiting.clear(); }
    QString error_text() const override { return failure; }

    // Bytes that arrive from the radio's side `delay_ms` from now, as if the
    // radio had sent them.
    void arrive(const QByteArray &bytes, qint64 delay_ms);

private:
    void deliver(const QByteArray &piece);

    Fake_clock &clock;
    r7k::sim::Radio &radio;
    Wire_log &log;
    QByteArray waiting;
    QString failure;
    QRandomGenerator pieces{2024};
    qint64 wire_free = 0; // when the last scheduled byte has arrived
    QList<int> scheduled;
};
