#include "kartenfinder.h"

#include "kartenfehler.h"
#include "keinfund.h"

#include <QCoreApplication>

#include <algorithm>

Kartenfinder::Kartenfinder(Karte &karte, double schritteProSekunde) : m_suche(karte), m_schritte(schritteProSekunde) {}

void Kartenfinder::anfangen(const Strecke &stueck)
{
    m_stueck = stueck;
    m_gegeben = 0;
}

void Kartenfinder::nachlegen(const Muster &muster)
{
    const quint64 stellen = Kartensuche::stellenFuer(m_schritte * muster.mittlererSprung(), Kartensuche::Auftragsdauer);
    while (m_unterwegs.size() < 2) {
        const quint64 von = m_gegeben, bis = von + stellen;
        m_suche.geben({m_stueck, von, bis, &muster});
        m_unterwegs.push_back({&muster, von, bis});
        m_gegeben = bis;
    }
}

quint64 Kartenfinder::operator()(const Muster &muster, quint64 von, quint64 bis)
{
    if (!m_unterwegs.empty()) {
        const Unterwegs &vorn = m_unterwegs.front();
        if (vorn.muster == &muster && vorn.von == von && vorn.bis == bis)
            return nehmen();
    }
    // What is on its way searched for a shorter start, or further on: the
    // card takes this question alone, and goes on from here after it.
    loslassen();
    m_suche.geben({m_stueck, von, bis, &muster});
    m_unterwegs.push_back({&muster, von, bis});
    m_gegeben = bis;
    return nehmen();
}

quint64 Kartenfinder::nehmen()
{
    const Unterwegs auftrag = m_unterwegs.front();
    m_unterwegs.pop_front();
    const Kartensuche::Ergebnis ergebnis = m_suche.nehmen();
    // A lane that stopped short has left places unsearched: nothing of the
    // card's counts that it did not search.
    if (ergebnis.abgedeckt != auftrag.bis - auftrag.von)
        throw Kartenfehler(QCoreApplication::translate("Karte", "Die Grafikkarte hat nicht alle Stellen durchsucht."));
    return ergebnis.fund;
}

void Kartenfinder::loslassen()
{
    if (m_unterwegs.empty())
        return;
    const quint64 von = m_unterwegs.front().von;
    while (!m_unterwegs.empty()) {
        m_unterwegs.pop_front();
        m_suche.nehmen();
    }
    m_gegeben = von;
}

quint64 Kartenfinder::beenden()
{
    const quint64 gegeben = m_gegeben;
    loslassen();
    return gegeben;
}
