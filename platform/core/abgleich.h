#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

// How much of the target the latest letters spell, followed letter by
// letter: the matching automaton that the target's borders give (its
// prefix function). A letter costs one look-up in a table, or for long
// targets a walk down the borders that is short on average. The letters
// are 'A' to 'Z'; any other character in the target is never matched.
class Abgleich
{
public:
    static constexpr int Alphabet = 26;
    // Up to this length the automaton is a table: 26 entries a state.
    static constexpr int TableLength = 4096;

    explicit Abgleich(std::u16string_view ziel);

    int laenge() const { return m_length; }

    // What a letter's step needs, as a value that a loop keeps in registers:
    // a state is a row's offset in the table, which saves a multiplication
    // per letter, or the letters matched where there is no table.
    struct Schritt
    {
        const uint32_t *table;
        const Abgleich *owner;
        uint32_t operator()(uint32_t state, char16_t letter) const
        {
            const unsigned c = unsigned(letter - u'A');
            return table ? table[state + c] : uint32_t(owner->weiterLang(int(state), int(c)));
        }
        uint32_t zustand(int matched) const { return table ? uint32_t(matched) * Alphabet : uint32_t(matched); }
        int buchstaben(uint32_t state) const { return table ? int(state / Alphabet) : int(state); }
    };
    Schritt schritt() const { return {m_table.empty() ? nullptr : m_table.data(), this}; }

    // For each k from 1 to the length: the longest proper border of the
    // target's first k letters (the last letters that equal its first).
    const std::vector<int> &raender() const { return m_border; }

private:
    int weiterLang(int matched, int c) const;

    int m_length;
    std::vector<uint8_t> m_letters; // 0 to 25, or 26 for a character never typed
    std::vector<int> m_border;
    std::vector<uint32_t> m_table; // (length + 1) states × 26 letters: the next row's offset
};
