#include "wartezeit.h"

#include <cmath>
#include <limits>

namespace {

// Shares a^-p below this add nothing to a long double sum near 1.
constexpr long double Negligible = 1e-22L;
// Where the tail and the exact value agree this closely (in logarithms),
// the tail is exact for all that is shown or tested (10^-12). A logarithm
// of a chance near e^-L is itself only good to L times a long double's step.
long double agreement(long double lnRate)
{
    return 1e-15L + 2 * std::fabs(lnRate) * std::numeric_limits<long double>::epsilon();
}
constexpr long double MinusInfinity = -std::numeric_limits<long double>::infinity();

} // namespace

Wartezeit::Wartezeit(QStringView ziel, int alphabet)
    : m_abgleich(std::u16string_view(reinterpret_cast<const char16_t *>(ziel.utf16()), size_t(ziel.size())))
    , m_alphabet(alphabet)
    , m_lnAlphabet(std::log((long double)alphabet))
{
    const int n = length();
    if (n == 0)
        return;
    for (int k = n; k > 0; k = m_abgleich.raender()[size_t(k - 1)])
        m_borders.push_back(k);
    for (int k : m_borders) {
        const long double share = std::exp(-(n - k) * m_lnAlphabet);
        if (k == n)
            continue;
        if (share < Negligible)
            break;
        m_periods.emplace_back(n - k, share);
    }

    // The tail's rate e solves e = (1 + e)^n / sum_k alphabet^k (1 + e)^(n - k),
    // kept as its logarithm since for long targets it is far below a double.
    long double weight = 0, weightedShift = 0; // over the periods
    const auto sums = [&](long double lnStep) {
        weight = weightedShift = 0;
        for (const auto &[shift, share] : m_periods) {
            const long double term = std::exp(shift * (lnStep - m_lnAlphabet));
            weight += term;
            weightedShift += shift * term;
        }
    };
    long double lnStep = 0;
    sums(lnStep);
    long double lnRate = -(n * m_lnAlphabet + std::log1p(weight));
    for (int i = 0; i < 200; ++i) {
        lnStep = lnRate > -11000 ? std::log1p(std::exp(lnRate)) : 0;
        sums(lnStep);
        const long double next = n * lnStep - n * m_lnAlphabet - std::log1p(weight);
        const bool settled = std::fabs(next - lnRate) <= 1e-19L * std::fmax(1, std::fabs(lnRate));
        lnRate = next;
        if (settled)
            break;
    }
    sums(lnStep);
    m_lnRate = lnRate;
    // K = 1 / (1 + t) with t = e (1 - n + mean shift of the borders).
    m_meanShift = weightedShift / (1 + weight);
    m_t = (lnRate > -11000 ? std::exp(lnRate) : 0) * (1 - n + m_meanShift);
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
    // alphabet^n (1 + the periods' shares), in logarithms.
    long double share = 0;
    for (const auto &period : m_periods)
        share += period.second;
    return Grosszahl::fromLog10((length() * m_lnAlphabet + std::log1p(share)) / std::log(10.0L));
}

Wartezeit::Verteilung::Verteilung(const Wartezeit &wartezeit)
{
    const int n = wartezeit.length();
    const int longestPeriod = wartezeit.m_periods.empty() ? 0 : wartezeit.m_periods.back().first;
    m_f.assign(size_t(longestPeriod) + 1, 0);
    // S(m - n) = 1 - P(N <= m - n) differs from 1 only where a^-n counts.
    if (n * wartezeit.m_lnAlphabet < 70)
        m_sums.assign(size_t(n) + 1, 0);
    // The tail must hold across every period and the target's length; the
    // other roots' shares fall by 1.7 a letter, so it does long before the cap.
    m_settle = n + longestPeriod + 8;
    m_cap = 8 * qint64(n + longestPeriod) + 10'000;
}

void Wartezeit::Verteilung::step(const Wartezeit &w)
{
    const int n = w.length();
    const qint64 m = ++m_letters;
    long double f = 0; // f(m) a^n
    if (m >= n) {
        const long double lnPowerN = -n * w.m_lnAlphabet;
        f = m_sums.empty() ? 1 : 1 - std::exp(lnPowerN) * m_sums[size_t((m - n) % qint64(m_sums.size()))];
        for (const auto &[p, share] : w.m_periods) {
            if (m - p < n)
                break; // f is 0 before the n-th letter
            f -= share * m_f[size_t((m - p) % qint64(m_f.size()))];
        }
    }
    m_f[size_t(m % qint64(m_f.size()))] = f;
    m_sum += f;
    if (!m_sums.empty())
        m_sums[size_t(m % qint64(m_sums.size()))] = m_sum;
    if (m >= n) {
        const bool agrees = std::fabs(w.lnChanceByTail(m) - lnChance(w)) <= agreement(w.m_lnRate);
        m_agreeing = agrees ? m_agreeing + 1 : 0;
    }
}

long double Wartezeit::Verteilung::lnChance(const Wartezeit &w) const
{
    return m_sum > 0 ? std::log(m_sum) - w.length() * w.m_lnAlphabet : MinusInfinity;
}

long double Wartezeit::lnChanceByTail(qint64 letters) const
{
    const int n = length();
    if (letters < n)
        return MinusInfinity;
    if (m_lnRate > -11000) {
        // P(N <= m) = 1 - K (1 + e)^-m = (t + x) / (1 + t), x = 1 - (1 + e)^-m
        const long double x = -std::expm1(-letters * std::log1p(std::exp(m_lnRate)));
        const long double chance = (m_t + x) / (1 + m_t);
        return chance > 0 ? std::log(chance) : MinusInfinity;
    }
    // e so small that e^2 is nothing beside it: P = e (m + 1 - n + mean shift).
    return m_lnRate + std::log((long double)letters + 1 - n + m_meanShift);
}

const Wartezeit::Verteilung &Wartezeit::exactUpTo(qint64 letters) const
{
    if (!m_exact || m_exact->letters() > letters)
        m_exact.emplace(*this);
    while (m_exact->letters() < letters && !m_exact->tailHolds())
        m_exact->step(*this);
    return *m_exact;
}

qint64 Wartezeit::tailFrom() const
{
    return exactUpTo(std::numeric_limits<qint64>::max()).letters();
}

long double Wartezeit::log10Chance(qint64 letters) const
{
    if (length() == 0)
        return 0;
    if (letters < length())
        return MinusInfinity;
    const Verteilung &exact = exactUpTo(letters);
    const long double ln = exact.letters() == letters ? exact.lnChance(*this) : lnChanceByTail(letters);
    return ln / std::log(10.0L);
}

Grosszahl Wartezeit::mark(int zaehler, int nenner) const
{
    if (length() == 0)
        return Grosszahl(0);
    const long double lnWanted = std::log((long double)zaehler) - std::log((long double)nenner);
    Verteilung exact(*this);
    while (!exact.tailHolds()) {
        exact.step(*this);
        if (exact.lnChance(*this) >= lnWanted)
            return Grosszahl((unsigned __int128)exact.letters());
    }
    // K (1 + e)^-m <= 1 - zaehler / nenner
    const long double logs = std::log((long double)nenner) - std::log((long double)(nenner - zaehler)) - std::log1p(m_t);
    if (m_lnRate > -11000) {
        const long double letters = logs / std::log1p(std::exp(m_lnRate));
        if (letters < 9e18L)
            return Grosszahl::ceilOf(std::fmax(letters, (long double)(exact.letters() + 1)));
    }
    // ln(1 + e) = e for the rates of long targets.
    return Grosszahl::fromLog10((std::log(logs) - m_lnRate) / std::log(10.0L));
}
