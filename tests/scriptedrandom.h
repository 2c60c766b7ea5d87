#pragma once

#include "randomsource.h"

#include <QByteArray>

// Draws that spell a given script of capitals, then repeat a filler letter;
// the timer moves on a millisecond per reseed.
class ScriptedRandom final : public RandomSource
{
public:
    explicit ScriptedRandom(QByteArray letters, char filler = 'Q')
        : m_letters(std::move(letters)), m_filler(filler) {}

    void randomize() override { m_timer += 1'000'000; }
    float rnd() override
    {
        const char letter = m_next < m_letters.size() ? m_letters.at(m_next++) : m_filler;
        return (float(letter - 'A') + 0.5f) / 26.0f;
    }
    quint64 timer() const override { return m_timer; }

private:
    QByteArray m_letters;
    char m_filler;
    qsizetype m_next = 0;
    quint64 m_timer = 0;
};
