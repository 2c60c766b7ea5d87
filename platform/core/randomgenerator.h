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
        m_counter = weiter(m_counter, 1);
        return draw64(m_counter, m_key);
    }

    // 24 random bits; over 2^24 they are exact in single precision and
    // always below 1.
    quint32 next24()
    {
        m_counter = weiter(m_counter, 1);
        return draw24(m_counter, m_key);
    }
    float nextSingle() { return float(next24()) * 0x1.0p-24f; }

    // The next letter, 0 for A to 25 for Z, drawn with the key as it stands:
    // the road of a typist that looks at the clock a batch at a time.
    unsigned nextLetter26()
    {
        m_counter = weiter(m_counter, 1);
        return letter26(m_counter, m_key);
    }

    // What a record of a run keeps: the key, and the counter as it stands
    // before the next draw.
    quint64 key() const { return m_key; }
    quint64 counter() const { return m_counter; }

    // The counter's step and the draw's mixing constant; the graphics card's
    // search is handed both from here.
    static constexpr quint64 Increment = 0xa0761d6478bd642fULL;
    static constexpr quint64 Mix = 0xe7037ed1a0b428dbULL;

    // The draw for a counter (already moved on) and a key. It depends on the
    // two through their sum alone, which a search carries from window to
    // window instead of both: a draw that took them apart would need every
    // search changed with it (tst_zufall holds the two together).
    static quint64 summe(quint64 counter, quint64 key) { return counter + key; }
    static quint64 draw64(quint64 counter, quint64 key) { return mix(summe(counter, key)); }
    static quint32 draw24(quint64 counter, quint64 key) { return quint32(draw64(counter, key) >> 40); }
    // The letter (0 for A to 25 for Z) of the draw whose counter and key add
    // up to summe: what between('A', 26, ...) gives, less 'A'.
    static unsigned letter26(quint64 summe) { return unsigned(between(0, 26, quint32(mix(summe) >> 40))); }
    static unsigned letter26(quint64 counter, quint64 key) { return letter26(summe(counter, key)); }

    // The counter after so many draws from zaehler: the one definition of
    // how it moves, which a record's letters and a search's skips rely on.
    static constexpr quint64 weiter(quint64 zaehler, quint64 draws) { return zaehler + draws * Increment; }

    // Moves the counter on past places draws that nobody needs one by one:
    // the next draw is the one after them.
    void skip(quint64 places) { m_counter = weiter(m_counter, places); }

    // The whole number from low, width wide, that 24 random bits r give:
    // low + floor(width * r / 2^24), exact in integers. Shifting a negative
    // product rounds down too.
    static constexpr qint64 between(qint64 low, qint64 width, quint32 r24) { return low + ((width * qint64(r24)) >> 24); }

private:
    static quint64 mix(quint64 x)
    {
        const unsigned __int128 product = static_cast<unsigned __int128>(x) * (x ^ Mix);
        return quint64(product >> 64) ^ quint64(product);
    }

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
