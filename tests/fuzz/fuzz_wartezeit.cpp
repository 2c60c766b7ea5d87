// The waiting time of any target: chances within 0 and 1 that never fall as
// the letters grow, the 50 % mark never after the 95 % mark, and every
// number of the texts a well-formed one.
#include "auskunft.h"
#include "fuzz.h"
#include "wartezeit.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace {

// German numbers: groups of three by dots, a decimal comma, a mantissa of
// one digit from 1 to 9.
void checkNumbers(const QString &text)
{
    static const QRegularExpression number(QStringLiteral("[0-9][0-9.,]*"));
    static const QRegularExpression german(QStringLiteral("^[1-9][0-9]{0,2}(\\.[0-9]{3})*(,[0-9]+)?$|^0(,[0-9]+)?$"));
    static const QRegularExpression power(QStringLiteral("≈ ([0-9,]+) · 10⁻?[⁰¹²³⁴⁵⁶⁷⁸⁹]+"));
    static const QRegularExpression mantissa(QStringLiteral("^[1-9],[0-9]$"));
    // The target's letters, which may well spell NAN, are no number.
    static const QRegularExpression notANumber(QStringLiteral("nan|inf"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression target(QStringLiteral("\\b[A-Z]+\\b"));
    check(!QString(text).remove(target).contains(notANumber));
    for (const auto &match : power.globalMatch(text))
        check(mantissa.match(match.captured(1)).hasMatch());
    static const QRegularExpression exponent(QStringLiteral("10⁻?[⁰¹²³⁴⁵⁶⁷⁸⁹]+"));
    for (const auto &match : number.globalMatch(QString(text).remove(exponent))) {
        QString digits = match.captured();
        while (digits.endsWith(u'.') || digits.endsWith(u','))
            digits.chop(1); // the end of a sentence
        check(german.match(digits).hasMatch());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 9)
        return 0;
    // The first bytes: letters typed so far and a speed; the rest the target.
    quint64 raw = 0;
    for (int i = 0; i < 8; ++i)
        raw = raw << 8 | data[i];
    const qint64 letters = qint64(raw >> 1);
    QString ziel;
    for (size_t i = 8; i < size; ++i)
        ziel += QChar(letter(data[i]));

    const Wartezeit wartezeit(ziel);
    check(!std::isnan(wartezeit.expected().log10()));
    check(wartezeit.mark(1, 2).log10() <= wartezeit.mark(19, 20).log10());
    qint64 counts[] = {0, std::max<qint64>(ziel.size() - 1, 0), ziel.size(), letters / 1000, letters / 3, letters};
    std::sort(std::begin(counts), std::end(counts));
    long double before = -INFINITY;
    for (const qint64 m : counts) {
        const long double chance = wartezeit.log10Chance(m);
        check(!std::isnan(chance) && chance <= 0 && chance >= before - 1e-12L * std::fabs(before));
        before = std::max(before, chance);
    }
    const double speed = double(data[0] + 1) * std::pow(10.0, data[1] % 12);
    checkNumbers(Auskunft::zumZiel(ziel, {speed}, {raw, raw | 1}));
    checkNumbers(Auskunft::zumLauf(ziel, wartezeit, letters, speed, {int(data[2] % (ziel.size() + 1)), letters}));
    return 0;
}
