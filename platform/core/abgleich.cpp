#include "abgleich.h"

Abgleich::Abgleich(std::u16string_view ziel) : m_length(int(ziel.size()))
{
    m_letters.reserve(ziel.size());
    for (char16_t c : ziel)
        m_letters.push_back(c >= u'A' && c <= u'Z' ? uint8_t(c - u'A') : uint8_t(Alphabet));

    m_border.assign(size_t(m_length), 0);
    for (int i = 1, k = 0; i < m_length; ++i) {
        while (k > 0 && m_letters[size_t(i)] != m_letters[size_t(k)])
            k = m_border[size_t(k - 1)];
        if (m_letters[size_t(i)] == m_letters[size_t(k)])
            ++k;
        m_border[size_t(i)] = k;
    }

    if (m_length > TableLength)
        return;
    // A state takes the transitions of its longest border but for its own
    // letter; the full match goes on as its longest border would.
    m_table.assign(size_t(m_length + 1) * Alphabet, 0);
    for (int j = 0; j <= m_length; ++j) {
        const int fallback = j == 0 ? -1 : m_border[size_t(j - 1)];
        for (int c = 0; c < Alphabet; ++c) {
            uint32_t &to = m_table[size_t(j) * Alphabet + size_t(c)];
            if (j < m_length && m_letters[size_t(j)] == c)
                to = uint32_t(j + 1) * Alphabet;
            else
                to = fallback < 0 ? 0 : m_table[size_t(fallback) * Alphabet + size_t(c)];
        }
    }
}

int Abgleich::weiterLang(int matched, int c) const
{
    while (matched > 0 && (matched == m_length || m_letters[size_t(matched)] != c))
        matched = m_border[size_t(matched - 1)];
    return matched < m_length && m_letters[size_t(matched)] == c ? matched + 1 : matched;
}
