#pragma once

#include <QtGlobal>

// The runtime's random numbers: reseed from the system timer, then draw.
class RandomSource
{
public:
    virtual ~RandomSource() = default;

    virtual void randomize() = 0;
    // 0 <= r < 1
    virtual float rnd() = 0;
    // The timer reading of the latest reseed, in nanoseconds.
    virtual quint64 timer() const = 0;
};
