#include "suchlauf.h"

#include "aufzeichner.h"
#include "stellensuche.h"

#include <algorithm>
#include <ctime>

namespace {

// Pieces a typist may be ahead of those put together: a few ticks of the
// clock, so that a box over the window halts the run within a few
// milliseconds, as the run's own yields do.
constexpr quint64 VorsprungJeTipper = 8;
constexpr int EintraegeJeSekunde = 1000;

} // namespace

Suchlauf::Suchlauf(const Abgleich &abgleich, std::string ziel, const Anfang &anfang, Aufzeichner &aufzeichnung,
                   TimerRandom::Clock clock, int kerne, quint64 schluessel)
    : m_schritt(abgleich.schritt())
    , m_ziel(std::move(ziel))
    , m_anfaenge(m_ziel)
    , m_aufzeichnung(aufzeichnung)
    , m_clock(clock)
    , m_zeichen(anfang.zeichen)
    , m_zustand(anfang.zustand)
    , m_naehe(anfang.naehe)
    , m_bisher(anfang.naehe.buchstaben)
{
    m_gefunden = m_naehe.buchstaben >= int(m_ziel.size());
    if (m_gefunden)
        return;
    m_kerne = m_tippend = std::max(kerne, 1);
    m_vorsprung = VorsprungJeTipper * quint64(m_kerne);
    for (int i = 0; i < m_kerne; ++i)
        m_tipper.emplace_back(&Suchlauf::tippen, this, i,
                              schluessel ? schluessel + quint64(i) * 0x9e3779b97f4a7c15ULL : TimerRandom::freshKey());
}

Suchlauf::~Suchlauf()
{
    anhalten();
}

namespace {

double tickeJeSekunde()
{
    timespec aufloesung{};
    clock_getres(CLOCK_MONOTONIC_COARSE, &aufloesung);
    return 1e9 / std::max(1.0, double(aufloesung.tv_sec) * 1e9 + double(aufloesung.tv_nsec));
}

} // namespace

int Suchlauf::kerne()
{
    const int hoechstens = std::max(1, int(EintraegeJeSekunde / tickeJeSekunde()));
    return std::clamp(int(std::thread::hardware_concurrency()), 1, hoechstens);
}

double Suchlauf::eintraegeJeSekunde()
{
    return kerne() * tickeJeSekunde();
}

double Suchlauf::stellenProSekunde(std::string_view ziel, std::chrono::nanoseconds dauer)
{
    const Muster muster(ziel);
    const quint64 key = TimerRandom::freshKey();
    quint64 stellen = 0, funde = 0;
    const auto anfang = std::chrono::steady_clock::now();
    std::chrono::nanoseconds vergangen{};
    // Stretches of a clock tick's places, as a typist's pieces.
    for (; vergangen < dauer; vergangen = std::chrono::steady_clock::now() - anfang) {
        for (quint64 von = 0; von < 1'000'000; von += Tipper::Schub)
            funde += Stellensuche::finden(key, stellen * RandomGenerator::Increment, von + Tipper::Schub, muster, von,
                                          von + Tipper::Schub) != Stellensuche::Keine;
        stellen += 1'000'000;
    }
    // A find count that no search reaches keeps the compiler from dropping it.
    return double(stellen + (funde == ~quint64(0))) * 1e9 / double(vergangen.count());
}

void Suchlauf::anhalten()
{
    {
        std::lock_guard lock(m_mutex);
        m_ende = true;
    }
    m_platz.notify_all();
    for (std::thread &tipper : m_tipper)
        tipper.join();
    m_tipper.clear();
}

bool Suchlauf::ungeduldig() const
{
    return (m_fundGemeldet && m_tippend == 0) || (m_wartend > 0 && m_abgegeben.count(m_zusammengefuegt));
}

void Suchlauf::tippen(int wer, quint64 key)
{
    Tipper tipper(m_clock, key);
    const quint64 runde = quint64(m_kerne);
    for (quint64 zug = quint64(wer);; zug += runde) {
        {
            std::unique_lock lock(m_mutex);
            // The turns before a find are typed still, however short, so
            // that the record has no gap before it.
            const auto darf = [&] { return m_ende || zug > m_fundZug || zug - m_zusammengefuegt < m_vorsprung; };
            if (!darf()) {
                ++m_wartend;
                if (ungeduldig())
                    m_abgabe.notify_one();
                m_platz.wait(lock, darf);
                --m_wartend;
            }
            if (m_ende || zug > m_fundZug)
                break;
        }
        // A batch at a time, until the clock moves on, the run ends or the
        // target is found, which ends the piece after its last letter.
        Abgabe abgabe{tipper.anfangen(), {}};
        Annaeherung suche(m_anfaenge, m_bisher.load(std::memory_order_relaxed));
        quint64 getippt = 0;
        bool weiter = true;
        while (weiter) {
            const quint64 von = getippt;
            getippt += Tipper::Schub;
            weiter = !suche.suchen(abgabe.stueck, von, getippt) && !tipper.neueLesung()
                && !m_ende.load(std::memory_order_relaxed) && !m_fundGemeldet.load(std::memory_order_relaxed);
        }
        tipper.beenden(getippt);
        abgabe.stueck.anzahl = suche.gefunden() ? suche.funde().back().ende + 1 : getippt;
        abgabe.funde = suche.funde();
        bool rufen;
        {
            std::lock_guard lock(m_mutex);
            m_abgegeben.emplace(zug, std::move(abgabe));
            if (suche.gefunden()) {
                m_fundZug = std::min(m_fundZug, zug);
                m_fundGemeldet = true;
            }
            rufen = ungeduldig();
        }
        if (suche.gefunden())
            m_platz.notify_all();
        if (rufen)
            m_abgabe.notify_one();
    }
    std::lock_guard lock(m_mutex);
    --m_tippend;
    if (ungeduldig())
        m_abgabe.notify_one();
}

void Suchlauf::warten(std::chrono::steady_clock::time_point bis)
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        for (auto next = m_abgegeben.find(m_zusammengefuegt); !m_gefunden && next != m_abgegeben.end();
             next = m_abgegeben.find(m_zusammengefuegt)) {
            zusammenfuegen(next->second);
            m_abgegeben.erase(next);
            ++m_zusammengefuegt;
        }
        m_bisher.store(m_naehe.buchstaben, std::memory_order_relaxed);
        if (m_gefunden) {
            m_ende = true; // what comes after the target is no part of the run
            m_platz.notify_all();
            return;
        }
        m_platz.notify_all();
        if (std::chrono::steady_clock::now() >= bis || (m_fundGemeldet && m_tippend == 0))
            return;
        m_abgabe.wait_until(lock, bis, [this] { return ungeduldig(); });
    }
}

void Suchlauf::zusammenfuegen(const Abgabe &abgabe)
{
    const Tipper::Stueck &stueck = abgabe.stueck;
    const quint64 m = m_ziel.size();
    quint64 n = stueck.anzahl;
    const auto schritt = [&](uint32_t zustand, quint64 i) { return m_schritt(zustand, char16_t(stueck.buchstabe(i))); };
    // Windows over the edge with what came before end in the piece's first
    // m - 1 places: the automaton from the state at the edge finds them.
    std::vector<Annaeherung::Fund> funde;
    uint32_t zustand = m_zustand;
    const quint64 vorne = std::min(n, m - 1);
    for (quint64 i = 0; i < vorne; ++i) {
        zustand = schritt(zustand, i);
        funde.push_back({m_schritt.buchstaben(zustand), i});
    }
    funde.insert(funde.end(), abgabe.funde.begin(), abgabe.funde.end());
    std::stable_sort(funde.begin(), funde.end(), [](const auto &a, const auto &b) { return a.ende < b.ende; });
    for (const Annaeherung::Fund &fund : funde) {
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
        quint64 i = vorne;
        if (n - vorne > m) {
            zustand = m_schritt.zustand(0);
            i = n - m;
        }
        for (; i < n; ++i)
            zustand = schritt(zustand, i);
        m_zustand = zustand;
    }
    m_aufzeichnung.beginne(m_zeichen, stueck.schluessel, stueck.zaehler);
    m_zeichen += n;
    m_aufzeichnung.beende(m_zeichen);
}
