#pragma once

#include "link/port_failure.h"

#include <QSerialPort>

namespace r7k {

// Whether this user may open a serial device for reading and writing.
enum class Device_access { Missing, Denied, Allowed };
Device_access Access_of(const QString &device);

// Asks the system why `device` could not be opened, given the serial port's
// error and its text: whether it exists, who may use it and whether another
// program holds it. An empty `device` is a port number that stands for no
// device.
Device_facts Examine_device(const QString &device, QSerialPort::SerialPortError error,
                            const QString &system_reason);

} // namespace r7k
