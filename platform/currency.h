#pragma once

#include "runtimeerror.h"

#include <QCoreApplication>
#include <QString>
#include <QtGlobal>

#include <limits>

// A count with four decimal places in a signed 64-bit integer, as the
// letter counter has always been kept.
class Currency
{
public:
    static constexpr qint64 Scale = 10000;
    // The largest whole count: some 9.2·10^14, past which a count overflows.
    static constexpr qint64 MaxWhole = std::numeric_limits<qint64>::max() / Scale;

    constexpr Currency() = default;
    static constexpr Currency fromWhole(qint64 whole) { return Currency(whole * Scale); }

    constexpr qint64 whole() const { return m_scaled / Scale; }

    Currency &operator+=(qint64 whole)
    {
        if (__builtin_add_overflow(m_scaled, whole * Scale, &m_scaled))
            throw RuntimeError(QCoreApplication::translate("Laufzeit", "Überlauf: Die Anzahl ist zu groß geworden."));
        return *this;
    }

    // The decimal digits of a whole, non-negative value.
    QString digits() const { return QString::number(whole()); }

    friend constexpr bool operator==(Currency a, Currency b) = default;

private:
    constexpr explicit Currency(qint64 scaled) : m_scaled(scaled) {}
    qint64 m_scaled = 0;
};
