#pragma once

#include "coarseclock.h"
#include "randomgenerator.h"
#include "strecke.h"
#include "timerrandom.h"

#include <QtGlobal>

// A typist of a run: its own key and counter, and its own look at the
// clock. It types in pieces, every letter of a piece drawn with one key, so
// that a piece is one stretch of the record however many letters it holds.
// After every batch of places it looks at the clock, and a new reading,
// folded into the key, ends the piece: a reading reaches the letters at
// most a batch after it appears, rather than before every single letter,
// and the record grows by an entry a reading. Within a reading the counter
// moves on at every place, so no state of the generator comes twice.
class Tipper
{
public:
    // Places between two looks at the clock: some 0.3 µs at a search's
    // pace of some 3·10^9 places a second, some 3 µs of a run that writes
    // every letter, and so little against the clock's tick of milliseconds
    // that the reading is as fresh as ever.
    static constexpr quint64 Schub = 1024;

    // Without a clock, the coarse monotonic clock.
    Tipper(TimerRandom::Clock clock, quint64 key) : m_clock(clock), m_generator(key), m_lesung(lesen())
    {
        m_generator.reseed(m_lesung);
    }

    // A piece from where the counter stands, of no letters yet.
    Strecke anfangen(quint64 erstes = 0) const { return {erstes, m_generator.key(), m_generator.counter(), 0}; }
    // Whether the clock has a reading that the key does not hold yet.
    bool neueLesung() const { return lesen() != m_lesung; }
    // The piece is over after its places, typed or not: the counter moves
    // past them and the latest reading goes into the key.
    void beenden(quint64 stellen)
    {
        m_generator.skip(stellen);
        m_lesung = lesen();
        m_generator.reseed(m_lesung);
    }

private:
    quint64 lesen() const { return m_clock ? m_clock() : CoarseClock::now(); }

    TimerRandom::Clock m_clock;
    RandomGenerator m_generator;
    quint64 m_lesung;
};
