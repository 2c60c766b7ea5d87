#include "kompaktlauf.h"

#include "ausgabe.h"
#include "coarseclock.h"
#include "verfolgung.h"

#include <algorithm>

namespace {

std::string lateinisch(const QString &text)
{
    const QByteArray bytes = text.toLatin1();
    return std::string(bytes.constData(), size_t(bytes.size()));
}

} // namespace

// The typists: on the cores as many as the round says beside the card, or
// one for a test's clock, which need not be safe to read from two threads;
// a test's clock makes the same letters from the same keys every time. The
// card searches the target's places as fast as its windows move by the
// target's mean skip.
Tipprunde::Besetzung Generator::Kompaktlauf::besetzung(const Generator &lauf)
{
    const TimerRandom::Draws &eigener = lauf.m_timerRandom->draws();
    const int kerne = lauf.m_kerne > 0 ? lauf.m_kerne
        : eigener.readsTheClock()      ? Tipprunde::kerne(lauf.m_karte.get(), lauf.m_kartenSchritte, lateinisch(lauf.m_ziel))
                                       : 1;
    return {kerne, lauf.m_karte, lauf.m_kartenSchritte, eigener.clock(), eigener.readsTheClock() ? 0 : eigener.key()};
}

Generator::Kompaktlauf::Kompaktlauf(Generator &lauf, Ausgabe &ausgabe, Verfolgung &verfolgung, qint64 vorher,
                                    quint64 getippt)
    : m_lauf(lauf)
    , m_ausgabe(ausgabe)
    , m_verfolgung(verfolgung)
    , m_vorher(vorher)
    , m_runde(*verfolgung.schritt.owner, lateinisch(lauf.m_ziel), {getippt, verfolgung.zustand, verfolgung.naehe},
              ausgabe.aufzeichnung(), besetzung(lauf))
{
}

Generator::Ende Generator::Kompaktlauf::laufen()
{
    const auto abstand = std::chrono::nanoseconds(m_lauf.m_yieldInterval);
    for (auto naechste = std::chrono::steady_clock::now();;) {
        m_runde.warten(naechste += abstand);
        if (const std::optional<Ende> ende = rast())
            return *ende;
        naechste = std::max(naechste, std::chrono::steady_clock::now());
    }
}

void Generator::Kompaktlauf::zaehlen()
{
    m_lauf.Anzahl += m_vorher + qint64(m_runde.zeichen()) - m_lauf.Anzahl.whole();
    m_lauf.m_naehe = m_verfolgung.naehe = m_runde.naehe();
    // A card that failed types no more, in this run or the next.
    if (!m_runde.kartenAusfall().isEmpty() && m_lauf.m_karte)
        m_lauf.setKarte({}, 0, m_runde.kartenAusfall());
}

std::optional<Generator::Ende> Generator::Kompaktlauf::rast()
{
    zaehlen();
    m_ausgabe.sichern(m_runde.zeichen());
    if (m_runde.gefunden())
        return Ende::Gefunden;
    if (m_runde.voll() || m_ausgabe.platz(m_runde.zeichen()) == Ausgabe::Platz::Voll) {
        m_runde.anhalten();
        m_lauf.showCount();
        return m_runde.voll() ? Ende::Grenze : Ende::Voll;
    }
    if (!m_lauf.zwischenstand(CoarseClock::now())) {
        m_runde.anhalten();
        return Ende::Angehalten;
    }
    return std::nullopt;
}
