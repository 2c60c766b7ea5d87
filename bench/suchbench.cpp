#include "suchbench.h"

#include "karte.h"
#include "kartenfehler.h"
#include "kartensuche.h"
#include "muster.h"
#include "tipprunde.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr const char *Ziele[] = {"ZE", "ZEIC", "ZEICHENF", "ZEICHENFOLGE", "AAAAAAAA", "ABABABAB"};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

SuchBench::Karte SuchBench::waehlen()
{
    Karte gewaehlt;
    gewaehlt.karte = ::Karte::waehlen(&gewaehlt.name);
    if (!gewaehlt.karte)
        return gewaehlt;
    gewaehlt.name = gewaehlt.karte->name();
    const Muster muster("ZEICHENF");
    try {
        gewaehlt.schritte = Kartensuche(*gewaehlt.karte).stellenProSekunde(muster, std::chrono::milliseconds(100))
            / muster.mittlererSprung();
    } catch (const Kartenfehler &fehler) {
        gewaehlt.karte.reset();
        gewaehlt.name = fehler.text();
    }
    return gewaehlt;
}

void SuchBench::drucken(const Karte &karte)
{
    for (const char *ziel : Ziele) {
        const auto stellen = [ziel] { return Tipprunde::stellenProSekunde(ziel, std::chrono::milliseconds(300)) / 1e6; };
        std::printf("search-%s: %.4g M places/s on one core\n", ziel, median({stellen(), stellen(), stellen()}));
        std::fflush(stdout);
    }
    for (const char *ziel : Ziele) {
        if (!karte.karte) {
            std::printf("search-gpu-%s: none (%s)\n", ziel, qPrintable(karte.name));
            continue;
        }
        const Muster muster(ziel);
        Kartensuche suche(*karte.karte);
        const auto stellen = [&] { return suche.stellenProSekunde(muster, std::chrono::milliseconds(300)) / 1e6; };
        std::printf("search-gpu-%s: %.4g M places/s on %s\n", ziel, median({stellen(), stellen(), stellen()}),
                    qPrintable(karte.name));
        std::fflush(stdout);
    }
}
