// The matching automaton against a plain search. The input is a target, a
// 0xFF byte and a script of letters; the target's bytes are repeated as
// often as its first byte says, so that long targets, which take the
// automaton's other road, come from short inputs. 0xFE in the target is a
// character no letter matches.
#include "abgleich.h"
#include "fuzz.h"

#include <algorithm>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const uint8_t *end = data + size;
    const uint8_t *split = std::find(data, end, 0xFF);
    if (split == data || split == end)
        return 0;
    std::u16string ziel;
    for (int repeat = 0; repeat <= data[0] % 64; ++repeat)
        for (const uint8_t *p = data + 1; p < split; ++p)
            ziel += *p == 0xFE ? u'?' : letter(*p);
    if (ziel.empty())
        return 0;
    std::u16string script;
    for (const uint8_t *p = split + 1; p < end; ++p)
        script += letter(*p);

    const Abgleich abgleich(ziel);
    const auto step = abgleich.schritt();
    uint32_t state = step.zustand(0);
    const size_t n = ziel.size();
    for (size_t i = 0; i < script.size(); ++i) {
        state = step(state, script[i]);
        const size_t k = size_t(step.buchstaben(state));
        // The letters claimed are the script's latest and the target's first.
        check(k <= n && k <= i + 1 && script.compare(i + 1 - k, k, ziel, 0, k) == 0);
        // A whole match exactly where a plain comparison finds one.
        const bool whole = i + 1 >= n && script.compare(i + 1 - n, n, ziel) == 0;
        check(whole == (k == n));
        // And no longer match, where that is cheap to see.
        for (size_t longer = k + 1; n <= 64 && longer <= std::min(n, i + 1); ++longer)
            check(script.compare(i + 1 - longer, longer, ziel, 0, longer) != 0);
    }
    return 0;
}
