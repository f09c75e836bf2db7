#pragma once

#include "core/bilingual.h"
#include "link/device_facts.h"
#include "link/port_failure.h"

#include <QList>

namespace r7k {

// Port COMn as the program numbers it, with what the system says about the
// device it stands for.
struct Port_entry {
    int port_no = 0;
    Serial_device device; // location empty: the port stands for no device
    bool mapped = false;  // named on the command line (--port COMn=PATH)
    Device_access access = Device_access::Missing;

    bool usb_adapter() const { return device.vendor_id >= 0; }
    // "COM3" for messages.
    QString name() const;
    // "1a86:7523", the USB vendor and product; empty when not on USB.
    QString usb_id() const;
    // "/dev/ttyUSB0, 1a86:7523": the device and its USB identifiers.
    QString where() const;
};

// Ports COM1..COM8.
QList<Port_entry> Port_entries();

// The ports that looking for a radio tries: those that stand for a device
// and are USB serial adapters or were named on the command line, or every
// one that stands for a device when `all` is set.
QList<Port_entry> Ports_to_try(const QList<Port_entry> &entries, bool all);

// "yes", "no", "missing" for the port list.
Bilingual Access_text(Device_access access);

} // namespace r7k
