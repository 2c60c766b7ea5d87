#pragma once

#include "grosszahl.h"

#include <QStringView>
#include <QtGlobal>

#include <vector>

// How long a run waits for its target: letters drawn uniformly from an
// alphabet (A, B, ...) until the latest of them spell the target. A target
// that overlaps itself ("AA", "ABA") takes longer than one that does not.
class Wartezeit
{
public:
    // The target in capitals from the first letters of the alphabet.
    explicit Wartezeit(QStringView ziel, int alphabet = 26);

    // The expected number of letters until the target first appears: the
    // sum of alphabet^k over every k from 1 to its length for which its last
    // k letters equal its first k. Exact.
    Grosszahl expected() const;
    // The smallest number of letters by which the target has appeared with
    // at least the probability p, exact to three significant digits.
    Grosszahl mark(double p) const;
    // The probability that the target has appeared within so many letters.
    double chance(qint64 letters) const;

    // The two ways to the distribution of the waiting time. The matching
    // automaton run forward is exact but takes a step per letter; up to
    // AutomatonLength letters the marks lie within 3 * 26^3 steps.
    //
    // The geometric tail: the generating function of the waiting time is a
    // ratio of polynomials whose denominator has one root 1 + e just above 1
    // and all others far out (by Guibas and Odlyzko, beyond 1.7 for any
    // target), so P(T > m) = K (1 + e)^-m up to a share of 1.7^-m. From 4
    // letters on the marks lie beyond 0.69 * 26^4 = 316,000 letters, where
    // that share is far below what a double holds: the tail is the
    // distribution itself there.
    static constexpr int AutomatonLength = 3;
    qint64 markByAutomaton(double p) const;
    Grosszahl markByTail(double p) const;
    double chanceByAutomaton(qint64 letters) const;
    double chanceByTail(qint64 letters) const;

    int length() const { return m_length; }

private:
    template <typename Step>
    void runAutomaton(Step &&step) const;

    int m_length = 0;
    int m_alphabet;
    std::vector<int> m_borders; // lengths k with last k == first k, from the longest
    // For each state (letters matched), how many letters lead to which state.
    std::vector<std::vector<std::pair<int, int>>> m_transitions;
    // The tail: ln e and K - 1.
    long double m_lnRate = 0;
    long double m_kMinus1 = 0;
};
