#include "textsuche.h"

#include "logdatei.h"
#include "stellensuche.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <string_view>

namespace {

constexpr int L = Logdatei::Zeilenlaenge;

// Reads lines from place first on and puts their letters in order, or in
// reverse order, into letters; how many lines came.
qint64 buchstabenLesen(const Logdatei &log, qint64 first, qint64 lines, char *bytes, char *letters, bool reversed)
{
    const qint64 got = log.lesen(first * L, bytes, lines * L) / L;
    if (reversed)
        for (qint64 i = 0; i < got; ++i)
            letters[got - 1 - i] = bytes[i * L];
    else
        for (qint64 i = 0; i < got; ++i)
            letters[i] = bytes[i * L];
    return got;
}

} // namespace

quint64 Textsuche::finden(const Logdatei &log, const QByteArray &buchstaben, quint64 ab, Richtung richtung,
                          std::stop_token stop, std::atomic<qint64> &geschafft, qint64 blockZeilen)
{
    const qint64 m = buchstaben.size();
    const qint64 lastStart = log.zeichen() - m;
    if (m == 0 || lastStart < 0 || ab == KeinFund)
        return KeinFund;
    // A record's letters are computed: only those a window's move needs.
    if (log.aufzeichnung())
        return Stellensuche::finden(*log.aufzeichnung(), std::string_view(buchstaben.constData(), size_t(m)), ab, richtung,
                                    stop, geschafft, std::max<qint64>(blockZeilen, 1) * 16);
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
        for (qint64 start = qint64(std::min<quint64>(ab, quint64(lastStart) + 1)); start <= lastStart && !stop.stop_requested();) {
            const qint64 starts = std::min(blockZeilen, lastStart - start + 1);
            const qint64 got = buchstabenLesen(log, start, starts + m - 1, bytes.get(), letters.get(), false);
            const char *hit = std::search(letters.get(), letters.get() + got, searcher);
            if (hit != letters.get() + got)
                return quint64(start + (hit - letters.get()));
            if (got < starts + m - 1)
                return KeinFund; // the file has become shorter
            start += starts;
            geschafft += starts;
        }
        return KeinFund;
    }
    for (qint64 end = qint64(std::min<quint64>(ab, quint64(lastStart))); end >= 0 && !stop.stop_requested();) {
        const qint64 starts = std::min(blockZeilen, end + 1);
        const qint64 first = end - starts + 1;
        const qint64 got = buchstabenLesen(log, first, starts + m - 1, bytes.get(), letters.get(), true);
        // The first hit in the reversed letters is the last in the file.
        const char *hit = std::search(letters.get(), letters.get() + got, searcher);
        if (hit != letters.get() + got)
            return quint64(first + got - (hit - letters.get()) - m);
        end -= starts;
        geschafft += starts;
    }
    return KeinFund;
}
