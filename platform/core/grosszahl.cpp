#include "grosszahl.h"

#include "zahlen.h"

#include <QCoreApplication>

#include <cmath>
#include <limits>

namespace {

constexpr long double Two64 = 18446744073709551616.0L;

struct Band
{
    int exponent;
    const char *unit;
};
constexpr Band Bands[] = {{12, QT_TRANSLATE_NOOP("Grosszahl", " Bio.")},
                          {9, QT_TRANSLATE_NOOP("Grosszahl", " Mrd.")},
                          {6, QT_TRANSLATE_NOOP("Grosszahl", " Mio.")},
                          {0, ""}};

// An exponent as a reader expects it after the 10: raised, "10⁻⁹".
QString hochgestellt(qlonglong exponent)
{
    static constexpr char16_t Ziffern[] = u"⁰¹²³⁴⁵⁶⁷⁸⁹";
    QString text = exponent < 0 ? QStringLiteral("⁻") : QString();
    for (const QChar ziffer : QString::number(exponent < 0 ? -exponent : exponent))
        text += QChar(Ziffern[ziffer.unicode() - u'0']);
    return text;
}

QString einheit(const Band &band)
{
    return *band.unit ? QCoreApplication::translate("Grosszahl", band.unit) : QString();
}

long double rounded(long double value, Grosszahl::Rundung rundung)
{
    switch (rundung) {
    case Grosszahl::Rundung::Auf:
        return std::ceil(value);
    case Grosszahl::Rundung::Ab:
        return std::floor(value);
    default:
        return std::round(value);
    }
}

// A value from a logarithm may lie a hair off the digits it stands for,
// which must not tip it over when it is rounded up or down.
long double roundedFuzzy(long double value, Grosszahl::Rundung rundung)
{
    const long double hair = value * 1e-15L;
    if (rundung == Grosszahl::Rundung::Auf)
        return rounded(value - hair, rundung);
    return rounded(rundung == Grosszahl::Rundung::Ab ? value + hair : value, rundung);
}

long double threeSignificant(long double value, Grosszahl::Rundung rundung, bool fuzzy)
{
    if (value <= 0)
        return 0;
    const long double step = std::pow(10.0L, std::floor(std::log10(value)) - 2);
    const long double digits = value / step;
    return (fuzzy ? roundedFuzzy(digits, rundung) : rounded(digits, rundung)) * step;
}

// Below 10^15: the rounded value with the words for millions, billions and
// trillions.
QString threeDigits(long double value)
{
    const QLocale zahlen = Zahlen::schreibweise();
    for (const Band &band : Bands) {
        const long double scaled = value / std::pow(10.0L, band.exponent);
        if (scaled < 1 && band.exponent > 0)
            continue;
        if (scaled >= 1000)
            return zahlen.toString(qlonglong(std::llround(scaled))) + einheit(band);
        return zahlen.toString(double(scaled), 'g', 3) + einheit(band);
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

long double Grosszahl::dreiStellen(long double value, Rundung rundung)
{
    return threeSignificant(value, rundung, true);
}

QString Grosszahl::text(Rundung rundung) const
{
    if (!m_floating && m_exact < 1'000'000)
        return Zahlen::schreibweise().toString(qulonglong(m_exact));
    long double log = log10();
    if (std::isinf(log) && log < 0)
        return QStringLiteral("0");
    if (log < 15 && log >= -3) {
        const long double value = m_floating ? std::pow(10.0L, log) : (long double)(quint64(m_exact));
        const long double shown = threeSignificant(value, rundung, m_floating);
        if (shown < 1e15L)
            return threeDigits(shown);
        log = 15; // 999,5 Bio. and up read as a power
    }
    long double exponent = std::floor(log);
    long double mantissa = roundedFuzzy(std::pow(10.0L, log - exponent) * 10, rundung) / 10;
    if (mantissa >= 10) {
        mantissa /= 10;
        exponent += 1;
    }
    return QStringLiteral("≈ %1 · 10%2")
        .arg(Zahlen::schreibweise().toString(double(mantissa), 'f', 1), hochgestellt(qlonglong(exponent)));
}
