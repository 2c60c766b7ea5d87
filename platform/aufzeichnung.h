#pragma once

#include "logzeile.h"
#include "randomgenerator.h"

#include <QtGlobal>

#include <optional>

// A run's record: every letter of a run, said by the generator's state at
// each change of its key or of the typist instead of letter by letter. Its
// layout is written down in doc/record-format.md; the run writes it and the
// viewer reads it through this one definition.
namespace Aufzeichnung {

// The bytes "DOVEVAD" and SUB, which stops a terminal's cat.
inline constexpr char Magic[8] = {'D', 'O', 'V', 'E', 'V', 'A', 'D', '\x1a'};
inline constexpr quint16 Version = 1;
// Of the header and of every entry.
inline constexpr int Groesse = 32;
// The name beside the log's.
inline constexpr char Endung[] = ".dovrec";
// More letters than any run types in decades; an entry that claims more is
// damage, and the text of every letter fits a 64-bit offset.
inline constexpr quint64 HoechstensZeichen = quint64(1) << 60;

// Letter i (from 0) of the letters drawn with a key from a counter that
// stood before the first of them: what the run typed there.
inline char buchstabe(quint64 schluessel, quint64 zaehler, quint64 i)
{
    return char('A' + RandomGenerator::letter26(zaehler + (i + 1) * RandomGenerator::Increment, schluessel));
}

// Letters erstes to erstes + anzahl - 1 of the run (counted from 0), drawn
// with one key from the counter as it stood before the first of them.
struct Strecke
{
    quint64 erstes = 0;
    quint64 schluessel = 0;
    quint64 zaehler = 0;
    quint32 anzahl = 0;

    quint64 ende() const { return erstes + anzahl; }
    // The letter i of the stretch (from 0).
    char buchstabe(quint64 i) const { return Aufzeichnung::buchstabe(schluessel, zaehler, i); }
};

quint32 crc32(const char *data, qsizetype size);

// The header, Groesse bytes.
void kopfSchreiben(char *out);
// An entry, Groesse bytes.
void eintragSchreiben(const Strecke &strecke, char *out);
// The entry's stretch, or nothing where its checksum fails or it claims
// letters past HoechstensZeichen.
std::optional<Strecke> eintragLesen(const char *in);

} // namespace Aufzeichnung
