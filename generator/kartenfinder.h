#pragma once

#include "kartensuche.h"
#include "muster.h"
#include "strecke.h"

#include <deque>

class Karte;

// The card's share of a compact run's search: what the search through one
// piece asks (Stuecksuche), answered on the graphics card, two dispatches
// ahead of it so that the card never waits. A dispatch takes some
// Kartensuche::Auftragsdauer at the card's measured pace, its places as many
// as the windows it moves by the mean skip of the start looked for, so that
// the same clock and keys give the same pieces; a question that no dispatch
// ahead answers (a longer start, after a find) is put to the card on its
// own. Kartenfehler where the card fails.
class Kartenfinder
{
public:
    // At the windows a second that the card's search moves.
    Kartenfinder(Karte &karte, double schritteProSekunde);

    // A piece, from its first place on, the pattern looked for first.
    void anfangen(const Strecke &stueck);
    // Two dispatches on their way for the pattern, from where the last ended.
    void nachlegen(const Muster &muster);
    // The places of the oldest on its way: where the piece's search goes on.
    quint64 von() const { return m_unterwegs.front().von; }
    quint64 bis() const { return m_unterwegs.front().bis; }
    // The leading place of the first window in [von, bis) that holds the
    // pattern, or KeinFund.
    quint64 operator()(const Muster &muster, quint64 von, quint64 bis);
    // What is on its way is let go; the places given so far, searched or not.
    quint64 beenden();

private:
    struct Unterwegs
    {
        const Muster *muster;
        quint64 von;
        quint64 bis;
    };
    // The answer of the oldest on its way, which must have gone through all
    // of its places.
    quint64 nehmen();
    void loslassen();

    Kartensuche m_suche;
    const double m_schritte;
    Strecke m_stueck;
    quint64 m_gegeben = 0; // places of the piece given to the card
    std::deque<Unterwegs> m_unterwegs;
};
