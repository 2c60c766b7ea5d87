#pragma once

#include "richtung.h"

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
    static constexpr int Buchstaben = 26;

    // Letters 'A' to 'Z'; any other character is never matched. Not empty.
    explicit Muster(std::string_view buchstaben, Richtung richtung = Richtung::Vorwaerts);

    int laenge() const { return int(m_buchstaben.size()); }
    bool vorwaerts() const { return m_vorwaerts; }

    // The pattern's letters in the order the search compares them: k places
    // behind the window's leading one, against the search's direction; 0 to
    // 25, or 26 for a character that no letter matches.
    uint8_t buchstabe(int k) const { return m_buchstaben[size_t(k)]; }
    // How far the window moves on where its leading letter is x, in places
    // and in the generator's counter.
    uint32_t sprung(unsigned x) const { return m_sprung[x]; }
    quint64 zaehlerSprung(unsigned x) const { return m_zaehlerSprung[x]; }
    // The places a window moves on, on average over random letters.
    double mittlererSprung() const;
    // The counter one place back, against the search's direction.
    quint64 zaehlerZurueck() const { return m_zaehlerZurueck; }

private:
    bool m_vorwaerts;
    std::vector<uint8_t> m_buchstaben;
    std::array<uint32_t, Buchstaben> m_sprung{};
    std::array<quint64, Buchstaben> m_zaehlerSprung{};
    quint64 m_zaehlerZurueck;
};
