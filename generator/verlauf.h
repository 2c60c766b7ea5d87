#pragma once

#include <QStringView>

#include <algorithm>
#include <memory>

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
        const qsizetype wanted = 2 * m_kept + 4096;
        if (m_size < wanted) {
            auto grown = std::make_unique<char16_t[]>(size_t(wanted));
            std::copy_n(m_buffer.get(), m_end, grown.get());
            m_buffer = std::move(grown);
            m_size = wanted;
        }
    }

    void append(char16_t letter)
    {
        if (m_end == m_size)
            shift();
        m_buffer[size_t(m_end++)] = letter;
    }

    // Whether the latest letters spell the text; the empty text always
    // matches. The newest letter is compared first: it alone decides all
    // but one pass in 26.
    bool endsWith(QStringView text) const
    {
        const qsizetype n = text.size();
        if (n == 0)
            return true;
        return n <= std::min(m_end, m_kept) && text[n - 1].unicode() == m_buffer[size_t(m_end - 1)]
            && std::equal(text.begin(), text.end() - 1, m_buffer.get() + (m_end - n),
                          [](QChar a, char16_t b) { return a.unicode() == b; });
    }

private:
    void shift()
    {
        const qsizetype keep = m_kept - 1;
        std::copy(m_buffer.get() + m_end - keep, m_buffer.get() + m_end, m_buffer.get());
        m_end = keep;
    }

    // Its own buffer rather than a vector, whose growth would take the
    // object's address out of the run and keep its fields out of registers.
    std::unique_ptr<char16_t[]> m_buffer;
    qsizetype m_size = 0;
    qsizetype m_end = 0;
    qsizetype m_kept = MinimumKept;
};
