#pragma once

#include <QString>

namespace r7k {

// What the system says about a serial device that could not be opened.
struct Device_facts {
    QString device;          // empty when the port number stands for no device
    bool exists = false;     //
    bool accessible = false; // this user may read and write it
    QString group;           // the group that owns the device
    QString system_reason;   // the serial port's own error text
};

// The details shown under the port error message: the system's reason and,
// where it helps, what the user can do about it.
QString Port_failure_details(int port_no, const Device_facts &facts);

} // namespace r7k
