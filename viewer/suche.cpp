#include "suche.h"

#include "logdatei.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <string_view>

namespace {

constexpr int L = Logdatei::Zeilenlaenge;

// Reads lines from first on and puts their letters in order, or in reverse
// order, into letters; how many lines came.
qint64 buchstabenLesen(const Logdatei &log, qint64 first, qint64 lines, char *bytes, char *letters, bool reversed)
{
    const qint64 got = log.lesen((first - 1) * L, bytes, lines * L) / L;
    if (reversed)
        for (qint64 i = 0; i < got; ++i)
            letters[got - 1 - i] = bytes[i * L];
    else
        for (qint64 i = 0; i < got; ++i)
            letters[i] = bytes[i * L];
    return got;
}

} // namespace

qint64 Suche::finden(const Logdatei &log, const QByteArray &buchstaben, qint64 ab, Richtung richtung,
                     std::stop_token stop, std::atomic<qint64> &geschafft, qint64 blockZeilen)
{
    const qint64 m = buchstaben.size();
    const qint64 lastStart = log.zeichen() - m + 1;
    if (m == 0 || lastStart < 1)
        return 0;
    // A block is followed by the letters a match that starts in it may reach.
    const qint64 most = blockZeilen + m - 1;
    const auto bytes = std::make_unique_for_overwrite<char[]>(size_t(most * L));
    const auto letters = std::make_unique_for_overwrite<char[]>(size_t(most));
    const bool backwards = richtung == Richtung::Rueckwaerts;
    std::string pattern(buchstaben.constData(), size_t(m));
    if (backwards)
        std::reverse(pattern.begin(), pattern.end());
    const std::boyer_moore_horspool_searcher searcher(pattern.begin(), pattern.end());

    if (!backwards) {
        for (qint64 start = std::max<qint64>(ab, 1); start <= lastStart && !stop.stop_requested();) {
            const qint64 starts = std::min(blockZeilen, lastStart - start + 1);
            const qint64 got = buchstabenLesen(log, start, starts + m - 1, bytes.get(), letters.get(), false);
            const char *hit = std::search(letters.get(), letters.get() + got, searcher);
            if (hit != letters.get() + got)
                return start + (hit - letters.get());
            if (got < starts + m - 1)
                return 0; // the file has become shorter
            start += starts;
            geschafft += starts;
        }
        return 0;
    }
    for (qint64 end = std::min(ab, lastStart); end >= 1 && !stop.stop_requested();) {
        const qint64 starts = std::min(blockZeilen, end);
        const qint64 first = end - starts + 1;
        const qint64 got = buchstabenLesen(log, first, starts + m - 1, bytes.get(), letters.get(), true);
        // The first hit in the reversed letters is the last in the file.
        const char *hit = std::search(letters.get(), letters.get() + got, searcher);
        if (hit != letters.get() + got)
            return first + got - (hit - letters.get()) - m;
        end -= starts;
        geschafft += starts;
    }
    return 0;
}

Suche::Zaehlung Suche::zaehlen(const Logdatei &log, std::stop_token stop, std::atomic<qint64> &geschafft,
                               qint64 blockZeilen)
{
    Zaehlung zaehlung;
    const qint64 lines = log.zeichen();
    const auto bytes = std::make_unique_for_overwrite<char[]>(size_t(blockZeilen * L));
    for (qint64 start = 1; start <= lines; start += blockZeilen) {
        if (stop.stop_requested())
            return zaehlung;
        const qint64 want = std::min(blockZeilen, lines - start + 1);
        const qint64 got = log.lesen((start - 1) * L, bytes.get(), want * L) / L;
        for (qint64 i = 0; i < got; ++i) {
            const char *line = bytes.get() + i * L;
            if (Q_LIKELY(Logdatei::istZeile(line)))
                ++zaehlung.je[line[0] - 'A'];
            else
                ++zaehlung.fremde;
        }
        geschafft += got;
        if (got < want)
            break; // the file has become shorter
    }
    zaehlung.vollstaendig = true;
    return zaehlung;
}
