#include "annaeherung.h"

#include "stellensuche.h"

Annaeherung::Anfaenge::Anfaenge(std::string_view ziel)
{
    m_muster.reserve(ziel.size());
    for (size_t n = 1; n <= ziel.size(); ++n)
        m_muster.emplace_back(ziel.substr(0, n));
}

bool Annaeherung::suchen(const Tipper::Stueck &stueck, quint64 von, quint64 bis)
{
    while (!gefunden()) {
        const quint64 ende = Stellensuche::finden(stueck.schluessel, stueck.zaehler, bis, m_anfaenge.mit(m_naechste), von, bis);
        if (ende == Stellensuche::Keine)
            return false;
        m_funde.push_back({m_naechste++, ende});
        von = ende + 1; // where a longer start can end first
    }
    return true;
}
