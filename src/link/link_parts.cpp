#include "link/link_parts.h"

#include "link/qt_serial_line.h"
#include "link/qt_timer_set.h"

namespace r7k {

Link_parts System_link_parts()
{
    return {std::make_unique<Qt_serial_line>(), std::make_unique<Qt_timer_set>()};
}

Link_parts System_link_parts(const QString &device)
{
    return {std::make_unique<Qt_serial_line>(device), std::make_unique<Qt_timer_set>()};
}

} // namespace r7k
