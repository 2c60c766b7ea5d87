#pragma once

// A line of the log: one capital, CR, LF. The run writes it, the viewer
// reads it and a record turns into it; this is its one definition.
namespace Logzeile {

constexpr int Laenge = 3;

inline void schreiben(char *line, char letter)
{
    line[0] = letter;
    line[1] = '\r';
    line[2] = '\n';
}

// Whether three bytes are a line of a log.
inline bool ist(const char *line)
{
    return line[0] >= 'A' && line[0] <= 'Z' && line[1] == '\r' && line[2] == '\n';
}

} // namespace Logzeile
