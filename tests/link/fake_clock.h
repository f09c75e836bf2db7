#pragma once

#include "link/timer_set.h"

#include <QtGlobal>
#include <array>
#include <functional>
#include <map>

// Virtual time for the link: nothing happens until a test advances the
// clock, and then every action due falls in time order (actions due at the
// same moment in the order they were set).
class Fake_clock {
public:
    qint64 now() const { return time; }

    int call_at(qint64 at, std::function<void()> action);
    void cancel(int id);

    void advance(qint64 ms);
    // Advances until `done` holds or `limit_ms` have passed; true when done.
    bool advance_until(const std::function<bool()> &done, qint64 limit_ms);

private:
    qint64 time = 0;
    int next_id = 0;
    std::map<std::pair<qint64, int>, std::function<void()>> due;
    std::map<int, qint64> when;
};

// The link's four timers on a fake clock.
class Fake_timer_set final : public r7k::Timer_set {
public:
    explicit Fake_timer_set(Fake_clock &clock) : clock(clock) {}
    ~Fake_timer_set() override;

    void start(r7k::Link_timer timer, int interval_ms) override;
    void stop(r7k::Link_timer timer) override;
    bool is_active(r7k::Link_timer timer) const override;

private:
    struct Slot {
        int interval = 0;
        int pending = -1; // clock action of the next firing, -1 when stopped
    };
    void arm(int k);

    Fake_clock &clock;
    std::array<Slot, r7k::Link_timer_count> slots;
};
