#include "muster.h"

Muster::Muster(std::string_view buchstaben, Richtung richtung)
    : m_vorwaerts(richtung == Richtung::Vorwaerts),
      m_zurueck(m_vorwaerts ? quint64(0) - RandomGenerator::Increment : RandomGenerator::Increment)
{
    const int m = int(buchstaben.size());
    m_hinten.resize(size_t(m));
    for (int k = 0; k < m; ++k) {
        const char c = buchstaben[size_t(m_vorwaerts ? m - 1 - k : k)];
        m_hinten[size_t(k)] = c >= 'A' && c <= 'Z' ? uint8_t(c - 'A') : uint8_t(Buchstaben);
    }
    m_stellen.fill(uint32_t(m));
    // The nearest place behind the leading one that holds the letter.
    for (int k = m - 1; k >= 1; --k)
        if (m_hinten[size_t(k)] < Buchstaben)
            m_stellen[m_hinten[size_t(k)]] = uint32_t(k);
    const quint64 vor = quint64(0) - m_zurueck;
    for (int x = 0; x < Buchstaben; ++x)
        m_zaehlerSchritt[size_t(x)] = m_stellen[size_t(x)] * vor;
}

double Muster::mittlererSprung() const
{
    double summe = 0;
    for (const uint32_t stellen : m_stellen)
        summe += stellen;
    return summe / Buchstaben;
}
