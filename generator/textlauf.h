#pragma once

#include "ausgabe.h"
#include "generator.h"
#include "runview.h"
#include "tipper.h"
#include "verfolgung.h"
#include "vortipper.h"

#include <cstring>
#include <memory>
#include <optional>
#include <type_traits>

// The run with a log: every letter a line of the log, the target followed
// through them one by one, until it is found, a stop, or the disk's
// reserve, from which the letters go on in the record alone.
//
// The program's own generator types a batch of letters (Tipper::Schub)
// between two looks at the clock, as a compact run's typists do: a new
// reading reaches the key at most a batch after it appears, and within one
// reading the counter moves on at every letter, so no state comes twice. A
// test's letters from elsewhere come one at a time, each from a reseed of
// its own. With the real clock a second typist joins once the run has
// filled a buffer, and every fresh buffer first takes a block of its
// letters where one is ready; the run never waits for it.
template <typename Source>
class Generator::Textlauf
{
public:
    Textlauf(Generator &lauf, Source &random, Ausgabe &ausgabe, Verfolgung &verfolgung, qint64 vorher)
        : m_lauf(lauf), m_random(random), m_ausgabe(ausgabe), m_log(ausgabe.log()), m_verfolgung(verfolgung),
          m_ziel(verfolgung), m_vorher(vorher), m_letzteRast(random.timer())
    {
    }

    // Until the letters into the log end; the target as far as it is
    // followed goes back into verfolgung.
    Ende laufen()
    {
        if (const std::optional<Ende> ende = platz())
            return *ende;
        m_raum = m_log.take();
        for (;;) {
            if (m_ziel.gefunden()) {
                sichern(); // the whole run is on disk while the box is up
                return ende(Ende::Gefunden);
            }
            if (Q_UNLIKELY(m_raum.end - m_raum.next < Logzeile::Laenge)) {
                neuerPuffer();
                continue; // a block taken may hold the target's end
            }
            tippen();
            if (Q_UNLIKELY(m_random.timer() - m_letzteRast >= m_lauf.m_yieldInterval)) {
                if (const std::optional<Ende> ende = rast())
                    return *ende;
            }
        }
    }

private:
    static constexpr bool Eigener = std::is_same_v<Source, TimerRandom::Draws>;
    // No clock reads this: at first and after anything but the run's own
    // letters, the next letter starts a stretch of the record of its own.
    static constexpr quint64 KeineLesung = ~quint64(0);

    // Letters of this run, written or not: each is a line of three bytes,
    // so the log counts them, and the letter's road has no counter of its own.
    quint64 imLauf() const { return quint64(m_log.size() / Logzeile::Laenge); }

    Ende ende(Ende wie)
    {
        m_verfolgung = m_ziel;
        return wie;
    }

    // Everything up to here given back to the log, counted and on disk;
    // the count is brought up to date wherever anybody can look.
    void sichern()
    {
        m_log.giveBack(m_raum.next);
        m_ausgabe.sichern(imLauf());
        m_streckenLesung = KeineLesung;
        m_lauf.Anzahl += m_vorher + qint64(imLauf()) - m_lauf.Anzahl.whole();
        m_lauf.m_naehe = m_ziel.naehe;
    }

    // Where the disk's reserve is near, how the letters into the log end.
    std::optional<Ende> platz()
    {
        switch (m_ausgabe.platz(imLauf())) {
        case Ausgabe::Platz::Genug:
            return std::nullopt;
        case Ausgabe::Platz::Voll:
            m_lauf.m_zeichenImLog = m_ausgabe.imLog();
            return ende(Ende::Voll);
        case Ausgabe::Platz::NurAufzeichnung:
            m_lauf.m_zeichenImLog = m_ausgabe.imLog();
            m_lauf.m_view.recordOnly(m_ausgabe.imLog(), m_lauf.m_recordPath);
            return ende(Ende::NurAufzeichnung);
        }
        return std::nullopt;
    }

    // Handlers and paints only ever run in here, so doing this every few
    // milliseconds instead of every letter looks the same to all of them;
    // and only in here can laufend be cleared.
    std::optional<Ende> rast()
    {
        m_letzteRast = m_random.timer();
        sichern();
        if (const std::optional<Ende> ende = platz()) {
            m_lauf.showCount();
            return ende;
        }
        bool weiter = true;
        mitGanzemGenerator([&] { weiter = m_lauf.zwischenstand(m_letzteRast); });
        if (!weiter)
            return ende(Ende::Angehalten);
        m_raum = m_log.take();
        return std::nullopt;
    }

    // Calls out with the program's generator up to date, as handlers that
    // run there may draw from it; the run's own is a copy, never its
    // address, which would keep it out of registers for the whole run.
    template <typename Call>
    void mitGanzemGenerator(Call &&call)
    {
        if constexpr (Eigener) {
            m_lauf.m_timerRandom->draws() = m_random;
            call();
            m_random = m_lauf.m_timerRandom->draws();
        } else {
            call();
        }
    }

    void neuerPuffer()
    {
        m_raum = m_log.passOn(m_raum.next);
        if constexpr (Eigener) {
            if (const Vortipper::Block *block = m_zweiter ? m_zweiter->ready() : nullptr)
                vomZweiten(*block);
            else if (!m_zweiter && m_random.readsTheClock())
                m_zweiter = std::make_unique<Vortipper>(TimerRandom::Draws(nullptr, TimerRandom::freshKey()), m_ziel.schritt);
        }
    }

    // The second typist's block, as far as the run takes it.
    void vomZweiten(const Vortipper::Block &block)
    {
        static_assert(3 * Vortipper::BlockLetters <= OutputFile::BufferSize);
        m_log.giveBack(m_raum.next);
        const quint64 start = imLauf();
        const int genommen = m_ziel.uebernehmen(block, m_vorher + qint64(start));
        // A log that goes nowhere needs no bytes, only their count.
        if (!m_log.discards())
            std::memcpy(m_raum.next, block.letters, size_t(Logzeile::Laenge * genommen));
        m_raum.next += Logzeile::Laenge * genommen;
        for (const Strecke &strecke : block.strecken) {
            if (strecke.erstes >= quint64(genommen))
                break;
            m_ausgabe.aufzeichnung().beginne({start + strecke.erstes, strecke.schluessel, strecke.zaehler, 0});
        }
        m_streckenLesung = KeineLesung;
        m_zweiter->taken();
    }

    void tippen()
    {
        if constexpr (Eigener)
            schub();
        else
            einzeln();
    }

    // A test's letter, from a reseed of its own.
    void einzeln()
    {
        const QChar Zeichen = Zufallszeichen(m_random).stringView().front();
        Logzeile::schreiben(m_raum.next, char(Ansi::code(Zeichen)));
        m_raum.next += Logzeile::Laenge;
        if (Q_UNLIKELY(m_ziel.folgen(Zeichen.unicode())))
            erhoeht(m_raum.next);
    }

    // A look at the clock, then up to a batch of letters, as far as the
    // buffer has room; a new reading starts a stretch of the record.
    void schub()
    {
        m_random.randomize();
        if (Q_UNLIKELY(m_random.timer() != m_streckenLesung)) {
            m_streckenLesung = m_random.timer();
            m_log.giveBack(m_raum.next);
            const RandomGenerator &g = m_random.generator();
            m_ausgabe.aufzeichnung().beginne({imLauf(), g.key(), g.counter(), 0});
        }
        // Kept in registers for the batch: nothing the loop stores can be
        // taken to touch them.
        RandomGenerator g = m_random.generator();
        Verfolgung ziel = m_ziel;
        char *next = m_raum.next;
        char *const ende = next + Logzeile::Laenge
            * std::min<qint64>(Tipper::Schub, (m_raum.end - next) / Logzeile::Laenge);
        while (next != ende) {
            const char letter = char('A' + g.nextLetter26());
            Logzeile::schreiben(next, letter);
            next += Logzeile::Laenge;
            if (Q_UNLIKELY(ziel.folgen(char16_t(letter)))) {
                m_ziel = ziel;
                erhoeht(next);
                ziel = m_ziel;
                if (ziel.gefunden())
                    break; // told before another letter comes
            }
        }
        m_raum.next = next;
        m_ziel = ziel;
        m_random.generator() = g;
    }

    // The closest match rose with the letter before next: where it ends.
    void erhoeht(char *next)
    {
        m_log.giveBack(next);
        m_ziel.naehe.nachZeichen = m_vorher + qint64(imLauf());
    }

    Generator &m_lauf;
    Source &m_random;
    Ausgabe &m_ausgabe;
    OutputFile &m_log;
    Verfolgung &m_verfolgung;
    Verfolgung m_ziel; // a copy, kept near
    const qint64 m_vorher;
    quint64 m_letzteRast;
    OutputFile::Room m_raum{};
    // The clock reading whose key the record's open stretch has.
    quint64 m_streckenLesung = KeineLesung;
    std::unique_ptr<Vortipper> m_zweiter;
};
