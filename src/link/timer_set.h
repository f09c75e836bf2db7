#pragma once

#include <functional>

namespace r7k {

// The four timers of a link dialog. Each fires every interval until stopped;
// starting a timer again restarts its count.
enum class Link_timer {
    Timer1, // sender: 15 ms after a command is queued, the burst
    Timer2, // reply time-out
    Timer3, // retry
    Timer4, // closes the dialog when done (watchdog of the power dialog)
};
inline constexpr int Link_timer_count = 4;

class Timer_set {
public:
    virtual ~Timer_set() = default;

    virtual void start(Link_timer timer, int interval_ms) = 0;
    virtual void stop(Link_timer timer) = 0;
    virtual bool is_active(Link_timer timer) const = 0;

    std::function<void(Link_timer)> on_timeout;
};

} // namespace r7k
