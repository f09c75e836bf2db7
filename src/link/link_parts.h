#pragma once

#include "link/serial_line.h"
#include "link/timer_set.h"

#include <QString>
#include <memory>

namespace r7k {

// The serial line and the timers a link dialog runs on.
struct Link_parts {
    std::unique_ptr<Serial_line> line;
    std::unique_ptr<Timer_set> timers;
};

// The real serial port and Qt timers.
Link_parts System_link_parts();
// The same on one given device, whatever port number it is opened with.
Link_parts System_link_parts(const QString &device);

} // namespace r7k
