#pragma once

#include <QList>
#include <QMap>
#include <QSerialPortInfo>
#include <QString>
#include <QStringList>
#include <optional>

namespace r7k {

// Port_no 1..8 is the program's notion of a serial port. On Windows port n is
// COMn itself; elsewhere it is the n-th serial port the system lists, USB
// adapters first, unless a mapping was given on the command line
// (--port COM1=/dev/ttyUSB0).
namespace Port_map {

inline constexpr int First_port = 1;
inline constexpr int Last_port = 8;

// The system's serial ports in the order that numbers them: USB adapters
// first, each group in name order.
QList<QSerialPortInfo> System_ports();

// The device that port n stands for; empty when there is none.
QString Device(int port_no);

// The devices of ports 1..8, port n at index n - 1.
QStringList Devices();

// Maps port n to a device path for the rest of the run.
void Set_mapping(int port_no, const QString &device);

// Whether port n was mapped with Set_mapping.
bool Is_mapped(int port_no);

// A port and the device it stands for, as "COMn=PATH" names them.
struct Mapping {
    int port_no = 0; // as written, which may lie outside First_port..Last_port
    QString device;
};

// Reads "COMn=PATH" (any letter case); nothing when the text has another form.
std::optional<Mapping> Parse_mapping(const QString &argument);

// Forgets every mapping: each port stands for the system's device again.
void Reset();

} // namespace Port_map
} // namespace r7k
