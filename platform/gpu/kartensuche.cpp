#include "kartensuche.h"

#include "kartenfehler.h"
#include "keinfund.h"
#include "timerrandom.h"

#include <QCoreApplication>

#include <algorithm>
#include <deque>

namespace {

// Every step moves a window on by a place at least: a lane takes no more
// steps than this, far below the some 28,000 after which lavapipe ends a
// loop.
constexpr quint32 StellenJeAufruf = 4096;

} // namespace

Kartensuche::Kartensuche(Karte &karte) : m_karte(karte), m_hoechstens(StellenJeAufruf) {}

Kartensuche::~Kartensuche()
{
    for (; m_unterwegs > 0; --m_unterwegs)
        m_karte.abwarten(aeltester());
}

int Kartensuche::aeltester() const
{
    return (m_naechster + Karte::Plaetze - m_unterwegs) % Karte::Plaetze;
}

void Kartensuche::geben(const Auftrag &auftrag)
{
    Q_ASSERT(m_unterwegs < Karte::Plaetze);
    Q_ASSERT(auftrag.bis <= auftrag.von || auftrag.bis - auftrag.von <= HoechstensStellen);
    const Muster &muster = *auftrag.muster;
    const quint64 m = quint64(muster.laenge());
    // No window begins before the stretch's first letter.
    const quint64 bis = std::max(auftrag.bis, auftrag.von);
    const quint64 von = std::clamp(m - 1, auftrag.von, bis);
    const Karte::Konstanten konstanten{auftrag.strecke.summeBei(von),
                                       RandomGenerator::weiter(0, StellenJeAufruf),
                                       muster.zaehlerZurueck(),
                                       RandomGenerator::Mix,
                                       quint32(bis - von),
                                       StellenJeAufruf,
                                       m_hoechstens,
                                       quint32(m)};
    m_karte.abschicken(m_naechster, muster, konstanten);
    m_offen[size_t(m_naechster)] = {von, von - auftrag.von};
    m_naechster = (m_naechster + 1) % Karte::Plaetze;
    ++m_unterwegs;
}

Kartensuche::Ergebnis Kartensuche::nehmen()
{
    Q_ASSERT(m_unterwegs > 0);
    const int platz = aeltester();
    const Karte::Antwort antwort = m_karte.abholen(platz);
    --m_unterwegs;
    const Offen &offen = m_offen[size_t(platz)];
    return {antwort.fund == ~quint32(0) ? KeinFund : offen.von + antwort.fund, offen.vorweg + antwort.abgedeckt};
}

quint64 Kartensuche::stellenJeAufruf()
{
    return StellenJeAufruf;
}

quint64 Kartensuche::stellenFuer(double stellenProSekunde, std::chrono::nanoseconds dauer)
{
    const double stellen = stellenProSekunde * std::chrono::duration<double>(dauer).count();
    return quint64(std::clamp(stellen, double(Karte::AufrufeJeGruppe * StellenJeAufruf), double(HoechstensStellen)));
}

double Kartensuche::stellenProSekunde(const Muster &muster, std::chrono::nanoseconds dauer)
{
    using Uhr = std::chrono::steady_clock;
    Strecke strecke{0, TimerRandom::freshKey(), 0, 0};
    quint64 weit = Karte::AufrufeJeGruppe * StellenJeAufruf, stellen = 0;
    std::deque<quint64> unterwegs;
    const auto weiter = [&] {
        geben({strecke, 0, weit, &muster});
        unterwegs.push_back(weit);
        strecke.zaehler = RandomGenerator::weiter(strecke.zaehler, weit);
    };
    const Uhr::time_point anfang = Uhr::now();
    Uhr::time_point zuletzt = anfang, jetzt;
    weiter();
    weiter();
    for (;;) {
        const quint64 genommen = unterwegs.front();
        unterwegs.pop_front();
        if (nehmen().abgedeckt != genommen)
            throw Kartenfehler(QCoreApplication::translate("Karte", "Die Grafikkarte hat nicht alle Stellen durchsucht."));
        stellen += genommen;
        jetzt = Uhr::now();
        if (jetzt - anfang >= dauer)
            break;
        // Twice as many places each time, up to a dispatch's time at the pace so far.
        const double tempo = double(genommen) / std::chrono::duration<double>(jetzt - zuletzt).count();
        weit = std::min(2 * weit, stellenFuer(tempo, Auftragsdauer));
        zuletzt = jetzt;
        weiter();
    }
    nehmen();
    return double(stellen) / std::chrono::duration<double>(jetzt - anfang).count();
}
