#pragma once

#include <QtGlobal>

// A keyed wyrand generator. Its state is a Weyl counter that only ever
// moves forward and a key into which each reseed folds the timer reading.
// A reseed with the reading that the key already holds (every letter
// within one tick of the clock) leaves the key as it is, which keeps the
// fold's multiplications off the road from one letter to the next; since
// no reseed touches the counter, none can bring back an earlier state.
class RandomGenerator
{
public:
    explicit RandomGenerator(quint64 key) : m_key(key) {}

    void reseed(quint64 reading)
    {
        if (Q_UNLIKELY(reading != m_reading)) {
            m_reading = reading;
            m_key = fold(m_key ^ reading);
        }
    }

    quint64 next64()
    {
        m_counter += Increment;
        const quint64 x = m_counter + m_key;
        const unsigned __int128 product = static_cast<unsigned __int128>(x) * (x ^ Mix);
        return quint64(product >> 64) ^ quint64(product);
    }

    // 24 random bits; over 2^24 they are exact in single precision and
    // always below 1.
    quint32 next24() { return quint32(next64() >> 40); }
    float nextSingle() { return float(next24()) * 0x1.0p-24f; }

private:
    static constexpr quint64 Increment = 0xa0761d6478bd642fULL;
    static constexpr quint64 Mix = 0xe7037ed1a0b428dbULL;

    // The SplitMix64 finaliser: a bijection, so distinct keys stay distinct.
    static quint64 fold(quint64 z)
    {
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }

    quint64 m_counter = 0;
    quint64 m_key;
    quint64 m_reading = 0; // folded into the key last
};
