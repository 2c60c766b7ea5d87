#pragma once

#include "abgleich.h"
#include "naehe.h"
#include "vortipper.h"

// The target followed through a run's letters as they come, one by one or
// a second typist's block at a time: the matching automaton's state, and
// the closest match so far. A value, which the run's loop keeps in registers.
struct Verfolgung
{
    Abgleich::Schritt schritt;
    uint32_t ziel;      // the state of the whole target
    uint32_t zustand;   // after the letters so far
    uint32_t naechster; // the highest state so far
    Naehe naehe;

    static Verfolgung von(const Abgleich &abgleich)
    {
        const Abgleich::Schritt schritt = abgleich.schritt();
        return {schritt, schritt.zustand(abgleich.laenge()), schritt.zustand(0), schritt.zustand(0), {}};
    }
    bool gefunden() const { return zustand == ziel; }

    // The next letter: whether the closest match rose with it, whose place
    // the caller then says, which it may need a moment to know.
    Q_ALWAYS_INLINE bool folgen(char16_t letter)
    {
        zustand = schritt(zustand, letter);
        if (Q_LIKELY(zustand <= naechster))
            return false;
        naechster = zustand;
        naehe.buchstaben = schritt.buchstaben(zustand);
        return true;
    }
    // A block of the second typist, whose first letter comes after vorher
    // letters: how many of its letters the run takes, up to the target.
    int uebernehmen(const Vortipper::Block &block, qint64 vorher)
    {
        const Vortipper::Uebernahme u = Vortipper::folgen(block, schritt, zustand, ziel, naechster);
        zustand = u.zustand;
        if (u.hoechsterBei >= 0) {
            naechster = u.hoechster;
            naehe = {schritt.buchstaben(naechster), vorher + u.hoechsterBei + 1};
        }
        return u.genommen;
    }
};
