#pragma once

#include "randomgenerator.h"

#include <QtGlobal>

// Letters of a run drawn with one key from one counter on: an entry of a
// run's record, a typist's piece. Every letter follows from the key, the
// counter and its place alone, which is what lets a record say a stretch of
// any length in 32 bytes and a search compute only the letters it looks at.
struct Strecke
{
    quint64 erstes = 0; // the run's letter (from 0) at which it begins
    quint64 schluessel = 0;
    quint64 zaehler = 0; // before its first letter
    quint64 anzahl = 0;

    quint64 ende() const { return erstes + anzahl; }
    // The counter of the draw of letter i (from 0): the generator moves it
    // on before each draw.
    quint64 zaehlerBei(quint64 i) const { return RandomGenerator::weiter(zaehler, i + 1); }
    // What the search carries for letter i: the sum the draw depends on.
    quint64 summeBei(quint64 i) const { return RandomGenerator::summe(zaehlerBei(i), schluessel); }
    // Letter i, 0 for A to 25 for Z, and as the run typed it.
    unsigned buchstabe26(quint64 i) const { return RandomGenerator::letter26(summeBei(i)); }
    char buchstabe(quint64 i) const { return char('A' + buchstabe26(i)); }
    // The same letters from letter i on.
    Strecke ab(quint64 i) const { return {erstes + i, schluessel, RandomGenerator::weiter(zaehler, i), anzahl - i}; }
};
