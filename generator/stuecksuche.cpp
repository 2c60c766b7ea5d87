#include "stuecksuche.h"

Stuecksuche::Anfaenge::Anfaenge(std::string_view ziel)
    : m_ziel(ziel), m_muster(std::make_unique<std::unique_ptr<Muster>[]>(ziel.size()))
{
}

const Muster &Stuecksuche::Anfaenge::mit(int buchstaben) const
{
    if (buchstaben > m_gemacht.load(std::memory_order_acquire)) {
        std::lock_guard lock(m_mutex);
        for (int n = m_gemacht.load(std::memory_order_relaxed) + 1; n <= buchstaben; ++n) {
            m_muster[size_t(n - 1)] = std::make_unique<Muster>(std::string_view(m_ziel).substr(0, size_t(n)));
            m_gemacht.store(n, std::memory_order_release);
        }
    }
    return *m_muster[size_t(buchstaben - 1)];
}

bool Stuecksuche::suchen(const Strecke &stueck, quint64 von, quint64 bis)
{
    // The piece as far as it is typed: a window reaches no further.
    const Strecke getippt{0, stueck.schluessel, stueck.zaehler, bis};
    return suchen(von, bis, [&getippt](const Muster &muster, quint64 v, quint64 b) {
        return Stellensuche::finden(getippt, muster, v, b);
    });
}
