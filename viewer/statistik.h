#pragma once

#include <QtGlobal>

#include <array>

// Whether 26 letters' counts are as even as chance makes them: Pearson's
// chi-square over all of them, and each letter alone against what chance
// allows one of 26 (Bonferroni's share of 5 %).
namespace Statistik {

// The chi-square says nothing where a letter's even share is below five.
constexpr qint64 Mindestens = 26 * 5;

struct Urteil
{
    bool moeglich = false; // enough letters for a verdict
    double chiQuadrat = 0;
    int freiheitsgrade = 25;
    double p = 1; // that chance spreads them as far or farther
    std::array<bool, 26> auffaellig{}; // a letter beyond what chance allows it alone
};

Urteil urteilen(const std::array<qint64, 26> &je);

// The chance that a chi-square of that many degrees of freedom is at
// least x: the regularized upper incomplete gamma function Q(k/2, x/2).
double chiQuadratP(double x, int freiheitsgrade);

} // namespace Statistik
