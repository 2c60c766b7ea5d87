#include "aufzeichner.h"
#include "aufzeichnungsleser.h"
#include "filesizelimit.h"
#include "runtimeerror.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

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

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

// A run's record in three calls, as the run makes them: the header, a
// yield's ten entries, ten more at the close.
QList<std::function<void()>> recordSteps(Aufzeichner &record, const QString &path)
{
    const auto stretches = [&record](int from, int to) {
        for (int i = from; i < to; ++i)
            record.beginne(i * Laenge, 0x5eed + i, quint64(i) << 32);
        record.beende(to * Laenge);
    };
    return {
        [&record, path] { record.oeffnen(path); },
        [&record, stretches] { stretches(0, 10); record.schreiben(); },
        [&record, stretches] { stretches(10, 20); record.schliessen(); },
    };
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
    const QString expectedPath = dir.filePath(QStringLiteral("expected.dovrec"));
    const QString path = dir.filePath(QStringLiteral("Generated Chars.dovrec"));
    {
        Aufzeichner expected;
        for (const auto &step : recordSteps(expected, expectedPath))
            step();
    }
    const QByteArray expected = readAll(expectedPath);
    QCOMPARE(expected.size(), 21 * Groesse);

    Aufzeichner record;
    const auto steps = recordSteps(record, path);
    FileSizeLimit fileSizeLimit(limit);
    QVERIFY(fileSizeLimit.isSet());
    int step = 0;
    try {
        for (; step < steps.size(); ++step)
            steps[step]();
        QFAIL("a write past the limit went unreported");
    } catch (const RuntimeError &error) {
        QVERIFY2(error.text().startsWith(QStringLiteral("In die Datei konnte nicht geschrieben werden.\n\nDatei: ") + path),
                 qPrintable(error.text()));
    }
    QCOMPARE(step, failingStep);
    QCOMPARE(readAll(path), expected.left(limit / Groesse * Groesse));

    fileSizeLimit.lift();
    while (++step < steps.size())
        steps[step]();
    record.schliessen();
    QCOMPARE(readAll(path), expected);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const Aufzeichnungsleser leser(file.handle());
    QVERIFY(leser.fehler().isEmpty());
    QCOMPARE(leser.zeichen(), 20 * qint64(Laenge));
    QCOMPARE(leser.schaden(), QString());
}

QTEST_GUILESS_MAIN(tst_Aufzeichner)
#include "tst_aufzeichner.moc"
