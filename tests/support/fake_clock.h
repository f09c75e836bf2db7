#pragma once

#include "link/timer_set.h"

#include <QSet>
#include <QtGlobal>
#include <array>
#include <functional>
#include <map>
#include <utility>

// Virtual time for the link: nothing happens until a test advances the
// clock, and then every action due runs in time order (actions due at the
// same moment in the order they were set).
class Fake_clock {
public:
    qint64 now() const { return time; }

    int call_at(qint64 at, std::function<void()> action)
    {
        due.emplace(std::pair{qMax(at, time), next_id}, std::move(action));
        return next_id++;
    }
    void cancel(int id)
    {
        std::erase_if(due, [id](const auto &entry) { return entry.first.second == id; });
    }
    void advance(qint64 ms)
    {
        advance_until([] { return false; }, ms);
    }
    // Advances until `done` holds or `limit_ms` have passed; true when done.
    // An action may advance the clock itself, as a message box runs its own
    // event loop: time then never goes back.
    bool advance_until(const std::function<bool()> &done, qint64 limit_ms)
    {
        const qint64 limit = time + limit_ms;
        while (!done() && !due.empty() && due.begin()->first.first <= limit) {
            auto next = due.extract(due.begin());
            time = next.key().first;
            next.mapped()();
        }
        if (!done())
            time = qMax(time, limit);
        return done();
    }

private:
    qint64 time = 0;
    int next_id = 0;
    std::map<std::pair<qint64, int>, std::function<void()>> due;
};

// The link's four timers on a fake clock. A timer fires every interval until
// stopped; its next firing is set before the handler runs, so that the
// handler may stop or restart it.
class Fake_timer_set final : public r7k::Timer_set {
public:
    explicit Fake_timer_set(Fake_clock &virtual_clock) : clock(virtual_clock) {}
    ~Fake_timer_set() override
    {
        for (int id : pending)
            clock.cancel(id);
    }

    void start(r7k::Link_timer timer, int interval_ms) override
    {
        intervals_used[int(timer)].insert(interval_ms);
        stop(timer);
        pending[int(timer)] = clock.call_at(clock.now() + interval_ms, [this, timer, interval_ms] {
            start(timer, interval_ms);
            if (on_timeout)
                on_timeout(timer);
        });
    }
    void stop(r7k::Link_timer timer) override
    {
        clock.cancel(std::exchange(pending[int(timer)], -1));
    }
    bool is_active(r7k::Link_timer timer) const override { return pending[int(timer)] >= 0; }

    // Every interval each timer has been started with.
    std::array<QSet<int>, r7k::Link_timer_count> intervals_used;

private:
    Fake_clock &clock;
    std::array<int, r7k::Link_timer_count> pending{-1, -1, -1, -1};
};
