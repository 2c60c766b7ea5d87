#include "files.h"
#include "shellrecorder.h"
#include "testrun.h"
#include "timerrandom.h"
#include "wartezeit.h"

#include <QDesktopServices>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

namespace {

QString decimal(unsigned __int128 value)
{
    QString digits;
    do {
        digits.prepend(QChar(u'0' + int(value % 10)));
        value /= 10;
    } while (value > 0);
    return digits;
}

// The waiting time's distribution by brute force: the automaton's states
// are found by comparing strings, with no use of borders.
std::vector<double> distribution(const QString &target, int alphabet, double tail = 1e-13)
{
    const int length = int(target.size());
    std::vector<std::vector<int>> next(static_cast<size_t>(length), std::vector<int>(static_cast<size_t>(alphabet)));
    for (int j = 0; j < length; ++j) {
        for (int c = 0; c < alphabet; ++c) {
            const QString seen = target.left(j) + QChar(u'A' + c);
            int k = j + 1;
            while (k > 0 && seen.right(k) != target.left(k))
                --k;
            next[size_t(j)][size_t(c)] = k;
        }
    }
    std::vector<double> now(static_cast<size_t>(length), 0.0), found{0.0};
    now[0] = 1;
    for (double remaining = 1; remaining > tail;) {
        std::vector<double> after(now.size(), 0.0);
        double step = 0;
        for (int j = 0; j < length; ++j) {
            for (int to : next[size_t(j)])
                (to == length ? step : after[size_t(to)]) += now[size_t(j)] / alphabet;
        }
        now.swap(after);
        found.push_back(step);
        remaining -= step;
    }
    return found; // found[m]: the target first appears with letter m
}

qint64 markOf(const std::vector<double> &found, double p)
{
    double appeared = 0;
    for (size_t m = 0; m < found.size(); ++m) {
        appeared += found[m];
        if (appeared >= p)
            return qint64(m);
    }
    return -1;
}

quint64 frozenClock()
{
    return 987'654'321;
}

} // namespace

class tst_Wartezeit : public QObject
{
    Q_OBJECT

private slots:
    void expectedExactly_data();
    void expectedExactly();
    void expectedIsTheMeanOfTheDistribution();
    void marksOfTheDistribution();
    void tailAgreesWithTheAutomaton();
    void meanOfRunsMatches();
    void germanNumbers();
};

void tst_Wartezeit::expectedExactly_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("art");
    const auto bits64 = int(Grosszahl::Art::Bits64), bits128 = int(Grosszahl::Art::Bits128);
    QTest::newRow("empty") << QString() << QStringLiteral("0") << bits64;
    QTest::newRow("AB") << QStringLiteral("AB") << QStringLiteral("676") << bits64;
    QTest::newRow("AA") << QStringLiteral("AA") << QStringLiteral("702") << bits64;
    QTest::newRow("ABA") << QStringLiteral("ABA") << QStringLiteral("17602") << bits64;
    QTest::newRow("AAA") << QStringLiteral("AAA") << QStringLiteral("18278") << bits64;
    QTest::newRow("ABCDE") << QStringLiteral("ABCDE") << QStringLiteral("11881376") << bits64;
    QTest::newRow("13 A, 64 bits") << QStringLiteral("A").repeated(13) << QStringLiteral("2580398988131886038")
                                   << bits64;
    QTest::newRow("14 A, 128 bits") << QStringLiteral("A").repeated(14) << QStringLiteral("67090373691429037014")
                                    << bits128;
    QTest::newRow("16 letters") << QStringLiteral("ABCDEFGHIJKLMNOP")
                                << QStringLiteral("43608742899428874059776") << bits128;
}

void tst_Wartezeit::expectedExactly()
{
    QFETCH(QString, target);
    QFETCH(QString, expected);
    QFETCH(int, art);
    const Grosszahl value = Wartezeit(target).expected();
    QCOMPARE(int(value.art()), art);
    QCOMPARE(decimal(value.exact()), expected);
}

// For every target of up to 3 letters over the letters A, B and C.
void tst_Wartezeit::expectedIsTheMeanOfTheDistribution()
{
    QStringList targets = {QString()};
    for (int length = 1; length <= 3; ++length) {
        QStringList longer;
        for (const QString &target : std::as_const(targets))
            longer << target + u'A' << target + u'B' << target + u'C';
        targets = longer;
        for (const QString &target : std::as_const(targets)) {
            const std::vector<double> found = distribution(target, 3);
            double mean = 0;
            for (size_t m = 0; m < found.size(); ++m)
                mean += double(m) * found[m];
            const double formula = double(Wartezeit(target, 3).expected().exact());
            QVERIFY2(std::fabs(mean - formula) < 1e-8 * formula,
                     qPrintable(QStringLiteral("%1: %2 against %3").arg(target).arg(mean).arg(formula)));
        }
    }
}

void tst_Wartezeit::marksOfTheDistribution()
{
    for (const QString &target : {QStringLiteral("A"), QStringLiteral("AB"), QStringLiteral("AA"),
                                  QStringLiteral("ABA"), QStringLiteral("BAB"), QStringLiteral("ABC")}) {
        const std::vector<double> found = distribution(target, 26, 0.04);
        const Wartezeit wartezeit(target);
        for (double p : {0.5, 0.95})
            QCOMPARE(qint64(wartezeit.mark(p).exact()), markOf(found, p));
        const qint64 letters = qint64(found.size()) / 2;
        double appeared = 0;
        for (qint64 m = 0; m <= letters; ++m)
            appeared += found[size_t(m)];
        QVERIFY(std::fabs(wartezeit.chance(letters) - appeared) < 1e-9);
    }
}

// Where both hold, the tail gives what the automaton gives, to the digits shown.
void tst_Wartezeit::tailAgreesWithTheAutomaton()
{
    for (const QString &target : {QStringLiteral("Q"), QStringLiteral("AB"), QStringLiteral("ZZ"),
                                  QStringLiteral("ABA"), QStringLiteral("ABCD"), QStringLiteral("AAAA"),
                                  QStringLiteral("ABAB"), QStringLiteral("AABA")}) {
        const Wartezeit wartezeit(target);
        for (double p : {0.5, 0.95})
            QCOMPARE(wartezeit.markByTail(p).text(), Grosszahl(wartezeit.markByAutomaton(p)).text());
        const qint64 expected = qint64(wartezeit.expected().exact());
        QVERIFY(std::fabs(wartezeit.chanceByTail(expected) - wartezeit.chanceByAutomaton(expected)) < 1e-9);
    }
}

// The expectation is what runs take on average: within four standard errors.
void tst_Wartezeit::meanOfRunsMatches()
{
    QTemporaryDir dir;
    Files::setProgramDirectory(dir.path());
    ShellRecorder shell;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &shell, "open");
    TimerRandom random(&frozenClock, 20261207);
    for (const auto &[target, Runs] : {std::pair(QStringLiteral("AB"), 2000), std::pair(QStringLiteral("AA"), 2000),
                                       std::pair(QStringLiteral("QZQ"), 300)}) {
        double sum = 0, squares = 0;
        TestRun run(&random);
        run.target = target;
        for (int i = 0; i < Runs; ++i) {
            run.Anzahl = {};
            run.laufend = true;
            run.Generieren();
            const double letters = double(run.Anzahl.whole());
            sum += letters;
            squares += letters * letters;
        }
        const double mean = sum / Runs;
        const double standardError = std::sqrt((squares / Runs - mean * mean) / Runs);
        const double expected = double(Wartezeit(target).expected().exact());
        QVERIFY2(std::fabs(mean - expected) < 4 * standardError,
                 qPrintable(QStringLiteral("%1: %2 ± %3, expected %4").arg(target).arg(mean).arg(standardError).arg(expected)));
    }
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
}

void tst_Wartezeit::germanNumbers()
{
    QCOMPARE(Grosszahl(17576).text(), QStringLiteral("17.576"));
    QCOMPARE(Grosszahl(1'234'567'890).text(), QStringLiteral("1,23 Mrd."));
    QCOMPARE(Grosszahl(999'999'999).text(), QStringLiteral("1 Mrd."));
    QCOMPARE(Wartezeit(QStringLiteral("ZEICHENFOLGE")).expected().text(), QStringLiteral("≈ 9,5 · 10^16"));
    QCOMPARE(Wartezeit(QStringLiteral("AB").repeated(500'000)).expected().text(),
             QStringLiteral("≈ 2,2 · 10^1414973"));
    QCOMPARE(Wartezeit(QStringLiteral("A").repeated(40)).mark(0.5).text(), QStringLiteral("≈ 2,9 · 10^56"));
}

QTEST_GUILESS_MAIN(tst_Wartezeit)
#include "tst_wartezeit.moc"
