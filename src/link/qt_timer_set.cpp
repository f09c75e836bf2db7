#include "link/qt_timer_set.h"

namespace r7k {

Qt_timer_set::Qt_timer_set()
{
    for (int k = 0; k < Link_timer_count; ++k) {
        timers[k].setTimerType(Qt::PreciseTimer);
        QObject::connect(&timers[k], &QTimer::timeout, &timers[k], [this, k] {
            if (on_timeout)
                on_timeout(Link_timer(k));
        });
    }
}

void Qt_timer_set::start(Link_timer timer, int interval_ms)
{
    timers[int(timer)].start(interval_ms);
}

void Qt_timer_set::stop(Link_timer timer)
{
    timers[int(timer)].stop();
}

bool Qt_timer_set::is_active(Link_timer timer) const
{
    return timers[int(timer)].isActive();
}

} // namespace r7k
