#include "toolkit/DateTime.h"

#include <QDateTime>

#include <chrono>
#include <utility>

namespace Toolkit {

namespace {

DateTime systemNow()
{
    const auto now = std::chrono::system_clock::now();
    const auto sinceEpoch = now.time_since_epoch();
    const qint64 ns = std::chrono::duration_cast<std::chrono::nanoseconds>(sinceEpoch).count();
    const qint64 ms = ns / 1000000;
    const QDateTime local = QDateTime::fromMSecsSinceEpoch(ms);
    DateTime d;
    d.Year = local.date().year();
    d.Month = local.date().month();
    d.Day = local.date().day();
    d.Hour = local.time().hour();
    d.Minute = local.time().minute();
    d.Second = local.time().second();
    d.Nanosecond = ((ns % 1000000000) + 1000000000) % 1000000000;
    return d;
}

std::function<DateTime()> &clock()
{
    static std::function<DateTime()> c = systemNow;
    return c;
}

} // namespace

DateTime DateTime::Now() { return clock()(); }

PinnedClock::PinnedClock(const DateTime &moment)
    : m_moment(moment)
{
    m_previous = std::exchange(clock(), [this] { return m_moment; });
}

PinnedClock::~PinnedClock() { clock() = std::move(m_previous); }

} // namespace Toolkit
