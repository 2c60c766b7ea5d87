#include "readall.h"
#include "aufzeichner.h"
#include "aufzeichnungsleser.h"
#include "filesizelimit.h"
#include "runtimeerror.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class tst_Aufzeichner : public QObject
{
    Q_OBJECT

private slots:
    void failedWriteLosesNoEntry_data();
    void failedWriteLosesNoEntry();
};

namespace {

constexpr int Groesse = Aufzeichnung::Groesse;
constexpr quint64 Laenge = 7; // letters a stretch


// Step 0, 1 or 2 of a run's record as the run makes it: the header, a
// yield's ten entries, ten more at the close.
void schritt(Aufzeichner &record, const QString &path, int step)
{
    if (step == 0)
        return record.oeffnen(path);
    for (int i = 10 * (step - 1); i < 10 * step; ++i)
        record.beginne({i * Laenge, quint64(0x5eed + i), quint64(i) << 32, 0});
    record.beende(10 * step * Laenge);
    step == 1 ? record.schreiben() : record.schliessen();
}

} // namespace

void tst_Aufzeichner::failedWriteLosesNoEntry_data()
{
    QTest::addColumn<qint64>("limit");
    QTest::addColumn<int>("failingStep");
    QTest::newRow("header cut") << qint64(20) << 0;
    QTest::newRow("entry cut at a yield") << qint64(4 * Groesse + 5) << 1;
    QTest::newRow("at an entry's end at a yield") << qint64(5 * Groesse) << 1;
    QTest::newRow("entry cut at the close") << qint64(13 * Groesse + 17) << 2;
}

// A disk full for a moment: the file keeps its whole entries, and once
// there is room again the entries that did not fit follow them, as if
// nothing had failed.
void tst_Aufzeichner::failedWriteLosesNoEntry()
{
    QFETCH(qint64, limit);
    QFETCH(int, failingStep);
    QTemporaryDir dir;
    const QString expectedPath = dir.filePath(QStringLiteral("expected.dovrec")), path = dir.filePath(QStringLiteral("r.dovrec"));
    {
        Aufzeichner expected;
        for (int step = 0; step < 3; ++step)
            schritt(expected, expectedPath, step);
    }
    const QByteArray expected = readAll(expectedPath);
    QCOMPARE(expected.size(), 21 * Groesse);

    Aufzeichner record;
    FileSizeLimit fileSizeLimit(limit);
    QVERIFY(fileSizeLimit.isSet());
    int step = 0;
    try {
        for (; step < 3; ++step)
            schritt(record, path, step);
        QFAIL("a write past the limit went unreported");
    } catch (const RuntimeError &error) {
        QVERIFY2(error.text().startsWith(QStringLiteral("In die Datei konnte nicht geschrieben werden.\n\nDatei: ") + path),
                 qPrintable(error.text()));
    }
    QCOMPARE(step, failingStep);
    QCOMPARE(readAll(path), expected.left(limit / Groesse * Groesse));

    fileSizeLimit.lift();
    while (++step < 3)
        schritt(record, path, step);
    record.schliessen();
    QCOMPARE(readAll(path), expected);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const Aufzeichnungsleser leser(file.handle());
    QCOMPARE(std::pair(leser.zeichen(), leser.schaden()), std::pair(20 * qint64(Laenge), QString()));
}

QTEST_GUILESS_MAIN(tst_Aufzeichner)
#include "tst_aufzeichner.moc"
