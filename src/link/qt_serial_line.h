#pragma once

#include "core/bilingual.h"
#include "link/serial_line.h"

#include <QSerialPort>

namespace r7k {

// The serial line on a real port: Port_no goes through the port map to a
// device, opened at 9600 baud, 8N1, no flow control.
class Qt_serial_line final : public Serial_line {
public:
    Qt_serial_line();
    // A line to one given device, whatever port number it is opened with:
    // the command-line tool names each radio's device itself.
    explicit Qt_serial_line(const QString &device);
    ~Qt_serial_line() override;

    bool open(int port_no) override;
    void close() override;
    bool is_open() const override;
    int bytes_waiting() const override;
    int read_byte() override;
    void write(const QByteArray &bytes) override;
    void empty_input() override;
    QString error_text() const override;
    // The same in both languages.
    const Bilingual &error_words() const { return failure; }

private:
    void port_failed(QSerialPort::SerialPortError error);

    QSerialPort port;
    QString fixed_device; // empty: the port map decides
    Bilingual failure;    // why the last open failed
    bool lost = false;    // a failure of the open port has been reported
};

} // namespace r7k
