#include "statistik.h"

#include <cmath>
#include <numeric>

namespace {

// Q(a, x) by its series where x < a + 1, else by its continued fraction
// (Lentz), each to double precision.
double oben(double a, double x)
{
    if (x <= 0)
        return 1;
    const double logVorn = a * std::log(x) - x - std::lgamma(a);
    if (x < a + 1) {
        double summand = 1 / a, summe = summand;
        for (double n = a + 1; std::fabs(summand) > std::fabs(summe) * 1e-16; ++n)
            summe += summand *= x / n;
        return std::max(0.0, 1 - summe * std::exp(logVorn));
    }
    constexpr double Klein = 1e-300;
    double b = x + 1 - a, c = 1 / Klein, d = 1 / b, h = d;
    for (int i = 1; i < 10'000; ++i) {
        const double an = -i * (i - a);
        b += 2;
        d = an * d + b;
        d = std::fabs(d) < Klein ? Klein : d;
        c = b + an / c;
        c = std::fabs(c) < Klein ? Klein : c;
        d = 1 / d;
        const double schritt = d * c;
        h *= schritt;
        if (std::fabs(schritt - 1) < 1e-16)
            break;
    }
    return std::exp(logVorn) * h;
}

} // namespace

double Statistik::chiQuadratP(double x, int freiheitsgrade)
{
    return oben(freiheitsgrade / 2.0, x / 2);
}

Statistik::Urteil Statistik::urteilen(const std::array<qint64, 26> &je)
{
    Urteil urteil;
    const double alle = double(std::accumulate(je.begin(), je.end(), qint64(0)));
    if (alle < Mindestens)
        return urteil;
    urteil.moeglich = true;
    const double erwartet = alle / 26;
    // A letter's count is binomial; alone it is beyond chance where chance
    // puts it as far or farther from the even share in less than 5 % of
    // logs shared among the 26 letters.
    const double streuung = std::sqrt(alle * (1.0 / 26) * (25.0 / 26));
    for (int c = 0; c < 26; ++c) {
        const double abstand = double(je[size_t(c)]) - erwartet;
        urteil.chiQuadrat += abstand * abstand / erwartet;
        urteil.auffaellig[size_t(c)] = std::erfc(std::fabs(abstand) / streuung / std::sqrt(2.0)) < 0.05 / 26;
    }
    urteil.p = chiQuadratP(urteil.chiQuadrat, urteil.freiheitsgrade);
    return urteil;
}
