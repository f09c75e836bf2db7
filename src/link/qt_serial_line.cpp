#include "link/qt_serial_line.h"

#include "link/device_facts.h"
#include "link/port_map.h"

namespace r7k {

namespace {

constexpr int Receive_buffer_bytes = 1024;

} // namespace

Qt_serial_line::Qt_serial_line()
{
    QObject::connect(&port, &QSerialPort::readyRead, &port, [this] {
        if (on_data_received)
            on_data_received();
    });
    QObject::connect(&port, &QSerialPort::errorOccurred, &port,
                     [this](QSerialPort::SerialPortError error) { port_failed(error); });
}

Qt_serial_line::Qt_serial_line(const QString &device) : Qt_serial_line()
{
    fixed_device = device;
}

Qt_serial_line::~Qt_serial_line()
{
    on_data_received = nullptr;
    on_line_lost = nullptr;
    close();
}

bool Qt_serial_line::open(int port_no)
{
    close();
    const QString device = fixed_device.isEmpty() ? Port_map::Device(port_no) : fixed_device;
    if (device.isEmpty()) {
        failure = Port_failure_details(port_no, Examine_device(device, {}, {}));
        return false;
    }
    port.setPortName(device);
    port.setBaudRate(QSerialPort::Baud9600);
    port.setDataBits(QSerialPort::Data8);
    port.setParity(QSerialPort::NoParity);
    port.setStopBits(QSerialPort::OneStop);
    port.setFlowControl(QSerialPort::NoFlowControl);
    port.setReadBufferSize(Receive_buffer_bytes);
    if (!port.open(QIODevice::ReadWrite)) {
        failure =
            Port_failure_details(port_no, Examine_device(device, port.error(), port.errorString()));
        return false;
    }
    lost = false;
    port.clear(QSerialPort::AllDirections);
    // Many programming cables take their power from these lines; the radio
    // does not use them for flow control. A pseudo-terminal refuses them,
    // which does no harm.
    port.setDataTerminalReady(true);
    port.setRequestToSend(true);
    return true;
}

void Qt_serial_line::close()
{
    if (!port.isOpen())
        return;
    // A last byte written just before closing (End, Leave) must still go out.
    port.flush();
    port.close();
}

bool Qt_serial_line::is_open() const
{
    return port.isOpen();
}

int Qt_serial_line::bytes_waiting() const
{
    return int(port.bytesAvailable());
}

int Qt_serial_line::read_byte()
{
    char byte = 0;
    port.getChar(&byte);
    return quint8(byte);
}

void Qt_serial_line::write(const QByteArray &bytes)
{
    if (port.isOpen())
        port.write(bytes);
}

void Qt_serial_line::empty_input()
{
    if (port.isOpen())
        port.clear(QSerialPort::Input);
}

QString Qt_serial_line::error_text() const
{
    return failure.text();
}

// A port whose device went away reports read errors over and over until it
// is closed. The first one is reported once, after the port's own signal
// has returned; the receiver closes the line.
void Qt_serial_line::port_failed(QSerialPort::SerialPortError error)
{
    const bool fatal = error == QSerialPort::ReadError || error == QSerialPort::WriteError ||
                       error == QSerialPort::ResourceError;
    if (!fatal || !port.isOpen() || lost)
        return;
    lost = true;
    QMetaObject::invokeMethod(
        &port,
        [this] {
            if (!port.isOpen())
                return;
            if (on_line_lost)
                on_line_lost();
            close();
        },
        Qt::QueuedConnection);
}

} // namespace r7k
