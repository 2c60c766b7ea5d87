#pragma once

#include "karte.h"
#include "muster.h"
#include "strecke.h"

#include <QtGlobal>

#include <array>
#include <chrono>

// Stellensuche::finden forwards, on a graphics card: a dispatch searches a
// range of leading places, each of its lanes stellenJeAufruf() of them, so
// that no lane's loop runs long (lavapipe ends long loops silently). Two
// dispatches may be in flight, so that the card never waits for the
// processor. One search on a card at a time.
class Kartensuche
{
public:
    // What Stellensuche::finden(strecke, *muster, von, bis) searches, for a
    // stretch whose letters reach to bis at least: the windows of a
    // forwards pattern among its letters whose leading (last) letter lies
    // in [von, bis); bis - von below 2^32.
    struct Auftrag
    {
        Strecke strecke;
        quint64 von;
        quint64 bis;
        const Muster *muster;
    };
    // The leading place of the first window that holds the pattern, counted
    // as von is, or KeinFund; and the places of [von, bis) gone through:
    // all of them (bis - von, or 0) unless lanes were stopped short.
    struct Ergebnis
    {
        quint64 fund;
        quint64 abgedeckt;
    };

    // How long a dispatch should take at most: a display driver's watchdog
    // resets a card whose work runs for seconds, and a stop waits for it.
    static constexpr std::chrono::milliseconds Auftragsdauer{2};
    // The most places a dispatch holds.
    static constexpr quint64 HoechstensStellen = 0xffff'ffff;

    explicit Kartensuche(Karte &karte);
    // Waits for the dispatches in flight.
    ~Kartensuche();
    Kartensuche(const Kartensuche &) = delete;
    Kartensuche &operator=(const Kartensuche &) = delete;

    // Records and submits a dispatch and returns at once; the pattern is
    // read here. At most two given and not taken.
    void geben(const Auftrag &auftrag);
    // Waits for the oldest dispatch given. Both throw Kartenfehler where the
    // card fails, and at every call after.
    Ergebnis nehmen();

    static quint64 stellenJeAufruf();
    // The places of a dispatch that lasts dauer at the pace given: a
    // workgroup's at least, HoechstensStellen at most.
    static quint64 stellenFuer(double stellenProSekunde, std::chrono::nanoseconds dauer);
    // The places a second that the card searches for the pattern, measured
    // for the time given, dispatches of Auftragsdauer back to back.
    double stellenProSekunde(const Muster &muster, std::chrono::nanoseconds dauer);

    // For tests: every lane goes through at most so many of its places, as
    // one that a driver stops short does.
    void bahnenKuerzen(quint32 stellen) { m_hoechstens = stellen; }

private:
    // Of a dispatch in flight: its first leading place, and the places
    // before it that no window fits in.
    struct Offen
    {
        quint64 von;
        quint64 vorweg;
    };

    int aeltester() const;

    Karte &m_karte;
    std::array<Offen, Karte::Plaetze> m_offen{};
    int m_naechster = 0;
    int m_unterwegs = 0;
    quint32 m_hoechstens;
};
