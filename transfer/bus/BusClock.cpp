#include "transfer/bus/BusClock.h"

#include <QThread>

namespace zendrik {

namespace {

// How long a real wait sleeps between two polls of the link. Short against
// a telegram (about 20 ms on the line), so the waits add little time.
constexpr int kIdleSleepUs = 200;
// How far a virtual wait moves on when nothing is pending: the waits'
// deadlines are whole milliseconds.
constexpr std::int64_t kVirtualStepUs = 1000;

} // namespace

SteadyBusClock::SteadyBusClock()
{
    timer_.start();
}

std::int64_t SteadyBusClock::nowUs() const
{
    return timer_.nsecsElapsed() / 1000;
}

void SteadyBusClock::idle()
{
    QThread::usleep(kIdleSleepUs);
}

void SteadyBusClock::sleepUs(std::int64_t us)
{
    const std::int64_t end = nowUs() + us;
    for (std::int64_t left = us; left > 0; left = end - nowUs())
        QThread::usleep(static_cast<unsigned long>(std::min<std::int64_t>(left, 2000)));
}

void VirtualBusClock::idle()
{
    const std::int64_t next = nextEventUs ? nextEventUs() : 0;
    if (next > now_)
        now_ = std::min(next, now_ + kVirtualStepUs * 100);
    else
        now_ += kVirtualStepUs;
}

} // namespace zendrik
