#pragma once

#include <QStringView>

#include <algorithm>
#include <vector>

// The latest letters of a run, as many as the target has and at least 11.
// Letters are appended to a larger buffer and shifted down when it fills,
// so a letter costs a store and, now and then, a short move.
class Verlauf
{
public:
    static constexpr qsizetype MinimumKept = 11;

    Verlauf() { keepAtLeast(0); }

    void keepAtLeast(qsizetype length)
    {
        m_kept = std::max(length, MinimumKept);
        // Room for many letters beyond those kept, so shifts are rare.
        if (qsizetype(m_buffer.size()) < 2 * m_kept + 4096)
            m_buffer.resize(size_t(2 * m_kept + 4096));
    }

    void append(char16_t letter)
    {
        if (m_end == qsizetype(m_buffer.size()))
            shift();
        m_buffer[size_t(m_end++)] = letter;
    }

    // Whether the latest letters spell the text; the empty text always matches.
    bool endsWith(QStringView text) const
    {
        const qsizetype n = text.size();
        return n <= std::min(m_end, m_kept)
            && std::equal(text.begin(), text.end(), m_buffer.begin() + (m_end - n),
                          [](QChar a, char16_t b) { return a.unicode() == b; });
    }

private:
    void shift()
    {
        const qsizetype keep = m_kept - 1;
        std::copy(m_buffer.end() - keep, m_buffer.end(), m_buffer.begin());
        m_end = keep;
    }

    std::vector<char16_t> m_buffer;
    qsizetype m_end = 0;
    qsizetype m_kept = MinimumKept;
};
