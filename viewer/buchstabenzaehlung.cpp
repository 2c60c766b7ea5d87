#include "buchstabenzaehlung.h"

#include "logdatei.h"

#include <memory>

Buchstabenzaehlung Buchstabenzaehlung::zaehlen(const Logdatei &log, std::stop_token stop, std::atomic<qint64> &geschafft,
                                               qint64 blockZeilen)
{
    constexpr int L = Logdatei::Zeilenlaenge;
    Buchstabenzaehlung zaehlung;
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
