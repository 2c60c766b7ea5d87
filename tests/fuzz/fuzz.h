#pragma once

// What the fuzz targets share. A finding is an abort, which libFuzzer
// reports with the input that caused it.
#include <cstdint>
#include <cstdlib>

inline void check(bool good)
{
    if (!good)
        std::abort();
}

// Any byte as one of the letters the program types.
inline char16_t letter(uint8_t byte)
{
    return char16_t(u'A' + byte % 26);
}
