#pragma once

#include "muster.h"
#include "stellensuche.h"
#include "strecke.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

// The search through one piece of a compact run: for the target, and on the
// way for how close the piece comes to it. It looks for one letter of the
// target more than the best so far: where that start of the target first
// ends, the next longer one can end no earlier, so the piece is searched
// once, for longer and longer starts, each with its own skips. What it
// finds are the first ends in the piece of every start longer than the
// best it began with; the whole target ends the piece.
class Stuecksuche
{
public:
    // The starts of a target, one letter to all of it, for a run's typists
    // to share. Each is made when a search first looks for it: a long
    // target's longer starts are never looked for, and all of them would
    // take the square of its length.
    class Anfaenge
    {
    public:
        explicit Anfaenge(std::string_view ziel);
        int laenge() const { return int(m_ziel.size()); }
        const Muster &mit(int buchstaben) const;

    private:
        const std::string m_ziel;
        const std::unique_ptr<std::unique_ptr<Muster>[]> m_muster;
        mutable std::atomic<int> m_gemacht = 0;
        mutable std::mutex m_mutex;
    };

    struct Fund
    {
        int buchstaben;
        quint64 ende; // the place of its last letter in the piece
    };

    // For a piece whose best is bisher letters so far.
    Stuecksuche(const Anfaenge &anfaenge, int bisher) : m_anfaenge(anfaenge), m_naechste(bisher + 1) {}

    // Windows that end at places von to bis - 1 of the piece, which has
    // its letters up to bis, each start looked for by
    // finden(muster, von, bis), which gives where the first window ends, or
    // KeinFund. Whether the whole target ends there.
    template <typename Finden>
    bool suchen(quint64 von, quint64 bis, Finden &&finden)
    {
        while (!gefunden()) {
            const quint64 ende = finden(m_anfaenge.mit(m_naechste), von, bis);
            if (ende == KeinFund)
                return false;
            m_funde.push_back({m_naechste++, ende});
            von = ende + 1; // where a longer start can end first
        }
        return true;
    }
    // The same on the processor, in the piece's own letters.
    bool suchen(const Strecke &stueck, quint64 von, quint64 bis);

    const std::vector<Fund> &funde() const { return m_funde; }
    // The start looked for next; the whole target is not found yet.
    const Muster &gesucht() const { return m_anfaenge.mit(m_naechste); }
    bool gefunden() const { return m_naechste > m_anfaenge.laenge(); }
    // Where the piece ends: after the whole target, else after its places.
    quint64 ende(quint64 stellen) const { return gefunden() ? m_funde.back().ende + 1 : stellen; }

private:
    const Anfaenge &m_anfaenge;
    int m_naechste; // letters of the start looked for
    std::vector<Fund> m_funde;
};
