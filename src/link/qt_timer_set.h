#pragma once

#include "link/timer_set.h"

#include <QTimer>
#include <array>

namespace r7k {

// The link's four timers as QTimers on the user-interface thread.
class Qt_timer_set final : public Timer_set {
public:
    Qt_timer_set();

    void start(Link_timer timer, int interval_ms) override;
    void stop(Link_timer timer) override;
    bool is_active(Link_timer timer) const override;

private:
    std::array<QTimer, Link_timer_count> timers;
};

} // namespace r7k
