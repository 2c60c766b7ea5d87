#include "suche.h"

#include "aufzeichnungsleser.h"
#include "logdatei.h"
#include "stellensuche.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <mutex>
#include <string_view>
#include <thread>
#include <vector>

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

using Stellensuche::Keine;

// The places (from 0) of a window's leading letter: its last forwards, its
// first backwards.
struct Bereich
{
    quint64 von; // the lowest
    quint64 bis; // past the highest
};

// Of windows that reach from an entry over its edge into the one beside it,
// whose leading letter lies in the range: computed from the two where they
// hold the letters, else read as text, where the neighbour is short.
quint64 ueberGrenzen(const Logdatei &log, const QByteArray &buchstaben, bool vorwaerts, Bereich bereich,
                     const Aufzeichnung::Strecke &strecke, const Aufzeichnung::Strecke &nachbar)
{
    const quint64 m = quint64(buchstaben.size());
    const quint64 erster = vorwaerts ? (bereich.von >= m - 1 ? bereich.von - (m - 1) : 0) : bereich.von;
    const quint64 anzahl = std::min(bereich.bis - erster + (vorwaerts ? 0 : m - 1), quint64(log.zeichen()) - erster);
    std::string text(size_t(anzahl), '\0');
    const auto in = [](const Aufzeichnung::Strecke &s, quint64 platz) { return platz >= s.erstes && platz < s.ende(); };
    bool gerechnet = true;
    for (quint64 i = 0; i < anzahl && gerechnet; ++i) {
        const quint64 platz = erster + i;
        if (in(strecke, platz))
            text[size_t(i)] = strecke.buchstabe(platz - strecke.erstes);
        else if (in(nachbar, platz))
            text[size_t(i)] = nachbar.buchstabe(platz - nachbar.erstes);
        else
            gerechnet = false;
    }
    if (!gerechnet) {
        std::string zeilen(size_t(anzahl * L), '\0');
        text.resize(size_t(log.lesen(qint64(erster * L), zeilen.data(), qint64(zeilen.size())) / L));
        for (size_t i = 0; i < text.size(); ++i)
            text[i] = zeilen[i * L];
    }
    const auto haelt = [&](quint64 anfang) {
        return anfang >= erster && anfang - erster + m <= text.size()
            && std::equal(buchstaben.begin(), buchstaben.end(), text.begin() + qsizetype(anfang - erster));
    };
    for (quint64 i = 0; i < bereich.bis - bereich.von; ++i) {
        const quint64 platz = vorwaerts ? bereich.von + i : bereich.bis - 1 - i;
        if (vorwaerts ? platz + 1 >= m && haelt(platz + 1 - m) : haelt(platz))
            return platz;
    }
    return Keine;
}

// The first window in the search's direction whose leading letter lies in
// the range: inside an entry by its computed letters, where it reaches
// over an entry's edge by the text there.
quint64 inAufzeichnung(const Logdatei &log, const Aufzeichnungsleser &leser, const Muster &muster,
                       const QByteArray &buchstaben, Bereich bereich)
{
    const bool vorwaerts = muster.vorwaerts();
    const quint64 m = quint64(muster.laenge());
    // The entries in turn from the one that holds the range's first place;
    // the reader has checked that they follow each other.
    const qint64 schritt = vorwaerts ? 1 : -1;
    qint64 j = leser.eintragMit(vorwaerts ? bereich.von : bereich.bis - 1);
    // The entry beside, over whose edge windows reach: before forwards,
    // after backwards; one of no letters where there is none. Past the last
    // readable letter it may be damage, but no window reaches there.
    Aufzeichnung::Strecke nachbar = (j - schritt >= 0 ? leser.eintrag(j - schritt) : std::nullopt).value_or(Aufzeichnung::Strecke{});
    for (; bereich.von < bereich.bis; j += schritt) {
        const auto strecke = j >= 0 ? leser.eintrag(j) : std::nullopt;
        if (!strecke)
            return Keine;
        const quint64 von = std::max(bereich.von, strecke->erstes), bis = std::min(bereich.bis, strecke->ende());
        // Forwards the windows over the entry's start come first, backwards
        // those over its end.
        const Bereich rand = vorwaerts ? Bereich{von, std::min(bis, strecke->erstes + m - 1)}
                                       : Bereich{std::max(von, strecke->ende() >= m - 1 ? strecke->ende() - (m - 1) : 0), bis};
        const Bereich innen = vorwaerts ? Bereich{std::max(von, rand.bis), bis} : Bereich{von, std::min(bis, rand.von)};
        if (rand.von < rand.bis)
            if (const quint64 hier = ueberGrenzen(log, buchstaben, vorwaerts, rand, *strecke, nachbar); hier != Keine)
                return hier;
        if (innen.von < innen.bis)
            if (const quint64 hier = Stellensuche::finden(*strecke, muster, innen.von - strecke->erstes, innen.bis - strecke->erstes);
                hier != Keine)
                return strecke->erstes + hier;
        (vorwaerts ? bereich.von : bereich.bis) = vorwaerts ? bis : von;
        nachbar = *strecke;
    }
    return Keine;
}

// A record's places in pieces, on every core: a piece's find ends the
// search once every piece before it is done.
qint64 findenInAufzeichnung(const Logdatei &log, const QByteArray &buchstaben, qint64 ab, bool vorwaerts,
                            std::stop_token stop, std::atomic<qint64> &geschafft, qint64 stueck)
{
    const Aufzeichnungsleser &leser = *log.aufzeichnung();
    const quint64 m = quint64(buchstaben.size()), alle = quint64(log.zeichen());
    // Leading places: forwards a window's last from the start's, backwards its first.
    const Bereich bereich = vorwaerts ? Bereich{quint64(std::max<qint64>(ab, 1)) - 1 + m - 1, alle}
                                      : Bereich{0, std::min(quint64(ab), alle - m + 1)};
    if (bereich.von >= bereich.bis)
        return 0;
    const Muster muster(std::string_view(buchstaben.constData(), size_t(m)),
                        vorwaerts ? Muster::Richtung::Vorwaerts : Muster::Richtung::Rueckwaerts);
    const quint64 stuecke = (bereich.bis - bereich.von + quint64(stueck) - 1) / quint64(stueck);
    std::atomic<quint64> naechstes = 0;
    std::mutex mutex;
    quint64 erstesMit = stuecke, fund = Keine; // the first piece with a find, in the search's order
    const auto arbeiten = [&] {
        for (quint64 k; (k = naechstes++) < stuecke && !stop.stop_requested();) {
            {
                std::lock_guard lock(mutex);
                if (k > erstesMit)
                    return;
            }
            const quint64 anfang = quint64(stueck) * k, ende = std::min(anfang + quint64(stueck), bereich.bis - bereich.von);
            const Bereich teil = vorwaerts ? Bereich{bereich.von + anfang, bereich.von + ende}
                                           : Bereich{bereich.bis - ende, bereich.bis - anfang};
            const quint64 hier = inAufzeichnung(log, leser, muster, buchstaben, teil);
            geschafft += qint64(ende - anfang);
            if (hier != Keine) {
                std::lock_guard lock(mutex);
                if (k < erstesMit)
                    erstesMit = k, fund = hier;
            }
        }
    };
    std::vector<std::jthread> helfer(std::max(1u, std::thread::hardware_concurrency()) - 1);
    for (std::jthread &h : helfer)
        h = std::jthread(arbeiten);
    arbeiten();
    for (std::jthread &h : helfer)
        h.join();
    if (fund == Keine || stop.stop_requested())
        return 0;
    return qint64(vorwaerts ? fund + 1 - (m - 1) : fund + 1);
}

} // namespace

qint64 Suche::finden(const Logdatei &log, const QByteArray &buchstaben, qint64 ab, Richtung richtung,
                     std::stop_token stop, std::atomic<qint64> &geschafft, qint64 blockZeilen)
{
    const qint64 m = buchstaben.size();
    const qint64 lastStart = log.zeichen() - m + 1;
    if (m == 0 || lastStart < 1)
        return 0;
    // A record's letters are computed: only those a window's move needs.
    if (log.aufzeichnung())
        return findenInAufzeichnung(log, buchstaben, ab, richtung == Richtung::Vorwaerts, stop, geschafft,
                                    std::max<qint64>(blockZeilen, 1) * 16);
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
