#pragma once

#include "randomgenerator.h"
#include "randomsource.h"

// Random numbers reseeded from a monotonic clock.
class TimerRandom final : public RandomSource
{
public:
    using Clock = quint64 (*)();

    // CLOCK_MONOTONIC_COARSE: a few nanoseconds a reading, which matters
    // when every letter reads it.
    static quint64 monotonicClock();
    static quint64 freshKey();

    explicit TimerRandom(Clock clock = &monotonicClock, quint64 key = freshKey());

    void randomize() override
    {
        m_timer = m_clock();
        m_generator.reseed(m_timer);
    }
    float rnd() override { return m_generator.nextSingle(); }
    quint64 timer() const override { return m_timer; }

private:
    Clock m_clock;
    quint64 m_timer;
    RandomGenerator m_generator;
};
