#include "aufzeichnungsleser.h"
#include "aufzeichner.h"
#include "currency.h"
#include "files.h"
#include "karte.h"
#include "kartensuche.h"
#include "logdatei.h"
#include "stellensuche.h"
#include "textsuche.h"
#include "testrun.h"
#include "timerrandom.h"
#include "tipprunde.h"
#include "tipper.h"
#include "viewerstart.h"

#include <QFile>
#include <QLibrary>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Each typist's own clock, the same on every machine: a new reading every
// third look, so that pieces are a few batches long and their edges many.
thread_local quint64 t_blicke = 0;
quint64 eigeneUhr()
{
    return ++t_blicke / 3 * 1'000'000;
}

// Where a plain search of text found: the place, or KeinFund for none.
quint64 platz(qsizetype index)
{
    return index < 0 ? KeinFund : quint64(index);
}

// A record of the given entries, written as the format page says.
QString aufzeichnung(const QString &path, const QList<Strecke> &strecken)
{
    QByteArray bytes((strecken.size() + 1) * Aufzeichnung::Groesse, '\0');
    Aufzeichnung::kopfSchreiben(bytes.data());
    for (qsizetype j = 0; j < strecken.size(); ++j)
        Aufzeichnung::eintragSchreiben(strecken[j], bytes.data() + Aufzeichnung::Groesse * (j + 1));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

// What a run ended with, and the letters of its record.
struct Lauf
{
    qint64 zeichen;
    Naehe naehe;
    bool gefunden;
    QByteArray text;
    QList<Strecke> eintraege; // of the record
    QString ohneKarte;      // why the card left, where it did
};

// What a run ends with is what a plain reading of its record says: where
// the target first ends, the closest match and where it first ends.
void wieGelesen(const Lauf &lauf, const QByteArray &gesucht, qint64 hoechstens)
{
    QCOMPARE(lauf.text.size(), lauf.zeichen);
    const qsizetype erstes = lauf.text.indexOf(gesucht);
    QCOMPARE(lauf.gefunden, erstes >= 0);
    if (lauf.gefunden)
        QCOMPARE(lauf.zeichen, erstes + gesucht.size());
    else
        QVERIFY(lauf.zeichen >= hoechstens);
    const Naehe gelesen = naeheImText(lauf.text, gesucht);
    QCOMPARE(lauf.naehe.buchstaben, gelesen.buchstaben);
    QCOMPARE(lauf.naehe.nachZeichen, gelesen.nachZeichen);
}

} // namespace

class tst_Stellensuche : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void findsWhereAPlainSearchFinds_data();
    void findsWhereAPlainSearchFinds();
    void viewerFindsOverEntriesOfAnyLength();
    void typistNeverRepeatsAState();
    void searchThroughARecordStopsWhenAsked();
    void compactRunIsWhatItsRecordSays_data();
    void compactRunIsWhatItsRecordSays();
    void cardTypesBesideTheCores_data();
    void cardTypesBesideTheCores();
    void failedCardClaimsNoUnsearchedLetter();
    void runEndsWhereItsRecordIsFull();

private:
    Lauf kompakt(const QString &ziel, int kerne, qint64 hoechstens, std::shared_ptr<Karte> karte = {});

    std::unique_ptr<QTemporaryDir> m_dir;
};

void tst_Stellensuche::initTestCase()
{
    // lavapipe stays loaded while the test runs: the loader unloads it with
    // each instance, and LeakSanitizer takes what its one-time set-up holds
    // for leaks.
    QLibrary(QStringLiteral("vulkan_lvp")).load();
}

void tst_Stellensuche::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    Files::setProgramDirectory(m_dir->path());
    ViewerStart::setHandler([](const QStringList &) { return true; });
}

void tst_Stellensuche::cleanup()
{
    ViewerStart::setHandler({});
    Files::setProgramDirectory({});
}

void tst_Stellensuche::findsWhereAPlainSearchFinds_data()
{
    QTest::addColumn<QByteArray>("muster"); // empty: taken from the letters, as long as laenge
    QTest::addColumn<int>("laenge");
    for (const int laenge : {1, 2, 8, 40})
        QTest::addRow("%d letters from the text", laenge) << QByteArray() << laenge;
    QTest::newRow("overlapping itself") << QByteArray("AAAA") << 0;
    QTest::newRow("overlapping in pairs") << QByteArray("ABAB") << 0;
    QTest::newRow("no letter") << QByteArray("A?") << 0;
}

// In one stretch, forwards and backwards, from any place to any place: the
// first window a plain search finds, and none where it finds none.
void tst_Stellensuche::findsWhereAPlainSearchFinds()
{
    QFETCH(QByteArray, muster);
    QFETCH(int, laenge);
    QRandomGenerator zufall(20261210);
    for (int round = 0; round < 400; ++round) {
        const Strecke strecke{0, zufall.generate64(), zufall.generate64(), quint32(zufall.bounded(1, 2000))};
        QByteArray text;
        for (quint32 i = 0; i < strecke.anzahl; ++i)
            text += strecke.buchstabe(i);
        const QByteArray gesucht = !muster.isEmpty() || text.size() < laenge
            ? muster
            : text.mid(round % 8 ? zufall.bounded(qsizetype(text.size() - laenge + 1)) : 0, laenge); // the first window too
        if (gesucht.isEmpty())
            continue;
        const quint64 von = round % 4 ? zufall.bounded(2100) : 0, bis = von + zufall.bounded(2100);
        const qsizetype m = gesucht.size();
        const quint64 vor = Stellensuche::finden(strecke, Muster(gesucht.toStdString()), von, bis);
        const quint64 zurueck = Stellensuche::finden(strecke, Muster(gesucht.toStdString(), Richtung::Rueckwaerts), von, bis);
        // Forwards the window's last letter lies in the range, backwards its first.
        qsizetype erstes = text.indexOf(gesucht, qsizetype(std::max<quint64>(von, m - 1)) - m + 1);
        if (erstes >= 0 && quint64(erstes + m - 1) >= bis)
            erstes = -1;
        qsizetype letztes = bis == 0 ? -1 : text.lastIndexOf(gesucht, qsizetype(std::min<quint64>(bis - 1, text.size())));
        if (letztes >= 0 && quint64(letztes) < von)
            letztes = -1;
        const QByteArray wo = gesucht + " in " + text.left(60) + "… from " + QByteArray::number(von) + " to " + QByteArray::number(bis);
        QVERIFY2(vor == (erstes < 0 ? KeinFund : quint64(erstes + m - 1)), wo);
        QVERIFY2(zurueck == (letztes < 0 ? KeinFund : quint64(letztes)), wo);
    }
}

Lauf tst_Stellensuche::kompakt(const QString &ziel, int kerne, qint64 hoechstens, std::shared_ptr<Karte> karte)
{
    TimerRandom random(&eigeneUhr, 0x5eed);
    TestRun run(&random);
    run.setKompakt(true);
    run.setKerne(kerne);
    // Dispatches of the fewest places, at a pace below lavapipe's.
    run.setKarte(std::move(karte), 1e7);
    run.setYieldInterval(250'000); // a stop past the cap, but well below the tests' cap
    run.target = ziel;
    run.laufend = true;
    run.onYield = [&] { run.laufend = run.Anzahl.whole() < hoechstens; };
    run.Generieren();

    Lauf lauf{run.Anzahl.whole(), run.naehe(), run.messages.size() == 1, {}, {}, run.ohneKarte()};
    const Logdatei datei(run.recordPath());
    const QByteArray zeilen = datei.zeilen(1, datei.zeichen());
    for (qsizetype at = 0; at < zeilen.size(); at += 3)
        lauf.text += zeilen[at];
    for (qint64 j = 0; const auto strecke = datei.aufzeichnung()->eintrag(j); ++j)
        lauf.eintraege << *strecke;
    return lauf;
}

// Records of entries of one to six letters, some with an entry behind them
// that holds but does not follow: from any line, forwards and backwards,
// where a plain search through the record's text finds.
void tst_Stellensuche::viewerFindsOverEntriesOfAnyLength()
{
    QRandomGenerator zufall(20261211);
    for (int round = 0; round < 300; ++round) {
        QList<Strecke> strecken;
        for (int j = int(zufall.bounded(1, 16)); j >= 0; --j) {
            // The last, in every other record, claims the first letters again.
            const bool fremd = j == 0 && round % 2;
            const quint64 erstes = strecken.isEmpty() ? 0 : strecken.last().ende();
            strecken << Strecke{fremd ? 0 : erstes, zufall.generate64(), zufall.generate64(),
                                             fremd ? 100u : quint32(zufall.bounded(1, 7))};
        }
        const Logdatei datei(aufzeichnung(m_dir->filePath(QStringLiteral("short.dovrec")), strecken));
        QByteArray text;
        for (const QByteArray zeilen = datei.zeilen(1, datei.zeichen()); text.size() * 3 < zeilen.size();)
            text += zeilen[text.size() * 3];
        const QByteArray gesucht = text.mid(zufall.bounded(text.size()), zufall.bounded(1, 6));
        const qint64 ab = zufall.bounded(text.size() + 2);
        std::atomic<qint64> geschafft = 0;
        const QByteArray wo = gesucht + " in " + text + " from " + QByteArray::number(ab);
        QVERIFY2(Textsuche::finden(datei, gesucht, quint64(ab), Richtung::Vorwaerts, {}, geschafft)
                     == platz(ab < text.size() ? text.indexOf(gesucht, ab) : -1), wo);
        QVERIFY2(Textsuche::finden(datei, gesucht, quint64(ab), Richtung::Rueckwaerts, {}, geschafft)
                     == platz(text.lastIndexOf(gesucht, std::min<qsizetype>(ab, text.size() - 1))), wo);
    }
}

// Within one reading a typist's counter moves on past every place it
// looked at, so that no two pieces of one key share a state.
void tst_Stellensuche::typistNeverRepeatsAState()
{
    Tipper tipper([] { return quint64(42); }, 0x5eed);
    const Strecke erstes = tipper.anfangen();
    tipper.beenden(3 * Tipper::Schub);
    const Strecke zweites = tipper.anfangen();
    QCOMPARE(zweites.schluessel, erstes.schluessel);
    QCOMPARE(zweites.zaehler, RandomGenerator::weiter(erstes.zaehler, 3 * Tipper::Schub));
}

// A record of 10^12 letters in 250 entries: a search that is called off
// ends within a piece of the record, long before its end.
void tst_Stellensuche::searchThroughARecordStopsWhenAsked()
{
    constexpr quint64 Anzahl = 4'000'000'000;
    QList<Strecke> strecken;
    for (quint64 j = 0; j < 250; ++j)
        strecken << Strecke{j * Anzahl, j, 7 * j, quint32(Anzahl)};
    const Logdatei datei(aufzeichnung(m_dir->filePath(QStringLiteral("large.dovrec")), strecken));
    QCOMPARE(datei.zeichen(), qint64(250 * Anzahl));
    std::stop_source stop;
    std::atomic<qint64> geschafft = 0;
    quint64 treffer = 0;
    std::thread suche([&] { treffer = Textsuche::finden(datei, QByteArray(20, 'Q'), 0, Richtung::Vorwaerts, stop.get_token(), geschafft); });
    QTRY_VERIFY(geschafft > 0);
    stop.request_stop();
    suche.join();
    QCOMPARE(treffer, KeinFund);
    QVERIFY(geschafft < datei.zeichen() / 10);
}

void tst_Stellensuche::compactRunIsWhatItsRecordSays_data()
{
    QTest::addColumn<int>("kerne");
    QTest::addColumn<int>("laenge"); // from the letters over an entry's edge
    QTest::addColumn<QString>("ziel"); // else this
    for (const int kerne : {1, 2}) {
        for (const int laenge : {1, 3, 8, 12, 40})
            QTest::addRow("%d typists, %d letters over an edge", kerne, laenge) << kerne << laenge << QString();
        QTest::addRow("%d typists, overlapping itself", kerne) << kerne << 0 << QStringLiteral("AAAAA");
        QTest::addRow("%d typists, overlapping in pairs", kerne) << kerne << 0 << QStringLiteral("ABABABAB");
        QTest::addRow("%d typists, stopped", kerne) << kerne << 0 << QStringLiteral("ZEICHENFOLGE");
        // Its closest match, two letters, comes again and again: where it first ended counts.
        QTest::addRow("%d typists, a character no letter matches", kerne) << kerne << 0 << QStringLiteral("AB?");
        // Every start's skips made at once would take the square of its length.
        QTest::addRow("%d typists, a target of a million letters", kerne) << kerne << 0
                                                                          << QStringLiteral("ZEICHENFOLGE").repeated(83'334);
    }
}

// A compact run searches only some of its letters on every typist's core;
// what it says is what a reading of its record from the start says: where
// the target first ends and nowhere before, the closest match and where it
// first ends, the count after a stop. The viewer finds the same.
void tst_Stellensuche::compactRunIsWhatItsRecordSays()
{
    QFETCH(int, kerne);
    QFETCH(int, laenge);
    QFETCH(QString, ziel);
    constexpr qint64 Hoechstens = 1'000'000;
    if (laenge > 0) {
        // The same clock and key type the same letters: a target from over
        // the edge of two pieces is there again, whoever typed them.
        const Lauf erster = kompakt(QStringLiteral("ZEICHENFOLGE"), kerne, 200'000);
        QVERIFY(erster.eintraege.size() > 20);
        const quint64 grenze = erster.eintraege.at(erster.eintraege.size() / 2).erstes;
        ziel = QString::fromLatin1(erster.text.mid(qsizetype(grenze) - laenge / 2, laenge));
    }
    const Lauf lauf = kompakt(ziel, kerne, Hoechstens);
    const QByteArray gesucht = ziel.toLatin1();
    wieGelesen(lauf, gesucht, Hoechstens);
    const qsizetype erstes = lauf.text.indexOf(gesucht);

    // The viewer's search through the record, from either end.
    const Logdatei datei(m_dir->filePath(QStringLiteral("Generated Chars.dovrec")));
    std::atomic<qint64> geschafft = 0;
    QCOMPARE(Textsuche::finden(datei, gesucht, 0, Richtung::Vorwaerts, {}, geschafft), platz(erstes));
    QCOMPARE(Textsuche::finden(datei, gesucht, quint64(datei.zeichen()) - 1, Richtung::Rueckwaerts, {}, geschafft),
             platz(lauf.text.lastIndexOf(gesucht)));
}

void tst_Stellensuche::cardTypesBesideTheCores_data()
{
    QTest::addColumn<QString>("ziel");
    QTest::addColumn<int>("ausfall"); // dispatches until the card fails; -1: never
    QTest::newRow("three letters") << QStringLiteral("ZEI") << -1;
    QTest::newRow("five letters") << QStringLiteral("QZXJV") << -1;
    QTest::newRow("overlapping itself") << QStringLiteral("AAAAA") << -1;
    QTest::newRow("ten letters, stopped") << QStringLiteral("ZEICHENFOL") << -1;
    QTest::newRow("the card failing") << QStringLiteral("ZEICHENFOL") << 7;
}

namespace {

std::shared_ptr<Karte> lavapipe(int ausfall)
{
    QString warum;
    std::shared_ptr<Karte> karte = Karte::waehlen(QStringLiteral("llvmpipe"), &warum);
    if (!karte)
        qFatal("no lavapipe: %s", qPrintable(warum));
    karte->ausfallNach(ausfall);
    return karte;
}

// The least a dispatch holds: a piece of the card's is no shorter, where it
// ends by its clock.
bool vonDerKarte(const Strecke &eintrag)
{
    return eintrag.anzahl >= 64 * Kartensuche::stellenJeAufruf();
}

} // namespace

// The card's typist beside a core's: what the run says is what its record
// says, where the card types all along and where it fails part way, after
// which the core goes on alone.
void tst_Stellensuche::cardTypesBesideTheCores()
{
    QFETCH(QString, ziel);
    QFETCH(int, ausfall);
    constexpr qint64 Hoechstens = 40'000'000;
    const Lauf lauf = kompakt(ziel, 1, Hoechstens, lavapipe(ausfall));
    wieGelesen(lauf, ziel.toLatin1(), Hoechstens);
    QCOMPARE(lauf.ohneKarte.isEmpty(), ausfall < 0);
    QVERIFY(lauf.gefunden || std::any_of(lauf.eintraege.begin(), lauf.eintraege.end(), vonDerKarte));
}

// A card that fails at once: its first piece ends before any place, as it
// searched none, and the letters its key and counter give there are no
// part of the run. Taken from a run whose card typed them, as the target,
// they are not found.
void tst_Stellensuche::failedCardClaimsNoUnsearchedLetter()
{
    const Lauf erster = kompakt(QStringLiteral("ZEICHENFOLGE"), 1, 2'000'000, lavapipe(-1));
    QVERIFY(erster.eintraege.size() > 1 && vonDerKarte(erster.eintraege[1])); // the second turn is the card's
    QString ziel;
    for (quint64 i = 100; i < 108; ++i)
        ziel += QLatin1Char(erster.eintraege[1].buchstabe(i));
    const Lauf lauf = kompakt(ziel, 1, 2'000'000, lavapipe(0));
    QVERIFY(!lauf.ohneKarte.isEmpty());
    wieGelesen(lauf, ziel.toLatin1(), 2'000'000);
    QVERIFY(!lauf.gefunden);
}

// A run's count goes on past the 9.2·10^14 of the old currency; what ends
// it is its record, which says no more than 2^60 letters: exactly there.
void tst_Stellensuche::runEndsWhereItsRecordIsFull()
{
    constexpr quint64 Voll = Aufzeichnung::HoechstensZeichen;
    Currency anzahl = Currency::fromWhole(qint64(Voll) - 1);
    anzahl += 1;
    QCOMPARE(anzahl.digits(), QStringLiteral("1152921504606846976"));
    Aufzeichner aufzeichnung;
    aufzeichnung.oeffnen(m_dir->filePath(QStringLiteral("voll.dovrec")));
    const Abgleich abgleich(u"ZEICHENFOLGE");
    Tipprunde runde(abgleich, "ZEICHENFOLGE", {Voll - 100'000, abgleich.schritt().zustand(0), {}}, aufzeichnung,
                    {1, {}, 0, &eigeneUhr, 0x5eed});
    for (int i = 0; i < 1000 && !runde.voll(); ++i)
        runde.warten(std::chrono::steady_clock::now() + std::chrono::milliseconds(10));
    QCOMPARE(runde.zeichen(), Voll);
}

QTEST_GUILESS_MAIN(tst_Stellensuche)
#include "tst_stellensuche.moc"
