#include "timerrandom.h"

#include <QRandomGenerator>

#include <ctime>

quint64 TimerRandom::monotonicClock()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC_COARSE, &now);
    return quint64(now.tv_sec) * 1'000'000'000u + quint64(now.tv_nsec);
}

quint64 TimerRandom::freshKey()
{
    // Two programs started within one clock tick still type different letters.
    return QRandomGenerator::system()->generate64();
}

TimerRandom::TimerRandom(Clock clock, quint64 key)
    : m_clock(clock), m_timer(clock()), m_generator(key)
{
}
