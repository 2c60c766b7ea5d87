#pragma once

#include "generator.h"
#include "tipprunde.h"

#include <chrono>
#include <optional>

class Ausgabe;
struct Verfolgung;

// The run whose letters go to its record alone, from its start or from
// where the log met the disk's reserve: the typists of a Tipprunde type and
// search on every core, and at every yield what they have put together is
// counted, on disk and shown, until the target is found, a stop, or the
// record has no more room.
class Generator::Kompaktlauf
{
public:
    // After the getippt letters that the log took.
    Kompaktlauf(Generator &lauf, Ausgabe &ausgabe, Verfolgung &verfolgung, qint64 vorher, quint64 getippt);

    Ende laufen();

private:
    static Tipprunde::Besetzung besetzung(const Generator &lauf);
    // The count and the closest match as far as the round has put them together.
    void zaehlen();
    // What the yield comes to, where the run ends there.
    std::optional<Ende> rast();

    Generator &m_lauf;
    Ausgabe &m_ausgabe;
    Verfolgung &m_verfolgung;
    const qint64 m_vorher;
    Tipprunde m_runde;
};
