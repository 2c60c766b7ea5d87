#pragma once

#include <QString>
#include <QtGlobal>

// A number of letters of any size: exact while it fits in 64 bits, then in
// 128 bits, beyond those a floating value kept as its decimal logarithm, so
// that even a target of a million letters has an expectation to show.
class Grosszahl
{
public:
    enum class Art { Bits64, Bits128, Gleitend };
    // How a shortened number is rounded: to nearest, or up where the text
    // claims that something holds by then, or down for a chance claimed.
    enum class Rundung { Naechst, Auf, Ab };

    Grosszahl() = default;
    explicit Grosszahl(unsigned __int128 exact) : m_exact(exact) {}
    // The value whose decimal logarithm is given: exact where it is a whole
    // number below 2^64, else floating.
    static Grosszahl fromLog10(long double log10);
    // The smallest whole number not below the value.
    static Grosszahl ceilOf(long double value);

    Art art() const;
    // Only for the two exact kinds.
    unsigned __int128 exact() const { return m_exact; }
    // Minus infinity for zero.
    long double log10() const;

    // As a reader of the chosen language takes it in, here German: exact below a million ("17.576"),
    // then three significant digits ("11,9 Mio.", "1,2 Mrd.", "3,4 Bio."),
    // from 10^15 on, and for fractions below 10^-3, a power of ten
    // ("≈ 9,5 · 10^16"). What would read 1.000 Bio. reads as a power.
    QString text(Rundung rundung = Rundung::Naechst) const;
    // The value to three significant digits, rounded as asked.
    static long double dreiStellen(long double value, Rundung rundung);

private:
    unsigned __int128 m_exact = 0;
    bool m_floating = false;
    long double m_log10 = 0;
};
