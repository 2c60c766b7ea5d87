#include "tipprunde.h"

#include "aufzeichner.h"
#include "aufzeichnung.h"
#include "kante.h"
#include "karte.h"
#include "kartenfehler.h"
#include "kartenfinder.h"
#include "stellensuche.h"
#include "tipper.h"

#include <algorithm>
#include <ctime>

namespace {

// Pieces a typist may be ahead of those put together: a few ticks of the
// clock, so that a box over the window halts the run within a few
// milliseconds, as the run's own yields do.
constexpr quint64 VorsprungJeTipper = 8;
constexpr int EintraegeJeSekunde = 1000;

double tickeJeSekunde()
{
    timespec aufloesung{};
    clock_getres(CLOCK_MONOTONIC_COARSE, &aufloesung);
    return 1e9 / std::max(1.0, double(aufloesung.tv_sec) * 1e9 + double(aufloesung.tv_nsec));
}

// The card's entries a second: one a piece, a piece a tick, and one more
// for every 2^32 letters a piece holds past the first; its places a second
// are its windows times the target's mean skip.
double kartenEintraege(const Karte *karte, double kartenSchritte, std::string_view ziel)
{
    if (!karte || ziel.empty())
        return karte ? tickeJeSekunde() : 0;
    const double stellen = kartenSchritte * Muster(ziel).mittlererSprung();
    return std::max(tickeJeSekunde(), stellen / double(Aufzeichnung::HoechstensJeEintrag));
}

} // namespace

Tipprunde::Tipprunde(const Abgleich &abgleich, std::string ziel, const Anfang &anfang, Aufzeichner &aufzeichnung,
                     const Besetzung &besetzung)
    : m_schritt(abgleich.schritt())
    , m_ziel(std::move(ziel))
    , m_anfaenge(m_ziel)
    , m_aufzeichnung(aufzeichnung)
    , m_clock(besetzung.clock)
    , m_karte(besetzung.karte)
    , m_kartenSchritte(besetzung.kartenSchritte)
    , m_zeichen(anfang.zeichen)
    , m_zustand(anfang.zustand)
    , m_naehe(anfang.naehe)
    , m_bisher(anfang.naehe.buchstaben)
{
    m_gefunden = m_naehe.buchstaben >= int(m_ziel.size());
    if (m_gefunden || voll())
        return;
    // A core types beside the card too, to go on where the card fails.
    m_kerne = std::max(besetzung.kerne, 1);
    m_teilnehmer = m_tippend = m_kerne + (m_karte ? 1 : 0);
    m_vorsprung = VorsprungJeTipper * quint64(m_teilnehmer);
    for (int i = 0; i < m_teilnehmer; ++i)
        m_schluessel.push_back(besetzung.schluessel ? besetzung.schluessel + quint64(i) * 0x9e3779b97f4a7c15ULL
                                                    : TimerRandom::freshKey());
    m_tipper.emplace(m_teilnehmer, [this](int wer) {
        if (wer < m_kerne)
            tippen(wer, m_schluessel[size_t(wer)]);
        else
            kartenTippen(m_schluessel[size_t(wer)]);
    });
}

Tipprunde::~Tipprunde()
{
    anhalten();
}

bool Tipprunde::voll() const
{
    return m_zeichen >= Aufzeichnung::HoechstensZeichen;
}

int Tipprunde::kerne(const Karte *karte, double kartenSchritte, std::string_view ziel)
{
    const int hoechstens = int((EintraegeJeSekunde - kartenEintraege(karte, kartenSchritte, ziel)) / tickeJeSekunde());
    return std::clamp(Arbeiter::kerne(), 1, std::max(hoechstens, 1));
}

double Tipprunde::eintraegeJeSekunde(const Karte *karte, double kartenSchritte, std::string_view ziel)
{
    return kerne(karte, kartenSchritte, ziel) * tickeJeSekunde() + kartenEintraege(karte, kartenSchritte, ziel);
}

double Tipprunde::stellenProSekunde(std::string_view ziel, std::chrono::nanoseconds dauer)
{
    const Muster muster(ziel);
    Strecke strecke{0, TimerRandom::freshKey(), 0, 1'000'000};
    quint64 stellen = 0, funde = 0;
    const auto anfang = std::chrono::steady_clock::now();
    std::chrono::nanoseconds vergangen{};
    // Stretches of a clock tick's places, searched a batch at a time as a typist's.
    for (; vergangen < dauer; vergangen = std::chrono::steady_clock::now() - anfang) {
        for (quint64 von = 0; von < strecke.anzahl; von += Tipper::Schub)
            funde += Stellensuche::finden(strecke, muster, von, von + Tipper::Schub) != KeinFund;
        strecke = strecke.ab(strecke.anzahl);
        strecke.anzahl = 1'000'000;
        stellen += strecke.anzahl;
    }
    // A find count that no search reaches keeps the compiler from dropping it.
    return double(stellen + (funde == ~quint64(0))) * 1e9 / double(vergangen.count());
}

double Tipprunde::stellenProSekunde(std::string_view ziel, const Besetzung &besetzung, std::chrono::nanoseconds dauer)
{
    Aufzeichner niemand; // never opened: its entries gather and go nowhere
    const Abgleich abgleich(std::u16string(ziel.begin(), ziel.end()));
    const auto anfang = std::chrono::steady_clock::now();
    Tipprunde runde(abgleich, std::string(ziel), {0, abgleich.schritt().zustand(0), {}}, niemand, besetzung);
    while (!runde.gefunden() && std::chrono::steady_clock::now() - anfang < dauer)
        runde.warten(anfang + dauer);
    const std::chrono::duration<double> vergangen = std::chrono::steady_clock::now() - anfang;
    if (!runde.kartenAusfall().isEmpty())
        throw Kartenfehler(runde.kartenAusfall());
    return double(runde.zeichen()) / vergangen.count();
}

void Tipprunde::anhalten()
{
    {
        std::lock_guard lock(m_mutex);
        m_ende = true;
    }
    m_platz.notify_all();
    m_tipper.reset();
}

bool Tipprunde::ungeduldig() const
{
    return (m_fundGemeldet && m_tippend == 0)
        || (m_wartend > 0 && (m_abgegeben.count(m_zusammengefuegt) || uebersprungen(m_zusammengefuegt)));
}

bool Tipprunde::uebersprungen(quint64 zug) const
{
    return m_karteAus && int(zug % quint64(m_teilnehmer)) == m_kerne;
}

void Tipprunde::tippen(int wer, quint64 key)
{
    Tipper tipper(m_clock, key);
    for (quint64 zug = quint64(wer); zugAbwarten(zug); zug += quint64(m_teilnehmer))
        abgeben(zug, stueckTippen(tipper));
    aufhoeren();
}

void Tipprunde::kartenTippen(quint64 key)
{
    Tipper tipper(m_clock, key);
    Kartenfinder finder(*m_karte, m_kartenSchritte);
    for (quint64 zug = quint64(m_kerne); zugAbwarten(zug); zug += quint64(m_teilnehmer)) {
        QString fehler;
        abgeben(zug, kartenStueck(tipper, finder, fehler));
        if (!fehler.isEmpty()) {
            ausscheiden(fehler);
            break;
        }
    }
    aufhoeren();
}

void Tipprunde::aufhoeren()
{
    std::lock_guard lock(m_mutex);
    --m_tippend;
    if (ungeduldig())
        m_abgabe.notify_one();
}

void Tipprunde::ausscheiden(const QString &warum)
{
    {
        std::lock_guard lock(m_mutex);
        m_karteAus = true;
        m_kartenFehler = warum;
    }
    m_abgabe.notify_one();
}

bool Tipprunde::zugAbwarten(quint64 zug)
{
    std::unique_lock lock(m_mutex);
    // The turns before a find are typed still, however short, so that the
    // record has no gap before it.
    const auto darf = [&] { return m_ende || zug > m_fundZug || zug - m_zusammengefuegt < m_vorsprung; };
    if (!darf()) {
        ++m_wartend;
        if (ungeduldig())
            m_abgabe.notify_one();
        m_platz.wait(lock, darf);
        --m_wartend;
    }
    return !m_ende && zug <= m_fundZug;
}

Tipprunde::Abgabe Tipprunde::stueckTippen(Tipper &tipper)
{
    Abgabe abgabe{tipper.anfangen(), {}};
    Stuecksuche suche(m_anfaenge, m_bisher.load(std::memory_order_relaxed));
    quint64 getippt = 0;
    for (bool weiter = true; weiter;) {
        const quint64 von = getippt;
        getippt += Tipper::Schub;
        weiter = !suche.suchen(abgabe.stueck, von, getippt) && !tipper.neueLesung()
            && !m_ende.load(std::memory_order_relaxed) && !m_fundGemeldet.load(std::memory_order_relaxed);
    }
    tipper.beenden(getippt);
    abgabe.stueck.anzahl = suche.ende(getippt);
    abgabe.funde = suche.funde();
    return abgabe;
}

Tipprunde::Abgabe Tipprunde::kartenStueck(Tipper &tipper, Kartenfinder &finder, QString &fehler)
{
    Abgabe abgabe{tipper.anfangen(), {}};
    Stuecksuche suche(m_anfaenge, m_bisher.load(std::memory_order_relaxed));
    quint64 getippt = 0;
    finder.anfangen(abgabe.stueck);
    try {
        for (bool weiter = true; weiter;) {
            finder.nachlegen(suche.gesucht());
            const quint64 von = finder.von(), bis = finder.bis();
            weiter = !suche.suchen(von, bis, finder) && !tipper.neueLesung() && !m_ende.load(std::memory_order_relaxed)
                && !m_fundGemeldet.load(std::memory_order_relaxed);
            getippt = bis;
        }
        tipper.beenden(finder.beenden());
    } catch (const Kartenfehler &ausfall) {
        // What the card had searched all through is the piece; a find past
        // it the merge drops, as any past a piece's end.
        fehler = ausfall.text();
        abgabe.stueck.anzahl = getippt;
        abgabe.funde = suche.funde();
        return abgabe;
    }
    abgabe.stueck.anzahl = suche.ende(getippt);
    abgabe.funde = suche.funde();
    return abgabe;
}

void Tipprunde::abgeben(quint64 zug, Abgabe abgabe)
{
    const bool gefunden = !abgabe.funde.empty() && quint64(abgabe.funde.back().buchstaben) == m_ziel.size();
    bool rufen;
    {
        std::lock_guard lock(m_mutex);
        m_abgegeben.emplace(zug, std::move(abgabe));
        if (gefunden) {
            m_fundZug = std::min(m_fundZug, zug);
            m_fundGemeldet = true;
        }
        rufen = ungeduldig();
    }
    if (gefunden)
        m_platz.notify_all();
    if (rufen)
        m_abgabe.notify_one();
}

void Tipprunde::warten(std::chrono::steady_clock::time_point bis)
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        while (!m_gefunden && !voll()) {
            const auto next = m_abgegeben.find(m_zusammengefuegt);
            if (next != m_abgegeben.end()) {
                zusammenfuegen(next->second);
                m_abgegeben.erase(next);
            } else if (!uebersprungen(m_zusammengefuegt)) {
                break;
            }
            ++m_zusammengefuegt;
        }
        m_kartenAusfall = m_kartenFehler;
        m_bisher.store(m_naehe.buchstaben, std::memory_order_relaxed);
        if (m_gefunden || voll()) {
            m_ende = true; // what comes after is no part of the run
            m_platz.notify_all();
            return;
        }
        m_platz.notify_all();
        if (std::chrono::steady_clock::now() >= bis || (m_fundGemeldet && m_tippend == 0))
            return;
        m_abgabe.wait_until(lock, bis, [this] { return ungeduldig(); });
    }
}

void Tipprunde::zusammenfuegen(const Abgabe &abgabe)
{
    const Strecke &stueck = abgabe.stueck;
    const quint64 m = m_ziel.size();
    // The record says no more letters than it can: the piece ends there.
    quint64 n = std::min(stueck.anzahl, Aufzeichnung::HoechstensZeichen - m_zeichen);
    const auto buchstabe = [&stueck](quint64 i) { return stueck.buchstabe(i); };
    // Windows over the edge with what came before end in the piece's first
    // m - 1 places: the automaton from the state at the edge finds them.
    std::vector<Stuecksuche::Fund> funde;
    const quint64 vorne = std::min(n, m - 1);
    uint32_t zustand = Kante::folgen(m_schritt, m_zustand, 0, vorne, Richtung::Vorwaerts, buchstabe, [&](quint64 i, uint32_t z) {
        funde.push_back({m_schritt.buchstaben(z), i});
        return false;
    });
    std::copy_if(abgabe.funde.begin(), abgabe.funde.end(), std::back_inserter(funde), [n](const auto &f) { return f.ende < n; });
    std::stable_sort(funde.begin(), funde.end(), [](const auto &a, const auto &b) { return a.ende < b.ende; });
    for (const Stuecksuche::Fund &fund : funde) {
        if (fund.buchstaben <= m_naehe.buchstaben)
            continue;
        m_naehe = {fund.buchstaben, qint64(m_zeichen + fund.ende + 1)};
        if (quint64(fund.buchstaben) == m) {
            m_gefunden = true;
            n = fund.ende + 1;
            break;
        }
    }
    // The state at the piece's end, for the next edge: the last m letters
    // decide it.
    if (!m_gefunden) {
        const quint64 ab = n - vorne > m ? n - m : vorne;
        m_zustand = Kante::folgen(m_schritt, ab == vorne ? zustand : m_schritt.zustand(0), ab, n, Richtung::Vorwaerts,
                                  buchstabe, [](quint64, uint32_t) { return false; });
    }
    m_aufzeichnung.beginne({m_zeichen, stueck.schluessel, stueck.zaehler, 0});
    m_zeichen += n;
    m_aufzeichnung.beende(m_zeichen);
}
