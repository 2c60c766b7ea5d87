#include "stellensuche.h"

#include "abgleich.h"
#include "arbeiter.h"
#include "aufzeichnungsleser.h"
#include "kante.h"
#include "logzeile.h"

#include <algorithm>
#include <mutex>
#include <string>

namespace {

// The window whose leading letter is at counter c: do the letters behind
// it hold the rest of the pattern? Seldom asked, one window in 26.
Q_NEVER_INLINE bool haelt(const Muster &muster, quint64 summe)
{
    for (int k = 1; k < muster.laenge(); ++k) {
        summe += muster.zaehlerZurueck();
        if (RandomGenerator::letter26(summe) != muster.buchstabe(k))
            return false;
    }
    return true;
}

// One run of windows: its leading letter's counter and key added up, which
// spares the addition at every step; how far it has gone from its start,
// how far it may go.
struct Bahn
{
    quint64 summe;
    quint64 weg;
    quint64 ende;
    quint64 fund = KeinFund;
};

// A window's step: a find stops the lane where it is.
Q_ALWAYS_INLINE void schritt(Bahn &bahn, const Muster &muster, unsigned vorn)
{
    const unsigned x = RandomGenerator::letter26(bahn.summe);
    if (Q_UNLIKELY(x == vorn) && haelt(muster, bahn.summe)) {
        bahn.fund = bahn.weg;
        bahn.ende = bahn.weg;
        return;
    }
    bahn.weg += muster.sprung(x);
    bahn.summe += muster.zaehlerSprung(x);
}

} // namespace

quint64 Stellensuche::finden(const Strecke &strecke, const Muster &muster, quint64 von, quint64 bis)
{
    const quint64 anzahl = strecke.anzahl;
    const quint64 m = quint64(muster.laenge());
    if (m == 0 || anzahl < m)
        return KeinFund;
    // Where a window's leading letter may lie, for the window to be inside.
    von = std::max(von, muster.vorwaerts() ? m - 1 : 0);
    bis = std::min<quint64>(bis, muster.vorwaerts() ? anzahl : anzahl - m + 1);
    if (von >= bis)
        return KeinFund;
    const unsigned vorn = muster.buchstabe(0);
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
        bahn[j] = {strecke.summeBei(platz), 0, anfang(j + 1) - anfang(j)};
    }
    if (bahnen == Bahnen) {
        // Each lane a variable of its own, which the compiler keeps in
        // registers, as it keeps no array.
        Bahn a = bahn[0], b = bahn[1], c = bahn[2], d = bahn[3];
        while (a.weg < a.ende && b.weg < b.ende && c.weg < c.ende && d.weg < d.ende) {
            schritt(a, muster, vorn);
            schritt(b, muster, vorn);
            schritt(c, muster, vorn);
            schritt(d, muster, vorn);
        }
        bahn[0] = a, bahn[1] = b, bahn[2] = c, bahn[3] = d;
    }
    // The lanes' parts follow each other: the first find of the first lane
    // that finds is the first of all.
    for (int j = 0; j < bahnen; ++j) {
        while (bahn[j].weg < bahn[j].ende)
            schritt(bahn[j], muster, vorn);
        if (bahn[j].fund != KeinFund) {
            const quint64 weg = anfang(j) + bahn[j].fund;
            return muster.vorwaerts() ? von + weg : bis - 1 - weg;
        }
    }
    return KeinFund;
}

namespace {

// The places (from 0) of a window's leading letter: its last forwards, its
// first backwards.
struct Bereich
{
    quint64 von; // the lowest
    quint64 bis; // past the highest
};

// What one search through a record needs of its target.
struct Ziel
{
    std::string_view buchstaben;
    Muster muster;
    Abgleich abgleich; // of the letters in the search's order
    quint64 m() const { return buchstaben.size(); }
    bool vorwaerts() const { return muster.vorwaerts(); }
};

std::u16string inSuchrichtung(std::string_view buchstaben, Richtung richtung)
{
    std::u16string text(buchstaben.begin(), buchstaben.end());
    if (richtung == Richtung::Rueckwaerts)
        std::reverse(text.begin(), text.end());
    return text;
}

// Of the windows over the edge before letter kante, whose leading letter
// lies in the range: the first, found by the target's automaton over the
// letters there, computed from the entry and its neighbour over the edge
// where the two hold them, else read as text from whichever entries do.
quint64 ueberKante(const Aufzeichnungsleser &leser, const Ziel &ziel, const Strecke &strecke,
                   const std::optional<Strecke> &nachbar, quint64 kante, Bereich bereich)
{
    constexpr int L = Logzeile::Laenge;
    const quint64 m = ziel.m();
    const quint64 erster = kante >= m - 1 ? kante - (m - 1) : 0;
    const quint64 ende = std::min(kante + m - 1, quint64(leser.zeichen()));
    const auto haelt = [&](quint64 platz) {
        return (platz >= strecke.erstes && platz < strecke.ende())
            || (nachbar && platz >= nachbar->erstes && platz < nachbar->ende());
    };
    // The two follow each other: where they hold both ends, they hold all.
    const bool gerechnet = haelt(erster) && haelt(ende - 1);
    std::string zeilen;
    quint64 da = ende;
    if (!gerechnet) {
        zeilen.resize(size_t((ende - erster) * L));
        da = erster + quint64(leser.lesen(qint64(erster * L), zeilen.data(), qint64(zeilen.size())) / L);
    }
    const auto buchstabe = [&](quint64 platz) {
        if (!gerechnet)
            return zeilen[size_t((platz - erster) * L)];
        const Strecke &hier = platz >= strecke.erstes && platz < strecke.ende() ? strecke : *nachbar;
        return hier.buchstabe(platz - hier.erstes);
    };
    const Abgleich::Schritt schritt = ziel.abgleich.schritt();
    const uint32_t ganz = schritt.zustand(int(m));
    quint64 fund = KeinFund;
    // A window's leading place is where the automaton, in the search's
    // direction, has read all of it: forwards its last letter, backwards its first.
    Kante::folgen(schritt, schritt.zustand(0), erster, da, ziel.vorwaerts() ? Richtung::Vorwaerts : Richtung::Rueckwaerts,
                  buchstabe, [&](quint64 platz, uint32_t zustand) {
                      if (zustand == ganz && platz >= bereich.von && platz < bereich.bis)
                          fund = platz;
                      return fund != KeinFund;
                  });
    return fund;
}

// The first window in the search's direction whose leading letter lies in
// the range: inside an entry by its computed letters, over an entry's
// edge by the automaton.
quint64 inAufzeichnung(const Aufzeichnungsleser &leser, const Ziel &ziel, Bereich bereich)
{
    const bool vorwaerts = ziel.vorwaerts();
    const quint64 m = ziel.m();
    // The entries in turn from the one that holds the range's first place;
    // the reader has checked that they follow each other.
    const qint64 schritt = vorwaerts ? 1 : -1;
    const quint64 erster = leser.eintragMit(vorwaerts ? bereich.von : bereich.bis - 1);
    if (erster == KeinFund)
        return KeinFund;
    for (qint64 j = qint64(erster); bereich.von < bereich.bis; j += schritt) {
        const auto strecke = j >= 0 ? leser.eintrag(j) : std::nullopt;
        if (!strecke)
            return KeinFund;
        const quint64 von = std::max(bereich.von, strecke->erstes), bis = std::min(bereich.bis, strecke->ende());
        // Forwards the windows over the entry's start come first, backwards
        // those over its end.
        const Bereich rand = vorwaerts ? Bereich{von, std::min(bis, strecke->erstes + m - 1)}
                                       : Bereich{std::max(von, strecke->ende() >= m - 1 ? strecke->ende() - (m - 1) : 0), bis};
        const Bereich innen = vorwaerts ? Bereich{std::max(von, rand.bis), bis} : Bereich{von, std::min(bis, rand.von)};
        if (rand.von < rand.bis) {
            // The entry over whose edge the windows reach: before forwards,
            // after backwards. Up to the readable letters' end, where the
            // windows end, entries follow each other.
            const quint64 kante = vorwaerts ? strecke->erstes : strecke->ende();
            const std::optional<Strecke> nachbar = j - schritt >= 0 ? leser.eintrag(j - schritt) : std::nullopt;
            if (const quint64 hier = ueberKante(leser, ziel, *strecke, nachbar, kante, rand); hier != KeinFund)
                return hier;
        }
        if (innen.von < innen.bis)
            if (const quint64 hier = Stellensuche::finden(*strecke, ziel.muster, innen.von - strecke->erstes, innen.bis - strecke->erstes);
                hier != KeinFund)
                return strecke->erstes + hier;
        (vorwaerts ? bereich.von : bereich.bis) = vorwaerts ? bis : von;
    }
    return KeinFund;
}

} // namespace

quint64 Stellensuche::finden(const Aufzeichnungsleser &leser, std::string_view buchstaben, quint64 ab, Richtung richtung,
                             std::stop_token stop, std::atomic<qint64> &geschafft, qint64 stueck)
{
    const bool vorwaerts = richtung == Richtung::Vorwaerts;
    const quint64 m = buchstaben.size(), alle = quint64(leser.zeichen());
    if (m == 0 || alle < m)
        return KeinFund;
    // Leading places: forwards a window's last from the start's, backwards its first.
    const Bereich bereich = vorwaerts ? Bereich{ab + m - 1, alle} : Bereich{0, std::min(ab, alle - m) + 1};
    if (ab == KeinFund || bereich.von >= bereich.bis)
        return KeinFund;
    const Ziel ziel{buchstaben, Muster(buchstaben, richtung), Abgleich(inSuchrichtung(buchstaben, richtung))};
    const quint64 stuecke = (bereich.bis - bereich.von + quint64(stueck) - 1) / quint64(stueck);
    std::mutex mutex;
    quint64 erstesMit = stuecke, fund = KeinFund; // the first piece with a find, in the search's order
    // Piece k is the worker's whose turn it is; a find ends the search once
    // every piece before it is done.
    const auto teil = [&](quint64 k) {
        const quint64 anfang = quint64(stueck) * k, ende = std::min(anfang + quint64(stueck), bereich.bis - bereich.von);
        const Bereich stelle = vorwaerts ? Bereich{bereich.von + anfang, bereich.von + ende}
                                         : Bereich{bereich.bis - ende, bereich.bis - anfang};
        const quint64 hier = inAufzeichnung(leser, ziel, stelle);
        geschafft += qint64(ende - anfang);
        std::lock_guard lock(mutex);
        if (hier != KeinFund && k < erstesMit)
            erstesMit = k, fund = hier;
    };
    const int kerne = Arbeiter::kerne();
    {
        Arbeiter arbeiter(kerne, [&](int wer) {
            for (quint64 k = quint64(wer); k < stuecke && !stop.stop_requested(); k += quint64(kerne)) {
                {
                    std::lock_guard lock(mutex);
                    if (k > erstesMit)
                        return;
                }
                teil(k);
            }
        });
    }
    if (fund == KeinFund || stop.stop_requested())
        return KeinFund;
    return vorwaerts ? fund - (m - 1) : fund;
}
