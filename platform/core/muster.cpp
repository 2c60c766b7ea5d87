#include "muster.h"

#include "randomgenerator.h"

Muster::Muster(std::string_view buchstaben, Richtung richtung)
    : m_vorwaerts(richtung == Richtung::Vorwaerts)
    , m_zaehlerZurueck(RandomGenerator::weiter(0, m_vorwaerts ? ~quint64(0) : 1))
{
    const int m = int(buchstaben.size());
    m_buchstaben.resize(size_t(m));
    for (int k = 0; k < m; ++k) {
        const char c = buchstaben[size_t(m_vorwaerts ? m - 1 - k : k)];
        m_buchstaben[size_t(k)] = c >= 'A' && c <= 'Z' ? uint8_t(c - 'A') : uint8_t(Buchstaben);
    }
    m_sprung.fill(uint32_t(m));
    // The nearest place behind the leading one that holds the letter.
    for (int k = m - 1; k >= 1; --k)
        if (m_buchstaben[size_t(k)] < Buchstaben)
            m_sprung[m_buchstaben[size_t(k)]] = uint32_t(k);
    const quint64 vor = quint64(0) - m_zaehlerZurueck;
    for (int x = 0; x < Buchstaben; ++x)
        m_zaehlerSprung[size_t(x)] = m_sprung[size_t(x)] * vor;
}

double Muster::mittlererSprung() const
{
    double summe = 0;
    for (const uint32_t sprung : m_sprung)
        summe += sprung;
    return summe / Buchstaben;
}
