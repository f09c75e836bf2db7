#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

namespace r7k {

// Port_no 1..8 is the program's notion of a serial port. On Windows port n is
// COMn itself; elsewhere it is the n-th serial port the system lists, USB
// adapters first, unless a mapping was given on the command line
// (--port COM1=/dev/ttyUSB0).
namespace Port_map {

inline constexpr int First_port = 1;
inline constexpr int Last_port = 8;

// The device that port n stands for; empty when there is none.
QString Device(int port_no);

// The devices of ports 1..8, port n at index n - 1.
QStringList Devices();

// Maps port n to a device path for the rest of the run.
void Set_mapping(int port_no, const QString &device);

// Parses "COMn=PATH" and sets the mapping; false when the text is malformed.
bool Set_mapping_from_argument(const QString &argument);

// Forgets every mapping: each port stands for the system's device again.
void Reset();

} // namespace Port_map
} // namespace r7k
