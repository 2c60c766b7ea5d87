#include "wartezeit.h"

#include <cmath>

namespace {

// The automaton is built for targets up to this length, the tests' reach.
constexpr int AutomatonLimit = 8;
// Powers of 1/alphabet below this add nothing to a long double sum near 1.
constexpr long double Negligible = 1e-25L;

} // namespace

Wartezeit::Wartezeit(QStringView ziel, int alphabet) : m_length(int(ziel.size())), m_alphabet(alphabet)
{
    if (m_length == 0)
        return;
    std::vector<int> letters(static_cast<size_t>(m_length));
    for (int i = 0; i < m_length; ++i)
        letters[size_t(i)] = ziel[i].unicode() - u'A';

    // The prefix function: for each prefix, its longest proper border.
    std::vector<int> border(size_t(m_length), 0);
    for (int i = 1, k = 0; i < m_length; ++i) {
        while (k > 0 && letters[size_t(i)] != letters[size_t(k)])
            k = border[size_t(k - 1)];
        if (letters[size_t(i)] == letters[size_t(k)])
            ++k;
        border[size_t(i)] = k;
    }
    for (int k = m_length; k > 0; k = border[size_t(k - 1)])
        m_borders.push_back(k);

    if (m_length <= AutomatonLimit) {
        // next[j][c]: the letters matched after letter c in state j.
        std::vector<std::vector<int>> next(size_t(m_length), std::vector<int>(size_t(alphabet), 0));
        m_transitions.resize(size_t(m_length));
        for (int j = 0; j < m_length; ++j) {
            std::vector<int> counts(size_t(m_length) + 1, 0);
            for (int c = 0; c < alphabet; ++c) {
                int to = c == letters[size_t(j)] ? j + 1 : (j > 0 ? next[size_t(border[size_t(j - 1)])][size_t(c)] : 0);
                next[size_t(j)][size_t(c)] = to;
                ++counts[size_t(to)];
            }
            for (int to = 0; to <= m_length; ++to) {
                if (counts[size_t(to)] > 0)
                    m_transitions[size_t(j)].emplace_back(to, counts[size_t(to)]);
            }
        }
    }

    // The tail's rate e solves e = (1 + e)^n / sum_k alphabet^k (1 + e)^(n - k),
    // kept as its logarithm since for long targets it is far below a double.
    const long double lnAlphabet = std::log((long double)alphabet);
    long double weight = 0, weightedShift = 0; // over the borders but the whole
    const auto sums = [&](long double lnStep) {
        weight = weightedShift = 0;
        for (int k : m_borders) {
            const int shift = m_length - k;
            const long double term = std::exp(shift * (lnStep - lnAlphabet));
            if (shift > 0 && term < Negligible)
                break;
            if (shift > 0) {
                weight += term;
                weightedShift += shift * term;
            }
        }
    };
    long double lnRate = 0, lnStep = 0;
    sums(lnStep);
    lnRate = -(m_length * lnAlphabet + std::log1p(weight));
    for (int i = 0; i < 200; ++i) {
        lnStep = lnRate > -11000 ? std::log1p(std::exp(lnRate)) : 0;
        sums(lnStep);
        const long double next = m_length * lnStep - m_length * lnAlphabet - std::log1p(weight);
        const bool settled = std::fabs(next - lnRate) <= 1e-18L * std::fmax(1, std::fabs(lnRate));
        lnRate = next;
        if (settled)
            break;
    }
    m_lnRate = lnRate;
    // K = 1 / (1 + t) with t = e (1 - n + mean shift of the borders).
    const long double t = std::exp(lnRate) * (1 - m_length + weightedShift / (1 + weight));
    m_kMinus1 = -t / (1 + t);
}

Grosszahl Wartezeit::expected() const
{
    unsigned __int128 sum = 0;
    bool fits = true;
    for (int k : m_borders) {
        unsigned __int128 power = 1;
        for (int i = 0; i < k && fits; ++i)
            fits = !__builtin_mul_overflow(power, (unsigned __int128)m_alphabet, &power);
        fits = fits && !__builtin_add_overflow(sum, power, &sum);
        if (!fits)
            break;
    }
    if (fits)
        return Grosszahl(sum);
    // alphabet^n (1 + the shorter borders' share), in logarithms.
    long double share = 0;
    for (int k : m_borders) {
        const long double term = std::pow((long double)m_alphabet, (long double)(k - m_length));
        if (k < m_length && term < Negligible)
            break;
        share += k < m_length ? term : 0;
    }
    return Grosszahl::fromLog10(m_length * std::log10((long double)m_alphabet) + std::log10(1 + share));
}

template <typename Step>
void Wartezeit::runAutomaton(Step &&step) const
{
    std::vector<double> now(static_cast<size_t>(m_length), 0), next(static_cast<size_t>(m_length));
    now[0] = 1;
    const double letterChance = 1.0 / m_alphabet;
    for (;;) {
        std::fill(next.begin(), next.end(), 0.0);
        double found = 0;
        for (int j = 0; j < m_length; ++j) {
            for (const auto &[to, count] : m_transitions[size_t(j)])
                (to == m_length ? found : next[size_t(to)]) += now[size_t(j)] * count * letterChance;
        }
        now.swap(next);
        if (!step(found))
            return;
    }
}

qint64 Wartezeit::markByAutomaton(double p) const
{
    if (m_length == 0)
        return 0;
    qint64 letters = 0;
    double appeared = 0;
    runAutomaton([&](double found) {
        ++letters;
        appeared += found;
        return appeared < p && letters < (qint64(1) << 40);
    });
    return letters;
}

double Wartezeit::chanceByAutomaton(qint64 letters) const
{
    if (m_length == 0)
        return 1;
    double appeared = 0;
    qint64 done = 0;
    if (letters > 0) {
        runAutomaton([&](double found) {
            appeared += found;
            return ++done < letters;
        });
    }
    return appeared;
}

Grosszahl Wartezeit::markByTail(double p) const
{
    if (m_length == 0)
        return Grosszahl(0);
    // P(T > m) = K (1 + e)^-m = 1 - p
    const long double logs = std::log1p(m_kMinus1) - std::log1p(-(long double)p);
    if (m_lnRate > -11000) {
        const long double letters = logs / std::log1p(std::exp(m_lnRate));
        if (letters < 9e18L)
            return Grosszahl::ceilOf(letters);
    }
    // ln(1 + e) = e for the rates of long targets.
    return Grosszahl::fromLog10((std::log(logs) - m_lnRate) / std::log(10.0L));
}

double Wartezeit::chanceByTail(qint64 letters) const
{
    if (m_length == 0)
        return 1;
    const long double exponent = letters * (m_lnRate > -11000 ? std::log1p(std::exp(m_lnRate)) : 0);
    const long double chance = -(m_kMinus1 + (1 + m_kMinus1) * std::expm1(-exponent));
    return double(std::fmin(1, std::fmax(0, chance)));
}

Grosszahl Wartezeit::mark(double p) const
{
    if (m_length <= AutomatonLength)
        return Grosszahl((unsigned __int128)markByAutomaton(p));
    return markByTail(p);
}

double Wartezeit::chance(qint64 letters) const
{
    // The automaton's steps stay few while the chance is still short of 1.
    if (m_length <= AutomatonLength && letters <= 4 * qint64(m_alphabet) * m_alphabet * m_alphabet)
        return chanceByAutomaton(letters);
    return chanceByTail(letters);
}
