#pragma once

#include "coarseclock.h"
#include "randomgenerator.h"
#include "randomsource.h"

// Random numbers reseeded from a monotonic clock.
class TimerRandom final : public RandomSource
{
public:
    using Clock = quint64 (*)();

    static quint64 freshKey();

    // The generator and its clock without the interface around them:
    // trivially copyable, so that a run can keep a copy in registers.
    class Draws
    {
    public:
        Draws(Clock clock, quint64 key)
            : m_clock(clock), m_timer(clock ? clock() : CoarseClock::now()), m_generator(key)
        {
        }

        void randomize()
        {
            m_timer = m_clock ? m_clock() : CoarseClock::now();
            m_generator.reseed(m_timer);
        }
        float rnd() { return m_generator.nextSingle(); }
        // The draw rnd() would give, times 2^24: a whole number.
        quint32 rnd24() { return m_generator.next24(); }
        quint64 timer() const { return m_timer; }
        quint64 key() const { return m_generator.key(); }
        quint64 counter() const { return m_generator.counter(); }
        // The real clock, which any thread may read, rather than a test's.
        bool readsTheClock() const { return !m_clock; }
        // A test's clock; null for the real one.
        Clock clock() const { return m_clock; }
        // The generator without the clock, for letters typed a batch at a
        // time between two looks at it.
        RandomGenerator &generator() { return m_generator; }

    private:
        Clock m_clock;
        quint64 m_timer;
        RandomGenerator m_generator;
    };

    // Without a clock of its own, CLOCK_MONOTONIC_COARSE: a few nanoseconds
    // a reading, which matters when every letter reads it.
    explicit TimerRandom(Clock clock = nullptr, quint64 key = freshKey()) : m_draws(clock, key) {}

    void randomize() override { m_draws.randomize(); }
    float rnd() override { return m_draws.rnd(); }
    quint64 timer() const override { return m_draws.timer(); }

    Draws &draws() { return m_draws; }

private:
    Draws m_draws;
};
