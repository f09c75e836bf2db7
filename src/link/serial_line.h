#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

namespace r7k {

// The serial line to the radio as the link engines see it: 9600 baud, 8 data
// bits, no parity, one stop bit, raw bytes. The program uses a QSerialPort;
// tests join a fake line to the simulated radio.
class Serial_line {
public:
    virtual ~Serial_line() = default;

    // Opens port n (as Port_no numbers them) with the link's settings and
    // empties both buffers. On failure error_text() tells why.
    virtual bool open(int port_no) = 0;
    virtual void close() = 0;
    virtual bool is_open() const = 0;

    virtual int bytes_waiting() const = 0;
    // The next waiting byte, 0..255; call only while bytes_waiting() > 0.
    virtual int read_byte() = 0;
    virtual void write(const QByteArray &bytes) = 0;
    virtual void empty_input() = 0;

    // Why the last open failed, in the current language: the system's
    // reason and what the user can do about it.
    virtual QString error_text() const = 0;

    // At least one byte has arrived.
    std::function<void()> on_data_received;
    // The line failed while open (cable unplugged, adapter gone). Reported once
    // per failure; the receiver closes the line.
    std::function<void()> on_line_lost;
};

} // namespace r7k
