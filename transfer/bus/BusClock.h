#pragma once

#include <QElapsedTimer>

#include <cstdint>
#include <functional>

namespace zendrik {

// The time base of a bus action. Every wait of the link layer has a
// deadline on this clock, and the pauses of the transfer protocol pass on
// it. A real line runs on the monotonic clock of the machine; the simulated
// bus can also run on virtual time, where waiting costs no real time but
// every telegram and pause still takes its share of the clock, so tests run
// fast and still see the timing of a real line.
class BusClock {
public:
    virtual ~BusClock() = default;
    // Microseconds since the clock was made.
    virtual std::int64_t nowUs() const = 0;
    // Lets a little time pass while a wait polls (a real clock sleeps a
    // moment; a virtual one jumps to the next thing that will happen).
    virtual void idle() = 0;
    // Lets `us` microseconds pass.
    virtual void sleepUs(std::int64_t us) = 0;

    std::int64_t nowMs() const { return nowUs() / 1000; }
};

// Wall time, monotonic: a deadline on it holds whatever the time of day does.
class SteadyBusClock : public BusClock {
public:
    SteadyBusClock();
    std::int64_t nowUs() const override;
    void idle() override;
    void sleepUs(std::int64_t us) override;

private:
    QElapsedTimer timer_;
};

// Virtual time: idle() advances to the next moment something is due (as
// told by `nextEventUs`) or by a small step.
class VirtualBusClock : public BusClock {
public:
    std::int64_t nowUs() const override { return now_; }
    void idle() override;
    void sleepUs(std::int64_t us) override { now_ += us > 0 ? us : 0; }

    // The earliest moment after now at which the bus has something to
    // deliver; 0 when nothing is pending.
    std::function<std::int64_t()> nextEventUs;

private:
    std::int64_t now_ = 0;
};

} // namespace zendrik
