#pragma once
// Local date and time with nanoseconds, read from a clock that a test can pin.

#include <QtGlobal>

#include <functional>

namespace Toolkit {

struct DateTime
{
    int Year = 1970;
    int Month = 1;
    int Day = 1;
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
    qint64 Nanosecond = 0;

    // The current local date and time (or the pinned one).
    static DateTime Now();
};

// Test seam: while it lives, DateTime::Now() answers the given moment.
class PinnedClock
{
public:
    explicit PinnedClock(const DateTime &moment);
    ~PinnedClock();
    PinnedClock(const PinnedClock &) = delete;
    PinnedClock &operator=(const PinnedClock &) = delete;

    void set(const DateTime &moment) { m_moment = moment; }

private:
    DateTime m_moment;
    std::function<DateTime()> m_previous;
};

} // namespace Toolkit
