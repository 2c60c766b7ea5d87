#pragma once

#include "muster.h"
#include "tipper.h"

#include <string_view>
#include <vector>

// The search through one piece of a compact run: for the target, and on the
// way for how close the piece comes to it. It looks for one letter of the
// target more than the best so far: where that start of the target first
// ends, the next longer one can end no earlier, so the piece is searched
// once, for longer and longer starts, each with its own skips. What it
// finds are the first ends in the piece of every start longer than the
// best it began with; the whole target ends the piece.
class Annaeherung
{
public:
    // The starts of a target, one letter to all of it: made once a run.
    class Anfaenge
    {
    public:
        explicit Anfaenge(std::string_view ziel);
        int laenge() const { return int(m_muster.size()); }
        const Muster &mit(int buchstaben) const { return m_muster[size_t(buchstaben - 1)]; }

    private:
        std::vector<Muster> m_muster;
    };

    struct Fund
    {
        int buchstaben;
        quint64 ende; // the place of its last letter in the piece
    };

    // For a piece whose best is bisher letters so far.
    Annaeherung(const Anfaenge &anfaenge, int bisher) : m_anfaenge(anfaenge), m_naechste(bisher + 1) {}

    // Windows that end at places von to bis - 1 of the piece, which has
    // its letters up to bis. Whether the whole target ends there.
    bool suchen(const Tipper::Stueck &stueck, quint64 von, quint64 bis);
    const std::vector<Fund> &funde() const { return m_funde; }
    bool gefunden() const { return m_naechste > m_anfaenge.laenge(); }

private:
    const Anfaenge &m_anfaenge;
    int m_naechste; // letters of the start looked for
    std::vector<Fund> m_funde;
};
