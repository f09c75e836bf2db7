#pragma once

#include "core/bilingual.h"

#include <QString>

namespace r7k {

// Makes port n (1..8) the port that the link dialogs open from now on.
// Returns whether the port dialog may close: it stays open while the last
// attempt to open a port has failed, so the user sees that the choice matters.
bool Choose_port(int port_no);

// What the port dialog shows beside choice COMn, given the device of this
// computer that the port stands for: the device, nothing where the device is
// COMn itself, or a note that there is no such port.
Bilingual Port_device_text(int port_no, const QString &device);

} // namespace r7k
