#pragma once

#include "abgleich.h"
#include "grosszahl.h"

#include <QStringView>
#include <QtGlobal>

#include <optional>
#include <vector>

// How long a run waits for its target: letters drawn uniformly from an
// alphabet (A, B, ...) until the latest of them spell the target. A target
// that overlaps itself ("AA", "ABA") takes longer than one that does not.
//
// The distribution of the waiting time N comes two ways. Exactly, letter by
// letter, from the target's periods p (the shifts by which it overlaps
// itself), with f(m) = P(N = m) and S(m) = P(N > m):
//     f(m) = S(m - n) / a^n - sum over the periods of f(m - p) / a^p,
// a sum of a few terms per letter in which nothing cancels much. And as the
// geometric tail P(N > m) = K (1 + e)^-m, which the generating function's
// root 1 + e just above 1 gives once the other roots' shares have died
// away; those lie beyond 1.7 for any target (Guibas and Odlyzko), so after
// a few times the target's length the tail is the distribution itself. The
// exact way runs until the two agree for longer than any period, and the
// tail takes over from there.
class Wartezeit
{
public:
    // The target in capitals from the first letters of the alphabet.
    explicit Wartezeit(QStringView ziel, int alphabet = 26);

    // The expected number of letters until the target first appears: the
    // sum of alphabet^k over every k from 1 to its length for which its last
    // k letters equal its first k. Exact.
    Grosszahl expected() const;
    // The smallest number of letters m with P(N <= m) >= zaehler / nenner.
    Grosszahl mark(int zaehler, int nenner) const;
    // The decimal logarithm of P(N <= letters), the chance that the target
    // has appeared within so many letters: minus infinity where it cannot
    // have, and never lost below what a double holds.
    long double log10Chance(qint64 letters) const;
    // From how many letters on the tail is the distribution.
    qint64 tailFrom() const;

    int length() const { return m_abgleich.laenge(); }
    // The target's matching automaton, which also follows a run.
    const Abgleich &abgleich() const { return m_abgleich; }

private:
    // The exact distribution, letter by letter.
    class Verteilung
    {
    public:
        explicit Verteilung(const Wartezeit &wartezeit);
        void step(const Wartezeit &wartezeit);
        qint64 letters() const { return m_letters; }
        // ln P(N <= letters)
        long double lnChance(const Wartezeit &wartezeit) const;
        // Whether the tail has agreed long enough to take over.
        bool tailHolds() const { return m_agreeing >= m_settle || m_letters >= m_cap; }

    private:
        qint64 m_letters = 0;
        std::vector<long double> m_f;    // f(m) a^n for the latest letters, by m modulo its size
        std::vector<long double> m_sums; // the sums of those up to m, where a^-n counts
        long double m_sum = 0;
        int m_agreeing = 0;
        int m_settle;
        qint64 m_cap;
    };

    long double lnChanceByTail(qint64 letters) const;
    // Advances the shared exact distribution to the letters, or to where
    // the tail takes over; restarts it for fewer letters than it holds.
    const Verteilung &exactUpTo(qint64 letters) const;

    Abgleich m_abgleich;
    int m_alphabet;
    long double m_lnAlphabet;
    std::vector<int> m_borders; // lengths k with last k == first k, from the longest
    // The periods whose share a^-p still counts, with those shares.
    std::vector<std::pair<int, long double>> m_periods;
    // The tail: ln e, t with K = 1 / (1 + t), and the mean shift of the
    // borders weighted as the root gives.
    long double m_lnRate = 0;
    long double m_t = 0;
    long double m_meanShift = 0;
    mutable std::optional<Verteilung> m_exact; // made on demand
};
