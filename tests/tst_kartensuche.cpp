#include "karte.h"
#include "kartenfehler.h"
#include "kartensuche.h"
#include "stellensuche.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLibrary>
#include <QRandomGenerator>
#include <QTest>

namespace {

// Where the window of letters that is searched for lies: its leading place
// anywhere, at the edge of a lane or of a dispatch, or over the stretch's
// start, which no window of the stretch reaches over.
enum Ort { Irgendwo, Anfang, UeberAnfang, AufrufEnde, UeberAufruf, AuftragEnde, UeberAuftrag };

// The leading place of the window to take the letters from, for
// dispatches one after the other from grenze[0]; the second spans lanes.
quint64 platz(int ort, quint64 m, const std::array<quint64, 5> &grenze, QRandomGenerator &zufall)
{
    const quint64 aufruf = Kartensuche::stellenJeAufruf();
    const quint64 bahn = grenze[1] + aufruf * zufall.bounded(quint64(1), (grenze[2] - grenze[1]) / aufruf);
    switch (ort) {
    case Anfang:
        return m - 1;
    case UeberAnfang:
        return m / 2 - 1;
    case AufrufEnde:
        return bahn - 1;
    case UeberAufruf:
        return bahn + (m - 1) / 2;
    case AuftragEnde:
        return grenze[2] - 1;
    case UeberAuftrag:
        return grenze[2] + (m - 1) / 2;
    }
    return zufall.bounded(std::max(grenze[0], m - 1), grenze[4]);
}

} // namespace

class tst_Kartensuche : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void findsWhatTheProcessorFinds_data();
    void findsWhatTheProcessorFinds();
    void everyLaneReportsWhatItCovered();
    void paceLeavesNothingInFlight();
    void lostCardThrowsAndNothingHangs();
    void choosesACard_data();
    void choosesACard();
    void noCardWithoutLoader();

private:
    std::unique_ptr<Karte> m_karte;
    QString m_warum;
};

// Not asserted here: the run without a loader has no card.
void tst_Kartensuche::initTestCase()
{
    // lavapipe stays loaded while the test runs: the loader unloads it with
    // each instance, and LeakSanitizer takes what its one-time set-up holds
    // for leaks.
    QLibrary(QStringLiteral("vulkan_lvp")).load();
    m_karte = Karte::waehlen(&m_warum);
}

void tst_Kartensuche::findsWhatTheProcessorFinds_data()
{
    QTest::addColumn<QByteArray>("gesucht"); // empty: laenge letters of the stretch, at ort
    QTest::addColumn<int>("laenge");
    QTest::addColumn<int>("ort");
    for (const int laenge : {1, 2, 3, 5, 8, 13, 40})
        QTest::addRow("%d letters from the stretch", laenge) << QByteArray() << laenge << int(Irgendwo);
    QTest::newRow("the stretch's first window") << QByteArray() << 8 << int(Anfang);
    QTest::newRow("over the stretch's start") << QByteArray() << 8 << int(UeberAnfang);
    for (const int laenge : {2, 8, 40}) {
        QTest::addRow("%d letters ending a lane", laenge) << QByteArray() << laenge << int(AufrufEnde);
        QTest::addRow("%d letters over a lane's edge", laenge) << QByteArray() << laenge << int(UeberAufruf);
        QTest::addRow("%d letters ending a dispatch", laenge) << QByteArray() << laenge << int(AuftragEnde);
        QTest::addRow("%d letters over a dispatch's edge", laenge) << QByteArray() << laenge << int(UeberAuftrag);
    }
    QTest::newRow("not there") << QByteArray("ZEICHENFOLGE") << 0 << 0;
    QTest::newRow("overlapping itself") << QByteArray("AAA") << 0 << 0;
    QTest::newRow("overlapping itself, not there") << QByteArray("AAAAAAAA") << 0 << 0;
    QTest::newRow("overlapping in pairs") << QByteArray("ABAB") << 0 << 0;
    QTest::newRow("overlapping in pairs, not there") << QByteArray("ABABABAB") << 0 << 0;
    QTest::newRow("a character no letter matches") << QByteArray("AB?D") << 0 << 0;
    QTest::newRow("such characters only") << QByteArray("???") << 0 << 0;
}

// Four dispatches one after the other, two in flight, of sizes that are
// multiples of nothing, one of none: each finds what the processor's
// search finds in its range, and goes through all of it.
void tst_Kartensuche::findsWhatTheProcessorFinds()
{
    QFETCH(QByteArray, gesucht);
    QFETCH(int, laenge);
    QFETCH(int, ort);
    QVERIFY2(m_karte, qPrintable(m_warum));
    const quint64 aufruf = Kartensuche::stellenJeAufruf(), m = quint64(gesucht.isEmpty() ? laenge : gesucht.size());
    QRandomGenerator zufall(qChecksum(QByteArrayView(QTest::currentDataTag())));
    Kartensuche suche(*m_karte);
    for (int runde = 0; runde < 3; ++runde) {
        const Strecke strecke{0, zufall.generate64(), zufall.generate64(), 0};
        std::array<quint64, 5> grenze{ort == Anfang || ort == UeberAnfang ? 0 : zufall.bounded(quint64(100))};
        // The last of the first round is empty.
        for (size_t d = 0; d < 4; ++d)
            grenze[d + 1] = grenze[d] + (d == 3 && runde == 0 ? 0 : zufall.bounded(d == 1 ? 3 * aufruf : d == 3 ? 1 : 40, 200 * aufruf));
        const quint64 hier = platz(ort, m, grenze, zufall);
        QByteArray text = gesucht;
        for (quint64 i = hier + 1 - m; gesucht.isEmpty() && i != hier + 1; ++i)
            text += strecke.buchstabe(i);
        const Muster muster(text.toStdString());
        std::array<Kartensuche::Ergebnis, 4> ergebnis;
        suche.geben({strecke, grenze[0], grenze[1], &muster});
        for (size_t d = 0; d < 4; ++d) {
            if (d < 3)
                suche.geben({strecke, grenze[d + 1], grenze[d + 2], &muster});
            ergebnis[d] = suche.nehmen();
        }
        quint64 erster = KeinFund;
        for (size_t d = 0; d < 4; ++d) {
            const quint64 fund = Stellensuche::finden({0, strecke.schluessel, strecke.zaehler, grenze[d + 1]}, muster, grenze[d], grenze[d + 1]);
            const QByteArray wo = text + " from " + QByteArray::number(grenze[d]) + " to " + QByteArray::number(grenze[d + 1])
                + ": found at " + QByteArray::number(ergebnis[d].fund) + " for " + QByteArray::number(fund) + ", "
                + QByteArray::number(ergebnis[d].abgedeckt) + " places gone through";
            QVERIFY2(ergebnis[d].fund == fund && ergebnis[d].abgedeckt == grenze[d + 1] - grenze[d], wo);
            erster = std::min(erster, fund);
        }
        // The letters taken are found where they are, if not before.
        if (gesucht.isEmpty())
            QVERIFY(ort == UeberAnfang ? erster != hier : erster <= hier);
    }
}

// A dispatch of thousands of lanes goes through every place of its range;
// lanes stopped short, as lavapipe stops long loops, make the count fall short.
void tst_Kartensuche::everyLaneReportsWhatItCovered()
{
    QVERIFY2(m_karte, qPrintable(m_warum));
    const Muster muster("ZEICHENFOLGE");
    const quint64 von = 500, bis = von + 5000 * Kartensuche::stellenJeAufruf() + 1234;
    Kartensuche suche(*m_karte);
    suche.geben({{0, 1, 2, 0}, von, bis, &muster});
    suche.bahnenKuerzen(quint32(Kartensuche::stellenJeAufruf() / 2));
    suche.geben({{0, 1, 2, 0}, von, bis, &muster});
    QCOMPARE(suche.nehmen().abgedeckt, bis - von);
    const quint64 kurz = suche.nehmen().abgedeckt;
    QVERIFY2(kurz < bis - von && kurz > (bis - von) / 2, QByteArray::number(kurz));
}

// The measure takes every dispatch it gave: the search goes on with its own.
void tst_Kartensuche::paceLeavesNothingInFlight()
{
    QVERIFY2(m_karte, qPrintable(m_warum));
    const Muster muster("AB");
    Kartensuche suche(*m_karte);
    QVERIFY(suche.stellenProSekunde(muster, std::chrono::milliseconds(20)) > 1e6);
    suche.geben({{0, 5, 6, 0}, 0, 100'000, &muster});
    QCOMPARE(suche.nehmen().fund, Stellensuche::finden({0, 5, 6, 100'000}, muster, 0, 100'000));
}

// A card that fails under the search says so at once, and at every call
// after; nothing waits for the dispatch still in flight.
void tst_Kartensuche::lostCardThrowsAndNothingHangs()
{
    QString warum;
    const std::unique_ptr<Karte> karte = Karte::waehlen(&warum);
    QVERIFY2(karte, qPrintable(warum));
    const Muster muster("ZEICHENF");
    QElapsedTimer uhr;
    uhr.start();
    {
        Kartensuche suche(*karte);
        karte->ausfallNach(1);
        suche.geben({{0, 1, 2, 0}, 0, 1'000'000, &muster});
        suche.geben({{0, 1, 2, 0}, 1'000'000, 2'000'000, &muster});
        QCOMPARE(suche.nehmen().abgedeckt, quint64(1'000'000));
        QVERIFY_THROWS_EXCEPTION(Kartenfehler, suche.nehmen());
        QVERIFY_THROWS_EXCEPTION(Kartenfehler, suche.nehmen());
        QVERIFY_THROWS_EXCEPTION(Kartenfehler, Kartensuche(*karte).geben({{0, 1, 2, 0}, 0, 1'000'000, &muster}));
    }
    QVERIFY(uhr.elapsed() < 1500);
}

void tst_Kartensuche::choosesACard_data()
{
    QTest::addColumn<QString>("wunsch");
    QTest::addColumn<QString>("treiber"); // the drivers' manifests read: lavapipe's alone, a path, or the machine's
    QTest::addColumn<QString>("grund");   // what the reason says; empty: a card is chosen
    QTest::newRow("by name, in any case") << "LLVMpipe" << "" << "";
    QTest::newRow("turned off") << "0" << "" << "abgeschaltet";
    QTest::newRow("no such name") << "no-such-device" << "" << "no-such-device";
    QTest::newRow("by default never the processor's") << "" << "lavapipe" << "Keine Grafikkarte";
    QTest::newRow("no driver") << "llvmpipe" << "/nonexistent" << "Kein Vulkan-Treiber";
}

void tst_Kartensuche::choosesACard()
{
    QFETCH(QString, wunsch);
    QFETCH(QString, treiber);
    QFETCH(QString, grund);
    if (treiber == QLatin1String("lavapipe")) {
        const QDir manifeste(QStringLiteral("/usr/share/vulkan/icd.d"));
        QStringList pfade;
        for (const QString &manifest : manifeste.entryList({QStringLiteral("lvp_icd.*.json")}))
            pfade << manifeste.filePath(manifest);
        QVERIFY(!pfade.isEmpty());
        treiber = pfade.join(QLatin1Char(':'));
    }
    // The loader reads them anew for every instance; newer loaders the first, older the second.
    for (const char *name : {"VK_DRIVER_FILES", "VK_ICD_FILENAMES"})
        if (!treiber.isEmpty())
            qputenv(name, treiber.toLocal8Bit());
    QString warum;
    const std::unique_ptr<Karte> karte = Karte::waehlen(wunsch, &warum);
    for (const char *name : {"VK_DRIVER_FILES", "VK_ICD_FILENAMES"})
        qunsetenv(name);
    QVERIFY2(bool(karte) == grund.isEmpty(), qPrintable(warum));
    QVERIFY2(karte ? karte->prozessor() && karte->name().startsWith(QLatin1String("llvmpipe")) : warum.contains(grund),
             qPrintable(warum));
}

// Run where the system's loader is hidden (tst_kartensuche_noloader).
void tst_Kartensuche::noCardWithoutLoader()
{
    if (QLibrary(QStringLiteral("vulkan"), 1).load())
        QSKIP("The loader is there; tst_kartensuche_noloader hides it");
    QVERIFY(!m_karte);
    QVERIFY2(m_warum.contains(QLatin1String("Kein Vulkan-Treiber")), qPrintable(m_warum));
}

QTEST_GUILESS_MAIN(tst_Kartensuche)
#include "tst_kartensuche.moc"
