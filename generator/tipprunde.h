#pragma once

#include "abgleich.h"
#include "arbeiter.h"
#include "naehe.h"
#include "strecke.h"
#include "stuecksuche.h"
#include "timerrandom.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <optional>

#include <QString>
#include <string>
#include <string_view>
#include <vector>

class Aufzeichner;
class Karte;
class Kartenfinder;
class Tipper;

// The typists of a run whose letters go to its record alone: one on every
// core, and one on the graphics card where there is one. Each types pieces
// and searches them for the target as it goes, computing only the letters
// the search looks at. Their pieces take their turns in the record in a
// fixed round, so that a test's clock gives the same letters every time; a
// match that reaches over the edge of two pieces, whoever typed them, is
// found where they are put together. The count, the closest match and the
// place where the target is found are what a reading of the record from
// its start gives. A card that fails leaves the round after the places it
// has searched, and the cores go on alone.
class Tipprunde
{
public:
    // Where the run stands when the round takes over: its letters so far,
    // the matching automaton's state after them, and its closest match.
    struct Anfang
    {
        quint64 zeichen = 0;
        uint32_t zustand = 0;
        Naehe naehe;
    };

    // Who types: so many typists on the cores and the card's beside them,
    // each with the clock (the real one without) and a fresh key, or one
    // that follows from schluessel where that is not 0.
    struct Besetzung
    {
        int kerne = 1;
        std::shared_ptr<Karte> karte;
        double kartenSchritte = 0; // windows a second that the card's search moves
        TimerRandom::Clock clock = nullptr;
        quint64 schluessel = 0;
    };

    // Pieces go into the record as they are put together; the record is
    // written by whoever runs the round, at its yields.
    Tipprunde(const Abgleich &abgleich, std::string ziel, const Anfang &anfang, Aufzeichner &aufzeichnung,
              const Besetzung &besetzung);
    // Stops the typists, within a batch of places.
    ~Tipprunde();
    Tipprunde(const Tipprunde &) = delete;
    Tipprunde &operator=(const Tipprunde &) = delete;

    // Puts together what the typists hand in until the time has come, the
    // target is found or the record is full; what comes after a stop is
    // not put together.
    void warten(std::chrono::steady_clock::time_point bis);
    // Stops the typists; what they have not handed in is dropped.
    void anhalten();

    // Of what is put together.
    quint64 zeichen() const { return m_zeichen; }
    const Naehe &naehe() const { return m_naehe; }
    bool gefunden() const { return m_gefunden; }
    // The record holds as many letters as it can say.
    bool voll() const;
    // Why the card left the round; empty while it types or where there is none.
    const QString &kartenAusfall() const { return m_kartenAusfall; }

    // Typists on the cores: as many as the machine has, but so few that the
    // record grows by no more than some 1,000 entries a second at the
    // clock's tick, the entries of a card whose search moves so many
    // windows a second for the target counted first; one at least, which
    // goes on where the card fails.
    static int kerne(const Karte *karte = nullptr, double kartenSchritte = 0, std::string_view ziel = {});
    // How fast the record of such a run grows, whatever the letters' pace:
    // an entry for each typist at each tick of the clock, and the card's
    // an entry for every 2^32 letters it types where it types more.
    static double eintraegeJeSekunde(const Karte *karte = nullptr, double kartenSchritte = 0, std::string_view ziel = {});
    // The places a second that a typist's search passes for the target on
    // one core, a batch at a time, measured for the time given.
    static double stellenProSekunde(std::string_view ziel, std::chrono::nanoseconds dauer);
    // The same of a whole round, its typists together, its pieces going
    // nowhere: a card that shares the cores with their own typists adds
    // less than its pace alone. Kartenfehler where the card fails.
    static double stellenProSekunde(std::string_view ziel, const Besetzung &besetzung, std::chrono::nanoseconds dauer);

private:
    // A piece handed in, and what its search found.
    struct Abgabe
    {
        Strecke stueck;
        std::vector<Stuecksuche::Fund> funde;
    };

    void tippen(int wer, quint64 key);
    void kartenTippen(quint64 key);
    // Waits until the typist may type its turn; false where it is to end.
    bool zugAbwarten(quint64 zug);
    // A piece, a batch at a time, until the clock moves on, the run ends
    // or the target is found, which ends the piece after its last letter.
    Abgabe stueckTippen(Tipper &tipper);
    // The same on the card, a dispatch at a time; where the card fails, the
    // piece ends after the places it has searched, and fehler says why.
    Abgabe kartenStueck(Tipper &tipper, Kartenfinder &finder, QString &fehler);
    void abgeben(quint64 zug, Abgabe abgabe);
    // The card leaves the round, its turns so far handed in.
    void ausscheiden(const QString &warum);
    void aufhoeren();
    // Whether turn zug is the card's, which left before it; with the lock held.
    bool uebersprungen(quint64 zug) const;
    void zusammenfuegen(const Abgabe &abgabe);
    bool ungeduldig() const; // with the lock held

    const Abgleich::Schritt m_schritt;
    const std::string m_ziel;
    const Stuecksuche::Anfaenge m_anfaenge;
    Aufzeichner &m_aufzeichnung;
    const TimerRandom::Clock m_clock;
    // Kept while its typist may still use it, whoever lets go of it.
    const std::shared_ptr<Karte> m_karte;
    const double m_kartenSchritte;

    // Put together, by the caller's thread only.
    quint64 m_zeichen;
    uint32_t m_zustand;
    Naehe m_naehe;
    bool m_gefunden = false;
    QString m_kartenAusfall;

    std::mutex m_mutex;
    std::condition_variable m_platz;  // a typist may begin a piece
    std::condition_variable m_abgabe; // something for the caller
    quint64 m_zusammengefuegt = 0;    // pieces put together, the turns before this
    int m_wartend = 0;                // typists waiting for room
    std::map<quint64, Abgabe> m_abgegeben;
    int m_kerne = 1;
    int m_teilnehmer = 1; // the cores' typists and the card's
    int m_tippend = 0; // typists still at work
    // Once the card has left: its last turn, and why.
    bool m_karteAus = false;
    QString m_kartenFehler;
    quint64 m_vorsprung = 0; // pieces begun and not yet put together, at most
    std::atomic<bool> m_ende = false;
    std::atomic<bool> m_fundGemeldet = false; // a typist has found the target
    quint64 m_fundZug = ~quint64(0);           // in this turn; those before are typed still
    std::atomic<int> m_bisher;                // the closest match's letters, for new pieces
    std::vector<quint64> m_schluessel;        // each typist's first key
    std::optional<Arbeiter> m_tipper;         // last, so that they end first
};
