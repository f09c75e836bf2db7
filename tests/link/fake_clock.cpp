#include "fake_clock.h"

int Fake_clock::call_at(qint64 at, std::function<void()> action)
{
    const int id = next_id++;
    due.emplace(std::pair{qMax(at, time), id}, std::move(action));
    when.emplace(id, qMax(at, time));
    return id;
}

void Fake_clock::cancel(int id)
{
    const auto found = when.find(id);
    if (found == when.end())
        return;
    due.erase({found->second, id});
    when.erase(found);
}

void Fake_clock::advance(qint64 ms)
{
    const qint64 target = time + ms;
    while (!due.empty() && due.begin()->first.first <= target) {
        auto next = due.extract(due.begin());
        when.erase(next.key().second);
        time = next.key().first;
        next.mapped()();
    }
    time = target;
}

bool Fake_clock::advance_until(const std::function<bool()> &done, qint64 limit_ms)
{
    const qint64 limit = time + limit_ms;
    while (!done()) {
        if (due.empty() || due.begin()->first.first > limit) {
            advance(limit - time);
            return done();
        }
        advance(due.begin()->first.first - time);
    }
    return true;
}

Fake_timer_set::~Fake_timer_set()
{
    for (const Slot &slot : slots)
        clock.cancel(slot.pending);
}

void Fake_timer_set::start(r7k::Link_timer timer, int interval_ms)
{
    Slot &slot = slots[int(timer)];
    clock.cancel(slot.pending);
    slot.interval = interval_ms;
    arm(int(timer));
}

void Fake_timer_set::stop(r7k::Link_timer timer)
{
    Slot &slot = slots[int(timer)];
    clock.cancel(slot.pending);
    slot.pending = -1;
}

bool Fake_timer_set::is_active(r7k::Link_timer timer) const
{
    return slots[int(timer)].pending >= 0;
}

// A timer fires every interval until stopped; the next firing is set before
// the handler runs, so that the handler may stop or restart it.
void Fake_timer_set::arm(int k)
{
    slots[k].pending = clock.call_at(clock.now() + slots[k].interval, [this, k] {
        arm(k);
        if (on_timeout)
            on_timeout(r7k::Link_timer(k));
    });
}
