#include "stellensuche.h"

#include <algorithm>

namespace {

// The window whose leading letter is at counter c: do the letters behind
// it hold the rest of the pattern? Seldom asked, one window in 26.
Q_NEVER_INLINE bool haelt(const Muster &muster, quint64 key, quint64 c)
{
    for (int k = 1; k < muster.laenge(); ++k) {
        c += muster.zurueck();
        if (RandomGenerator::letter26(c, key) != muster.hinten(k))
            return false;
    }
    return true;
}

// The letter of the draw whose counter and key add up to summe.
Q_ALWAYS_INLINE unsigned buchstabe(quint64 summe)
{
    return RandomGenerator::letter26(summe, 0);
}

// One run of windows: its leading letter's counter and key added up, which
// spares the addition at every step; how far it has gone from its start,
// how far it may go.
struct Bahn
{
    quint64 summe;
    quint64 weg;
    quint64 ende;
    quint64 fund = Stellensuche::Keine;
};

// A window's step: a find stops the lane where it is.
Q_ALWAYS_INLINE void schritt(Bahn &bahn, const Muster &muster, quint64 key, unsigned vorn)
{
    const unsigned x = buchstabe(bahn.summe);
    if (Q_UNLIKELY(x == vorn) && haelt(muster, key, bahn.summe - key)) {
        bahn.fund = bahn.weg;
        bahn.ende = bahn.weg;
        return;
    }
    bahn.weg += muster.stellen(x);
    bahn.summe += muster.zaehlerSchritt(x);
}

} // namespace

quint64 Stellensuche::finden(quint64 key, quint64 zaehler, quint64 anzahl, const Muster &muster, quint64 von, quint64 bis)
{
    const quint64 m = quint64(muster.laenge());
    if (m == 0 || anzahl < m)
        return Keine;
    // Where a window's leading letter may lie, for the window to be inside.
    von = std::max(von, muster.vorwaerts() ? m - 1 : 0);
    bis = std::min<quint64>(bis, muster.vorwaerts() ? anzahl : anzahl - m + 1);
    if (von >= bis)
        return Keine;
    const unsigned vorn = muster.hinten(0);
    const quint64 weit = bis - von;
    // Four runs side by side over four parts of the range, so that the
    // processor works on one while another waits for its letter.
    constexpr int Bahnen = 4;
    const int bahnen = weit >= 8 * m ? Bahnen : 1;
    // Where lane j's part begins: a shift, not a division, as a call
    // covers a batch of places only.
    const auto anfang = [weit, bahnen](int j) { return bahnen == Bahnen ? weit * quint64(j) / Bahnen : weit * quint64(j); };
    Bahn bahn[Bahnen];
    for (int j = 0; j < bahnen; ++j) {
        const quint64 platz = muster.vorwaerts() ? von + anfang(j) : bis - 1 - anfang(j);
        bahn[j] = {zaehler + (platz + 1) * RandomGenerator::Increment + key, 0, anfang(j + 1) - anfang(j)};
    }
    if (bahnen == Bahnen) {
        // Each lane a variable of its own, which the compiler keeps in
        // registers, as it keeps no array.
        Bahn a = bahn[0], b = bahn[1], c = bahn[2], d = bahn[3];
        while (a.weg < a.ende && b.weg < b.ende && c.weg < c.ende && d.weg < d.ende) {
            schritt(a, muster, key, vorn);
            schritt(b, muster, key, vorn);
            schritt(c, muster, key, vorn);
            schritt(d, muster, key, vorn);
        }
        bahn[0] = a, bahn[1] = b, bahn[2] = c, bahn[3] = d;
    }
    // The lanes' parts follow each other: the first find of the first lane
    // that finds is the first of all.
    for (int j = 0; j < bahnen; ++j) {
        while (bahn[j].weg < bahn[j].ende)
            schritt(bahn[j], muster, key, vorn);
        if (bahn[j].fund != Keine) {
            const quint64 weg = anfang(j) + bahn[j].fund;
            return muster.vorwaerts() ? von + weg : bis - 1 - weg;
        }
    }
    return Keine;
}
