#include "grosszahl.h"

#include <QLocale>

#include <cmath>
#include <limits>

namespace {

constexpr long double Two64 = 18446744073709551616.0L;

struct Band
{
    int exponent;
    const char *unit;
};
constexpr Band Bands[] = {{12, " Bio."}, {9, " Mrd."}, {6, " Mio."}, {0, ""}};

// Below 10^15: three significant digits, with the German words for
// millions, billions and trillions.
QString threeDigits(long double log10)
{
    const QLocale german(QLocale::German);
    const int magnitude = int(std::floor(log10));
    const long double step = std::pow(10.0L, magnitude - 2);
    const long double rounded = std::round(std::pow(10.0L, log10) / step) * step;
    for (const Band &band : Bands) {
        const long double scaled = rounded / std::pow(10.0L, band.exponent);
        if (scaled < 1 && band.exponent > 0)
            continue;
        if (scaled >= 1000)
            return german.toString(qlonglong(std::llround(scaled))) + QLatin1String(band.unit);
        return german.toString(double(scaled), 'g', 3) + QLatin1String(band.unit);
    }
    return {};
}

} // namespace

Grosszahl Grosszahl::fromLog10(long double log10)
{
    Grosszahl number;
    number.m_floating = true;
    number.m_log10 = log10;
    return number;
}

Grosszahl Grosszahl::ceilOf(long double value)
{
    if (value <= 0)
        return Grosszahl(0);
    if (value < Two64)
        return Grosszahl((unsigned __int128)(std::ceil(value)));
    return fromLog10(std::log10(value));
}

Grosszahl::Art Grosszahl::art() const
{
    if (m_floating)
        return Art::Gleitend;
    return m_exact >> 64 ? Art::Bits128 : Art::Bits64;
}

long double Grosszahl::log10() const
{
    if (m_floating)
        return m_log10;
    if (m_exact == 0)
        return -std::numeric_limits<long double>::infinity();
    // Exact to the precision of a long double, which is all a logarithm needs.
    const long double value = (long double)(quint64(m_exact >> 64)) * Two64 + (long double)(quint64(m_exact));
    return std::log10(value);
}

QString Grosszahl::text() const
{
    if (!m_floating && m_exact < 1'000'000)
        return QLocale(QLocale::German).toString(qulonglong(m_exact));
    const long double log = log10();
    if (std::isinf(log) && log < 0)
        return QStringLiteral("0");
    if (log < 15 && log >= -3)
        return threeDigits(log);
    long double exponent = std::floor(log);
    long double mantissa = std::round(std::pow(10.0L, log - exponent) * 10) / 10;
    if (mantissa >= 10) {
        mantissa /= 10;
        exponent += 1;
    }
    return QStringLiteral("≈ %1 · 10^%2")
        .arg(QLocale(QLocale::German).toString(double(mantissa), 'f', 1))
        .arg(qlonglong(exponent));
}
