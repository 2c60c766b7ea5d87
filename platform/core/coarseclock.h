#pragma once

#include <QtGlobal>

#include <ctime>

// CLOCK_MONOTONIC_COARSE, read straight from the kernel's code in the
// process (the vDSO) where there is such: a run reads the clock for every
// letter, and the C library's road there costs more than the reading.
namespace CoarseClock {

using Reader = int (*)(clockid_t, timespec *);
extern const Reader reader;

// In nanoseconds.
inline quint64 now()
{
    timespec reading{};
    reader(CLOCK_MONOTONIC_COARSE, &reading);
    return quint64(reading.tv_sec) * 1'000'000'000u + quint64(reading.tv_nsec);
}

} // namespace CoarseClock
