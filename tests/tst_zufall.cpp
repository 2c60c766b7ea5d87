#include "files.h"
#include "logdatei.h"
#include "scriptedrandom.h"
#include "testrun.h"
#include "timerrandom.h"
#include "viewerstart.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <cmath>
#include <limits>

namespace {

// Every draw returns the same value.
class FixedRandom final : public RandomSource
{
public:
    explicit FixedRandom(float r) : m_r(r) {}
    void randomize() override {}
    float rnd() override { return m_r; }
    quint64 timer() const override { return 0; }

private:
    float m_r;
};

quint64 frozenClock()
{
    return 1'234'567'890;
}

double chiSquare(const auto &counts, double expected)
{
    double sum = 0;
    for (const auto count : counts)
        sum += (count - expected) * (count - expected) / expected;
    return sum;
}

} // namespace

class tst_Zufall : public QObject
{
    Q_OBJECT

private slots:
    void letterForTheEdgesOfTheRange_data();
    void letterForTheEdgesOfTheRange();
    void zufallszahlStaysWithinItsBounds();
    void wholeBoundsGiveWhatDoublePrecisionGives_data();
    void wholeBoundsGiveWhatDoublePrecisionGives();
    void lettersAreUniformSingleAndInPairs_data();
    void lettersAreUniformSingleAndInPairs();
};

void tst_Zufall::letterForTheEdgesOfTheRange_data()
{
    QTest::addColumn<float>("r");
    QTest::addColumn<QString>("letter");
    QTest::newRow("0") << 0.0f << QStringLiteral("A");
    QTest::newRow("just below 1/26") << std::nextafter(1.0f / 26, 0.0f) << QStringLiteral("A");
    QTest::newRow("just above 1/26") << std::nextafter(1.0f / 26, 1.0f) << QStringLiteral("B");
    // In single precision 65 + 26 r rounds up to 91, one past Z.
    QTest::newRow("largest draw") << 1.0f - 0x1.0p-24f << QStringLiteral("Z");
}

void tst_Zufall::letterForTheEdgesOfTheRange()
{
    QFETCH(float, r);
    QFETCH(QString, letter);
    FixedRandom random(r);
    TestRun run(&random);
    QCOMPARE(run.Zufallszeichen().toString(), letter);
}

void tst_Zufall::zufallszahlStaysWithinItsBounds()
{
    TestRun run(nullptr);
    std::array<int, 5> seen{};
    for (int i = 0; i < 10000; ++i) {
        QCOMPARE(run.Zufallszahl(qint16(5), qint16(5)).toDouble(), 5.0);
        const double value = run.Zufallszahl(QStringLiteral("3"), 7.0).toDouble();
        QVERIFY2(value >= 3 && value <= 7 && value == std::floor(value), qPrintable(QString::number(value)));
        ++seen[size_t(value - 3)];
    }
    for (int count : seen)
        QVERIFY(count > 1500);
}

void tst_Zufall::wholeBoundsGiveWhatDoublePrecisionGives_data()
{
    QTest::addColumn<qint32>("min");
    QTest::addColumn<qint32>("max");
    QTest::newRow("letters") << 65 << 90;
    QTest::newRow("negative") << -7 << 3;
    QTest::newRow("max below min") << 5 << -5;
    QTest::newRow("widest Long") << std::numeric_limits<qint32>::min() << std::numeric_limits<qint32>::max();
}

// Between whole-number bounds the program's generator takes exact integer
// arithmetic; for the same draws it gives what the formula in double
// precision gives, down to the rounding of a negative width.
void tst_Zufall::wholeBoundsGiveWhatDoublePrecisionGives()
{
    QFETCH(qint32, min);
    QFETCH(qint32, max);
    TimerRandom exact(&frozenClock, 7);
    TimerRandom reference(&frozenClock, 7);
    TestRun run(&exact);
    for (int i = 0; i < 100'000; ++i) {
        reference.randomize();
        const double expected = std::floor(double(min) + (double(max) - double(min) + 1.0) * reference.rnd());
        QCOMPARE(run.Zufallszahl(min, max).toDouble(), expected);
    }
}

void tst_Zufall::lettersAreUniformSingleAndInPairs_data()
{
    QTest::addColumn<int>("source");
    QTest::newRow("monotonic clock") << 0;
    QTest::newRow("frozen clock") << 1;
    // Both typists' letters, the second's taken in blocks between the first's.
    QTest::newRow("a run's log") << 2;
    // Every core's typist, each reseeded a batch of places after the clock moves.
    QTest::newRow("a compact run's record") << 3;
}

// A reseed that brought back an earlier state would repeat letters within a
// clock tick, which the pairs show at once. The bounds lie six standard
// deviations out on both sides: too even is as wrong as too uneven.
void tst_Zufall::lettersAreUniformSingleAndInPairs()
{
    QFETCH(int, source);
    constexpr int Draws = 2'704'000;
    QByteArray drawn;
    if (source >= 2) {
        QTemporaryDir folder;
        Files::setProgramDirectory(folder.path());
        TimerRandom random;
        TestRun run(&random);
        run.setKompakt(source == 3);
        run.target = QStringLiteral("ZEICHENFOLGE");
        run.laufend = true;
        run.onYield = [&run] { run.laufend = run.Anzahl.whole() < Draws; };
        ViewerStart::setHandler([](const QStringList &) { return true; });
        run.Generieren();
        ViewerStart::setHandler({});
        Files::setProgramDirectory({});
        const QByteArray bytes = Logdatei(source == 3 ? run.recordPath() : run.logPath()).zeilen(1, Draws);
        QCOMPARE(bytes.size(), 3 * Draws);
        for (qsizetype at = 0; at < qsizetype(3) * Draws; at += 3)
            drawn += bytes.at(at);
    } else {
        TimerRandom random = source == 1 ? TimerRandom(&frozenClock, 42) : TimerRandom();
        TestRun run(&random);
        for (int i = 0; i < Draws; ++i)
            drawn += char(run.Zufallszeichen().stringView().front().unicode());
    }

    std::array<int, 26> letters{};
    std::array<int, 26 * 26> pairs{};
    int previous = -1;
    for (int i = 0; i < Draws; ++i) {
        const int letter = drawn.at(i) - 'A';
        QVERIFY(letter >= 0 && letter < 26);
        ++letters[size_t(letter)];
        if (i % 2 == 1)
            ++pairs[size_t(previous * 26 + letter)];
        previous = letter;
    }
    const double single = chiSquare(letters, Draws / 26.0);
    const double paired = chiSquare(pairs, Draws / 2 / 676.0);
    QVERIFY2(single > 4.0 && single < 75.0, qPrintable(QString::number(single)));
    QVERIFY2(paired > 514.0 && paired < 865.0, qPrintable(QString::number(paired)));
}

QTEST_GUILESS_MAIN(tst_Zufall)
#include "tst_zufall.moc"
