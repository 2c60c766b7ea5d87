#pragma once

#include "randomgenerator.h"

#include <QtGlobal>

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

// Letters to find among letters that are computed, not read: what a search
// that looks at a window's leading letter first may skip (Horspool's rule).
// A letter that is nowhere else in the pattern moves the window on by the
// whole length, any other by its distance to the leading end, so that an
// eight-letter pattern needs about one letter in seven computed. Forwards
// the leading letter is a window's last, backwards its first.
class Muster
{
public:
    enum class Richtung { Vorwaerts, Rueckwaerts };
    static constexpr int Buchstaben = 26;

    // Letters 'A' to 'Z'; any other character is never matched. Not empty.
    explicit Muster(std::string_view buchstaben, Richtung richtung = Richtung::Vorwaerts);

    int laenge() const { return int(m_hinten.size()); }
    bool vorwaerts() const { return m_vorwaerts; }

    // The letter k places behind the leading one, 0 to 25, or 26 for a
    // character that no letter matches.
    uint8_t hinten(int k) const { return m_hinten[size_t(k)]; }
    // How far the window moves on where the leading letter is x, in places
    // and in the generator's counter.
    uint32_t stellen(unsigned x) const { return m_stellen[x]; }
    quint64 zaehlerSchritt(unsigned x) const { return m_zaehlerSchritt[x]; }
    // The places a window moves on, on average over random letters.
    double mittlererSprung() const;
    // The counter one place behind, against the search's direction.
    quint64 zurueck() const { return m_zurueck; }

private:
    bool m_vorwaerts;
    std::vector<uint8_t> m_hinten;
    std::array<uint32_t, Buchstaben> m_stellen{};
    std::array<quint64, Buchstaben> m_zaehlerSchritt{};
    quint64 m_zurueck;
};
