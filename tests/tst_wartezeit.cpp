#include "auskunft.h"
#include "files.h"
#include "groesse.h"
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

// The matching automaton by brute force: its states are found by comparing
// strings, with no use of borders.
std::vector<std::vector<int>> automaton(const QString &target, int alphabet)
{
    const int length = int(target.size());
    std::vector<std::vector<int>> next(size_t(length), std::vector<int>(static_cast<size_t>(alphabet)));
    for (int j = 0; j < length; ++j) {
        for (int c = 0; c < alphabet; ++c) {
            const QString seen = target.left(j) + QChar(u'A' + c);
            int k = j + 1;
            while (k > 0 && seen.right(k) != target.left(k))
                --k;
            next[size_t(j)][size_t(c)] = k;
        }
    }
    return next;
}

// The waiting time's distribution: found[m] is the chance that the target
// first appears with letter m.
std::vector<double> distribution(const QString &target, int alphabet, double tail = 1e-13)
{
    const auto next = automaton(target, alphabet);
    std::vector<double> now(target.size(), 0.0), found{0.0};
    now[0] = 1;
    for (double remaining = 1; remaining > tail;) {
        std::vector<double> after(now.size(), 0.0);
        double step = 0;
        for (size_t j = 0; j < now.size(); ++j) {
            for (int to : next[j])
                (to == target.size() ? step : after[size_t(to)]) += now[j] / alphabet;
        }
        now.swap(after);
        found.push_back(step);
        remaining -= step;
    }
    return found;
}

// Whole numbers of any size, base 2^32, least significant first.
struct Ganz
{
    std::vector<quint32> words{0};

    void add(const Ganz &other)
    {
        words.resize(std::max(words.size(), other.words.size()) + 1, 0);
        quint64 carry = 0;
        for (size_t i = 0; i < words.size(); ++i) {
            carry += quint64(words[i]) + (i < other.words.size() ? other.words[i] : 0);
            words[i] = quint32(carry);
            carry >>= 32;
        }
        trim();
    }
    void multiply(quint32 factor)
    {
        quint64 carry = 0;
        for (quint32 &word : words) {
            carry += quint64(word) * factor;
            word = quint32(carry);
            carry >>= 32;
        }
        if (carry)
            words.push_back(quint32(carry));
    }
    void trim()
    {
        while (words.size() > 1 && words.back() == 0)
            words.pop_back();
    }
    bool operator>=(const Ganz &other) const
    {
        if (words.size() != other.words.size())
            return words.size() > other.words.size();
        return !std::lexicographical_compare(words.rbegin(), words.rend(), other.words.rbegin(), other.words.rend());
    }
    // The natural logarithm, to a long double's precision.
    long double ln() const
    {
        long double top = 0;
        const size_t from = words.size() > 3 ? words.size() - 3 : 0;
        for (size_t i = words.size(); i-- > from;)
            top = top * 4294967296.0L + words[i];
        return std::log(top) + (long double)from * 32 * std::log(2.0L);
    }
};

// The chance that the target has appeared within m letters, exactly, as the
// fraction appeared[m] / alphabet^m of all strings of m letters.
struct ExactChances
{
    std::vector<Ganz> appeared, all;
    ExactChances(const QString &target, int alphabet, int letters)
    {
        const auto next = automaton(target, alphabet);
        std::vector<Ganz> now(target.size()); // strings without the target, by state
        now[0].words = {1};
        appeared.resize(size_t(letters) + 1);
        all.resize(size_t(letters) + 1);
        all[0].words = {1};
        if (target.isEmpty())
            appeared[0].words = {1};
        for (int m = 1; m <= letters; ++m) {
            Ganz fresh = appeared[size_t(m - 1)];
            fresh.multiply(quint32(alphabet));
            std::vector<Ganz> after(now.size());
            for (size_t j = 0; j < now.size(); ++j) {
                for (int to : next[j])
                    (to == target.size() ? fresh : after[size_t(to)]).add(now[j]);
            }
            now.swap(after);
            appeared[size_t(m)] = fresh;
            all[size_t(m)] = all[size_t(m - 1)];
            all[size_t(m)].multiply(quint32(alphabet));
        }
    }
    // The smallest m with appeared / all >= numerator / denominator.
    qint64 mark(quint32 numerator, quint32 denominator) const
    {
        for (size_t m = 0; m < appeared.size(); ++m) {
            Ganz left = appeared[m], right = all[m];
            left.multiply(denominator);
            right.multiply(numerator);
            if (left >= right)
                return qint64(m);
        }
        return -1;
    }
};

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
    void chancesAndMarksExactly();
    void meanOfRunsMatches();
    void germanNumbers();
    void textsAreTrue_data();
    void textsAreTrue();
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

// Against the exact fractions: every target of up to 4 letters over A, B
// and C and a few longer ones, at every count up to 2000; and the marks.
void tst_Wartezeit::chancesAndMarksExactly()
{
    QStringList targets = {QString()}, all;
    for (int length = 1; length <= 4; ++length) {
        QStringList longer;
        for (const QString &target : std::as_const(targets))
            longer << target + u'A' << target + u'B' << target + u'C';
        targets = longer;
        all += targets;
    }
    all << QStringLiteral("ABABAB") << QStringLiteral("AAAAAAA") << QStringLiteral("ABCABCAB") << QStringLiteral("AABAABAA");
    constexpr int Letters = 2000;
    for (const QString &target : std::as_const(all)) {
        const ExactChances exact(target, 3, Letters);
        const Wartezeit wartezeit(target, 3);
        for (int m = 0; m <= Letters; ++m) {
            const long double log10 = wartezeit.log10Chance(m);
            if (m < target.size()) {
                QVERIFY2(std::isinf(log10) && log10 < 0, qPrintable(QStringLiteral("%1 at %2").arg(target).arg(m)));
                continue;
            }
            const long double wanted = exact.appeared[size_t(m)].ln() - exact.all[size_t(m)].ln();
            QVERIFY2(std::fabs(log10 * std::log(10.0L) - wanted) < 1e-12L,
                     qPrintable(QStringLiteral("%1 at %2: %3 against %4").arg(target).arg(m)
                                    .arg(double(log10)).arg(double(wanted / std::log(10.0L)))));
        }
        for (const auto &[numerator, denominator] : {std::pair(1u, 2u), std::pair(19u, 20u)}) {
            const qint64 mark = exact.mark(numerator, denominator);
            if (mark >= 0)
                QCOMPARE(qint64(wartezeit.mark(int(numerator), int(denominator)).exact()), mark);
        }
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
    QCOMPARE(Wartezeit(QStringLiteral("ZEICHENFOLGE")).expected().text(), QStringLiteral("≈ 9,5 · 10¹⁶"));
    QCOMPARE(Wartezeit(QStringLiteral("AB").repeated(500'000)).expected().text(),
             QStringLiteral("≈ 2,2 · 10¹⁴¹⁴⁹⁷³"));
    QCOMPARE(Wartezeit(QStringLiteral("A").repeated(40)).mark(1, 2).text(), QStringLiteral("≈ 2,9 · 10⁵⁶"));
}

void tst_Wartezeit::textsAreTrue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected"); // a part of it, or "!" and what it lacks
    const OutputFile::Space disk{quint64(1) << 40, quint64(2) << 40};
    const auto ziel = [&](const char *target, double speed) {
        return Auskunft::zumZiel(QLatin1String(target), {speed}, disk);
    };
    const auto lauf = [](const QString &target, qint64 letters, Naehe naehe = {}) {
        return Auskunft::zumLauf(target, Wartezeit(target), letters, 5e7, naehe);
    };
    const QString aBs = QStringLiteral("A") + QStringLiteral("B").repeated(229);
    QTest::newRow("95 % mark rounded up") << ziel("ABAB", 1e6) << QStringLiteral("mit 95 % nach 1,38 Mio.");
    QTest::newRow("chance rounded down") << lauf(QStringLiteral("ABAB"), 1'370'000) << QStringLiteral("mit 94,9 % ");
    QTest::newRow("before it can appear") << lauf(QStringLiteral("AAAA"), 3) << QStringLiteral("mit 0 % ");
    QTest::newRow("below a double") << lauf(aBs, 230) << QStringLiteral("mit ≈ 3,5 · 10⁻³²⁴ % ");
    QTest::newRow("1000 letters after 2000") << lauf(QStringLiteral("AB").repeated(500), 2000)
                                             << QStringLiteral("mit ≈ 1,0 · 10⁻¹⁴¹⁰ % ");
    QTest::newRow("closest so far") << lauf(QStringLiteral("QXZJWABC"), 12'345'679, {5, 12'345'678})
                                    << QStringLiteral("Am nächsten bisher: QXZJW, 5 von 8 Buchstaben, nach 12.345.678 Zeichen");
    QTest::newRow("just under a second") << ziel("A", 26 / 0.99996) << QStringLiteral("Dauer: 1 Sekunde bei");
    QTest::newRow("one millisecond") << ziel("A", 26'000) << QStringLiteral("Dauer: 1 Millisekunde bei");
    QTest::newRow("full disk") << Auskunft::zumZiel(QStringLiteral("AB"), {1e6}, {0, 1 << 30})
                               << QStringLiteral("frei sind 0 Byte");
    // A log past the disk's reserve goes on in the record; a record past it stops.
    QTest::newRow("log past the reserve") << Auskunft::zumZiel(QStringLiteral("ABCDEFGH"), {}, {quint64(100) << 30, quint64(1) << 40})
                                          << QStringLiteral("schreibt der Lauf nur noch seine Aufzeichnung weiter");
    QTest::newRow("record past the reserve") << Auskunft::zumZiel(QStringLiteral("AB"), {1e6}, {0, 1 << 30})
                                             << QStringLiteral("Warnung: So viel Platz ist nicht frei");
    QTest::newRow("in the record only") << Auskunft::zumLauf(QStringLiteral("AB"), Wartezeit(QStringLiteral("AB")), 5000, 5e7, {}, 1000)
                                        << QStringLiteral("Nach Zeichen 1.000 stehen die Zeichen nur in der Aufzeichnung");
    // A compact run at its search's pace, beside the run with a log; the
    // counter's end, where a run more likely reaches it than the target.
    QTest::newRow("compact beside") << Auskunft::zumZiel(QStringLiteral("ZEICHENF"), {2.5e8, 5e8}, disk, false)
                                    << QStringLiteral("Kompakt, nur mit Aufzeichnung: 59,7 Sekunden bei 3,5 Mrd. Zeichen pro Sekunde");
    QTest::newRow("compact run") << Auskunft::zumZiel(QStringLiteral("ZEICHENF"), {2.5e8, 5e8}, disk, true)
                                 << QStringLiteral("Erwartete Dauer: 59,7 Sekunden bei 3,5 Mrd. Zeichen pro Sekunde\nMit Logdatei: 13,9 Minuten");
    QTest::newRow("thirteen letters: poor odds") << ziel("ZEICHENFOLGEN", 1e9)
                                                 << QStringLiteral("Bis die Aufzeichnung nach ≈ 1,1 · 10¹⁸ Zeichen voll ist, erscheint sie nur mit 37,1 % Wahrscheinlichkeit.");
    QTest::newRow("twelve letters: good odds") << ziel("ZEICHENFOLGE", 1e9) << QStringLiteral("!Geringe Aussicht");
    QTest::newRow("just under a megabyte") << groesse(999'950) << QStringLiteral("1,0 MB");
    QTest::newRow("just under a terabyte") << groesse(999'960'000'000) << QStringLiteral("1,0 TB");
    QTest::newRow("just under 10^15") << Grosszahl::fromLog10(std::log10(999.9e12L)).text()
                                      << QStringLiteral("≈ 1,0 · 10¹⁵");
    QTest::newRow("mantissa rounding to 10") << Grosszahl::fromLog10(std::log10(9.96e16L)).text()
                                             << QStringLiteral("≈ 1,0 · 10¹⁷");
}

void tst_Wartezeit::textsAreTrue()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    // A "!" first: the text must not hold the rest.
    QVERIFY2(expected.startsWith(u'!') ? !text.contains(expected.mid(1)) : text.contains(expected), qPrintable(text));
}

QTEST_GUILESS_MAIN(tst_Wartezeit)
#include "tst_wartezeit.moc"
