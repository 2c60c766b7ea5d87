#pragma once

#include <QString>
#include <QtGlobal>

// A count with four decimal places, as the letter counter has always been
// kept, in 128 bits: a run's letters are bounded by what its record can
// say (2^60), far below its end, and not by the 64-bit currency's some
// 9.2·10^14, which a compact run on a graphics card passes within minutes.
class Currency
{
public:
    static constexpr qint64 Scale = 10000;

    constexpr Currency() = default;
    static constexpr Currency fromWhole(qint64 whole) { return Currency(__int128(whole) * Scale); }

    constexpr qint64 whole() const { return qint64(m_scaled / Scale); }

    // No count of letters comes near the end of 128 bits.
    Currency &operator+=(qint64 whole)
    {
        m_scaled += __int128(whole) * Scale;
        return *this;
    }

    // The decimal digits of a whole, non-negative value.
    QString digits() const { return QString::number(whole()); }

    friend constexpr bool operator==(Currency a, Currency b) = default;

private:
    constexpr explicit Currency(__int128 scaled) : m_scaled(scaled) {}
    __int128 m_scaled = 0;
};
