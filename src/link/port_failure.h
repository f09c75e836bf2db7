#pragma once

#include "core/bilingual.h"

#include <QList>
#include <QString>

namespace r7k {

// Why a serial device could not be opened, as far as the system tells.
enum class Port_problem {
    No_device,     // the port number stands for no device
    Missing,       // the device's path does not exist
    No_permission, // this user may not read and write the device
    In_use,        // another program holds the device
    Other,         // the system's own reason says it all
};

// A serial device that the system lists.
struct Serial_device {
    QString location; // /dev/ttyUSB0
    QString description;
    QString manufacturer;
    int vendor_id = -1; // USB identifiers; -1 for a device that is not on USB
    int product_id = -1;
};

// What the system says about a serial device that could not be opened.
struct Device_facts {
    Port_problem problem = Port_problem::Other;
    QString device;        // empty for No_device
    QString system_reason; // the serial port's own error text
    // No_device, Missing: the serial devices that do exist.
    QList<Serial_device> present;
    // No_permission: the device's owner, group and mode ("crw-rw----"), and
    // what the group may do and whether this user is in it.
    QString owner;
    QString group;
    QString mode;
    bool group_may_use = false;    // the group may read and write the device
    bool user_in_group = false;    // the user is a member of the group...
    bool session_in_group = false; // ...and this login session already is too
    // In_use: the program that holds the device's lock, when it is known.
    QString holder;
    qint64 holder_pid = 0;
};

// The details shown under the port error message: the real cause and what
// the user can do about it, in both languages.
Bilingual Port_failure_details(int port_no, const Device_facts &facts);

} // namespace r7k
