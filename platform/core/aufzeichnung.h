#pragma once

#include "strecke.h"

#include <QtGlobal>

#include <optional>

// A run's record: every letter of a run, said by the generator's state at
// each change of its key or of the typist instead of letter by letter. Its
// layout is written down in doc/record-format.md; the run writes it and the
// viewer reads it through this one definition of its bytes.
namespace Aufzeichnung {

// The bytes "DOVEVAD" and SUB, which stops a terminal's cat.
inline constexpr char Magic[8] = {'D', 'O', 'V', 'E', 'V', 'A', 'D', '\x1a'};
inline constexpr quint16 Version = 1;
// Of the header and of every entry.
inline constexpr int Groesse = 32;
// The name beside the log's.
inline constexpr char Endung[] = ".dovrec";
// More letters than any run types in decades; an entry that claims more is
// damage, and the text of every letter fits a 64-bit offset. A run ends
// before its record would say more.
inline constexpr quint64 HoechstensZeichen = quint64(1) << 60;
// The letters one entry holds at most; a longer stretch takes several.
inline constexpr quint64 HoechstensJeEintrag = 0xffffffffu;

quint32 crc32(const char *data, qsizetype size);

// Whether the first size bytes of a file begin as a record does: as far as
// they go, its magic.
bool beginntSo(const char *anfang, qsizetype size);

// The header, Groesse bytes.
void kopfSchreiben(char *out);
// What a header says of the record behind it, checked in this order: its
// checksum, then its version (a newer one may mean the letters otherwise;
// 0 is none), then its size.
enum class Kopf { Gut, Beschaedigt, Neuer };
Kopf kopfPruefen(const char *kopf);
// The version a header whose checksum holds names.
quint16 version(const char *kopf);

// An entry, Groesse bytes, of a stretch of at most HoechstensJeEintrag letters.
void eintragSchreiben(const Strecke &strecke, char *out);
// The entry's stretch, or nothing where its checksum fails, it holds no
// letter or it claims letters past HoechstensZeichen.
std::optional<Strecke> eintragLesen(const char *in);

} // namespace Aufzeichnung
