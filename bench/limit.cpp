#include "limit.h"

#include "abgleich.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <ctime>

#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

namespace {

using ClockFunction = int (*)(clockid_t, timespec *);

// The kernel's clock code in the process, without the C library's detour.
ClockFunction fastestClock()
{
    if (void *vdso = dlopen("linux-vdso.so.1", RTLD_LAZY | RTLD_NOLOAD)) {
        if (void *function = dlsym(vdso, "__vdso_clock_gettime"))
            return reinterpret_cast<ClockFunction>(function);
    }
    return &clock_gettime;
}

} // namespace

long long Limit::bareLetters(const char *path, const char *target, int milliseconds)
{
    const ClockFunction readClock = fastestClock();
    const auto now = [readClock] {
        timespec reading{};
        readClock(CLOCK_MONOTONIC_COARSE, &reading);
        return uint64_t(reading.tv_sec) * 1'000'000'000u + uint64_t(reading.tv_nsec);
    };
    const int fd = open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return 0;
    constexpr size_t Capacity = 1 << 20;
    static char buffer[Capacity];
    size_t used = 0;
    const std::string_view text(target);
    const Abgleich abgleich(std::u16string(text.begin(), text.end()));
    const Abgleich::Schritt step = abgleich.schritt();
    const uint32_t found = step.zustand(abgleich.laenge());
    uint32_t state = step.zustand(0);

    uint64_t counter = 0, key = 0x243f6a8885a308d3u;
    const uint64_t deadline = now() + uint64_t(milliseconds) * 1'000'000u;
    long long letters = 0;
    for (;;) {
        const uint64_t reading = now();
        if (reading >= deadline)
            break;
        uint64_t z = key ^ reading; // fold the reading into the key
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9u;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebu;
        key = z ^ (z >> 31);
        counter += 0xa0761d6478bd642fu; // one wyrand step
        const uint64_t x = counter + key;
        const unsigned __int128 product = static_cast<unsigned __int128>(x) * (x ^ 0xe7037ed1a0b428dbu);
        const uint64_t bits = (uint64_t(product >> 64) ^ uint64_t(product)) >> 40;
        const char letter = char('A' + ((bits * 26) >> 24));

        if (Capacity - used < 3) {
            if (write(fd, buffer, used) < 0)
                break;
            used = 0;
        }
        buffer[used] = letter;
        buffer[used + 1] = '\r';
        buffer[used + 2] = '\n';
        used += 3;
        ++letters;

        state = step(state, char16_t(letter));
        if (state == found)
            break;
    }
    if (used > 0 && write(fd, buffer, used) < 0)
        letters = 0;
    close(fd);
    return letters;
}
