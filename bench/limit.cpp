#include "limit.h"

#include "abgleich.h"
#include "coarseclock.h"
#include "outputfile.h"
#include "randomgenerator.h"
#include "runtimeerror.h"

#include <QElapsedTimer>
#include <QFile>

#include <cstdint>
#include <string>
#include <string_view>

#include <fcntl.h>
#include <unistd.h>

long long Limit::clockFloor(const char *path, int milliseconds)
{
    const auto now = [] { return CoarseClock::now(); }; // as the run reads it
    const int fd = open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return 0;
    constexpr size_t Capacity = 1 << 20;
    static char buffer[Capacity];
    size_t used = 0;
    const uint64_t deadline = now() + uint64_t(milliseconds) * 1'000'000u;
    long long letters = 0;
    for (;;) {
        const uint64_t reading = now();
        if (reading >= deadline)
            break;
        if (Capacity - used < 3) {
            if (write(fd, buffer, used) < 0)
                break;
            used = 0;
        }
        buffer[used] = char('A' + (reading & 15)); // the reading goes somewhere
        buffer[used + 1] = '\r';
        buffer[used + 2] = '\n';
        used += 3;
        ++letters;
    }
    if (used > 0 && write(fd, buffer, used) < 0)
        letters = 0;
    close(fd);
    return letters;
}

long long Limit::clockOnly(int milliseconds)
{
    const uint64_t deadline = CoarseClock::now() + uint64_t(milliseconds) * 1'000'000u;
    long long readings = 0;
    while (CoarseClock::now() < deadline)
        ++readings;
    return readings;
}

long long Limit::letterAll(const char *target, int milliseconds)
{
    const std::string_view text(target);
    const Abgleich abgleich(std::u16string(text.begin(), text.end()));
    const Abgleich::Schritt step = abgleich.schritt();
    uint32_t state = step.zustand(0);
    const quint64 key = 0x9e3779b97f4a7c15ULL;
    quint64 counter = 0;
    long long letters = 0;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds) {
        for (int i = 0; i < 1'000'000; ++i)
            state = step(state, char16_t(u'A' + RandomGenerator::letter26(counter += RandomGenerator::Increment, key)));
        letters += 1'000'000;
    }
    // A state that no letters reach keeps the compiler from dropping the steps.
    return letters + (state == UINT32_MAX);
}

long long Limit::bareLetters(const char *path, const char *target, int milliseconds)
{
    const auto now = [] { return CoarseClock::now(); }; // as the run reads it
    // The log is written as the run writes it, behind the typing's back.
    OutputFile log;
    try {
        log.open(QFile::decodeName(path));
    } catch (const RuntimeError &) {
        return 0;
    }
    OutputFile::Room room = log.take();
    const std::string_view text(target);
    const Abgleich abgleich(std::u16string(text.begin(), text.end()));
    const Abgleich::Schritt step = abgleich.schritt();
    const uint32_t found = step.zustand(abgleich.laenge());
    uint32_t state = step.zustand(0);

    uint64_t counter = 0, key = 0x243f6a8885a308d3u, folded = 0;
    const uint64_t deadline = now() + uint64_t(milliseconds) * 1'000'000u;
    long long letters = 0;
    try {
        for (;;) {
            const uint64_t reading = now();
            if (reading >= deadline)
                break;
            if (reading != folded) { // fold a new reading into the key
                folded = reading;
                uint64_t z = key ^ reading;
                z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9u;
                z = (z ^ (z >> 27)) * 0x94d049bb133111ebu;
                key = z ^ (z >> 31);
            }
            counter += 0xa0761d6478bd642fu; // one wyrand step
            const uint64_t x = counter + key;
            const unsigned __int128 product = static_cast<unsigned __int128>(x) * (x ^ 0xe7037ed1a0b428dbu);
            const uint64_t bits = (uint64_t(product >> 64) ^ uint64_t(product)) >> 40;
            const char letter = char('A' + ((bits * 26) >> 24));

            if (room.end - room.next < 3)
                room = log.passOn(room.next);
            room.next[0] = letter;
            room.next[1] = '\r';
            room.next[2] = '\n';
            room.next += 3;
            ++letters;

            state = step(state, char16_t(letter));
            if (state == found)
                break;
        }
        log.giveBack(room.next);
        log.close();
    } catch (const RuntimeError &) {
        return 0;
    }
    return letters;
}
