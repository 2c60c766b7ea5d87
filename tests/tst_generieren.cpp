#include "abgleich.h"
#include "argv.h"
#include "aufzeichnungsleser.h"
#include "logdatei.h"
#include "betrachteraufruf.h"
#include "filesizelimit.h"
#include "files.h"
#include "reserve.h"
#include "runtimeerror.h"
#include "scriptedrandom.h"
#include "shellrecorder.h"
#include "testrun.h"
#include "timerrandom.h"
#include "viewerstart.h"

#include <QCryptographicHash>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QGuiApplication>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>
#include <QUrl>



Q_DECLARE_METATYPE(Betrachteraufruf::Ausgang)

class tst_Generieren : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void findsTargetWhereItFirstAppears_data();
    void findsTargetWhereItFirstAppears();
    void stopWritesNoFurtherLetter_data();
    void stopWritesNoFurtherLetter();
    void stopInTheYieldAfterTheMatchHidesIt();
    void oldLogIsRemovedBeforeTheRun();
    void plantedLinkIsNeverFollowed();
    void logMovesWhereTheProgramFolderIsNotWritable();
    void failedWriteKeepsTheCountedWholeLines_data();
    void failedWriteKeepsTheCountedWholeLines();
    void logRemovedOrReplacedDuringTheRun();
    void sameLettersForTheSameClock_data();
    void sameLettersForTheSameClock();
    void viewerFailureIsSaid();
    void largeLogGoesToTheOwnViewer_data();
    void largeLogGoesToTheOwnViewer();
    void matchesWhereASearchFinds();
    void secondTypistsLettersAreFollowed_data();
    void secondTypistsLettersAreFollowed();
    void reserveKeepsTheSmallerOf15PercentAnd4GiB_data();
    void reserveKeepsTheSmallerOf15PercentAnd4GiB();
    void recordHoldsWhatWasCountedAtEveryYield_data();
    void recordHoldsWhatWasCountedAtEveryYield();

private:
    QByteArray log() const;
    // The run's record as text, or what kept it from being read.
    QByteArray recordText() const;
    void checkLogHolds(const QByteArray &letters, const TestRun &run) const;
    void followedAsOneTypist(const QString &target) const;

    std::unique_ptr<QTemporaryDir> m_dir;
    ShellRecorder m_shell;
};

void tst_Generieren::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    Files::setProgramDirectory(m_dir->path());
    m_shell.opened.clear();
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &m_shell, "open");
}

void tst_Generieren::cleanup()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    Files::setProgramDirectory({});
}

QByteArray tst_Generieren::log() const
{
    QFile file(m_dir->filePath(QStringLiteral("Generated Chars.txt")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<no log>");
}

QByteArray tst_Generieren::recordText() const
{
    const Logdatei datei(m_dir->filePath(QStringLiteral("Generated Chars.dovrec")));
    QTemporaryFile text;
    if (!text.open() || !datei.aufzeichnung())
        return "<no record: " + datei.fehler().toUtf8() + ">";
    const qint64 letters = datei.aufzeichnung()->alsText(text.handle());
    if (!datei.aufzeichnung()->schaden().isEmpty() || letters < 0)
        return "<" + datei.aufzeichnung()->schaden().toUtf8() + ">";
    text.seek(0);
    return text.readAll();
}

// Each letter of the run and CR LF, nothing else; the count, the caption
// and the desktop's one request agree with it.
void tst_Generieren::checkLogHolds(const QByteArray &letters, const TestRun &run) const
{
    QByteArray expected;
    for (char letter : letters)
        expected += QByteArray(1, letter) + "\r\n";
    QCOMPARE(log(), expected);
    QCOMPARE(run.Anzahl.whole(), letters.size());
    QCOMPARE(run.captions.last(), QString::number(letters.size()) + u' ');
    QCOMPARE(m_shell.opened, QStringList{m_dir->filePath(QStringLiteral("Generated Chars.txt"))});
}

void tst_Generieren::findsTargetWhereItFirstAppears_data()
{
    QTest::addColumn<QByteArray>("letters");
    QTest::addColumn<QString>("target");

    QTest::newRow("empty target, no letter") << QByteArray() << QString();
    QTest::newRow("one letter") << QByteArray("XYZ") << QStringLiteral("Z");
    QTest::newRow("repeat before the match") << QByteArray("AAB") << QStringLiteral("AB");
    QTest::newRow("longer repeat") << QByteArray("AAAB") << QStringLiteral("AAB");
    QTest::newRow("overlapping start") << QByteArray("ABABAC") << QStringLiteral("ABAC");
    QTest::newRow("lower-case target") << QByteArray("QQAB") << QStringLiteral("ab");
    QTest::newRow("eleven letters") << QByteArray("ABCDEFGHIJKLMNOPQRSTUVWXY") << QStringLiteral("OPQRSTUVWXY");
    QTest::newRow("twelve letters") << QByteArray("ZEICHENZEICHENFOLGE") << QStringLiteral("ZEICHENFOLGE");
    QTest::newRow("forty letters")
        << QByteArray("AB").repeated(25) + "C" + QByteArray("AB").repeated(19) + "C"
        << QString::fromLatin1("C" + QByteArray("AB").repeated(19) + "C");
}

void tst_Generieren::findsTargetWhereItFirstAppears()
{
    QFETCH(QByteArray, letters);
    QFETCH(QString, target);
    ScriptedRandom random(letters);
    TestRun run(&random);
    run.target = target;
    run.laufend = true;
    // A run that misses its target goes on with fillers until this stops it.
    run.onYield = [&run] { run.laufend = run.Anzahl.whole() < 1000; };

    run.Generieren();

    checkLogHolds(letters, run);
    QCOMPARE(run.messages, QStringList{QStringLiteral("Zeichenfolge wurde gefunden!|64|Gefunden!")});
    QCOMPARE(run.logSizes, QList<qint64>{3 * letters.size()}); // on disk while the box is up
    QCOMPARE(run.naehe().buchstaben, target.size());
    QCOMPARE(run.naehe().nachZeichen, letters.size());
    QVERIFY(run.laufend);
}

void tst_Generieren::stopWritesNoFurtherLetter_data()
{
    QTest::addColumn<qint64>("lettersAYield");
    QTest::newRow("a yield every 4 letters") << qint64(4);
    QTest::newRow("buffers on their way at the stop") << qint64(300'000);
}

// Also where full buffers are still being written when the stop comes:
// the log is whole when the run hands it on, and the writing thread is gone.
void tst_Generieren::stopWritesNoFurtherLetter()
{
    QFETCH(qint64, lettersAYield);
    const QByteArray script = QByteArray("ZEICHENFOLG").repeated(10);
    ScriptedRandom random(script);
    TestRun run(&random);
    run.target = QStringLiteral("ZEICHENFOLGE");
    run.laufend = true;
    run.setYieldInterval(quint64(lettersAYield) * 1'000'000); // the script's clock: 1 ms a letter
    const auto threads = [] { return QDir(QStringLiteral("/proc/self/task")).count(); };
    const uint threadsBefore = threads();
    qint64 countAtStop = -1;
    run.onYield = [&] {
        if (run.yields == 3) {
            run.laufend = false;
            countAtStop = run.Anzahl.whole();
        }
    };

    run.Generieren();

    QCOMPARE(countAtStop, 3 * lettersAYield);
    QCOMPARE(run.yields, 3);
    checkLogHolds((script + QByteArray(countAtStop, 'Q')).left(countAtStop), run);
    QVERIFY(run.messages.isEmpty());
    QCOMPARE(threads(), threadsBefore);
}

void tst_Generieren::stopInTheYieldAfterTheMatchHidesIt()
{
    // The scripted timer makes the fourth letter's pass yield; stopping
    // there ends the run before the match test sees "ABCD".
    ScriptedRandom random("ABCD");
    TestRun run(&random);
    run.target = QStringLiteral("ABCD");
    run.laufend = true;
    run.onYield = [&run] { run.laufend = false; };

    run.Generieren();

    QCOMPARE(run.yields, 1);
    checkLogHolds("ABCD", run);
    QVERIFY(run.messages.isEmpty());
}

void tst_Generieren::oldLogIsRemovedBeforeTheRun()
{
    QFile old(m_dir->filePath(QStringLiteral("Generated Chars.txt")));
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(10000, 'x'));
    old.close();
    ScriptedRandom random("B");
    TestRun run(&random);
    run.target = QStringLiteral("B");
    run.laufend = true;

    run.LogdateiLoeschen();
    QVERIFY(!QFile::exists(old.fileName()));
    run.Generieren();

    checkLogHolds("B", run);
    run.LogdateiLoeschen(); // with no log present, nothing fails
    run.LogdateiLoeschen();
}

void tst_Generieren::plantedLinkIsNeverFollowed()
{
    const QString victim = m_dir->filePath(QStringLiteral("victim"));
    const QString logName = m_dir->filePath(QStringLiteral("Generated Chars.txt"));
    QFile file(victim);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("keep me");
    file.close();
    QVERIFY(QFile::link(victim, logName));

    ScriptedRandom random("A");
    TestRun run(&random);
    run.target = QStringLiteral("A");
    run.laufend = true;
    QVERIFY_THROWS_EXCEPTION(RuntimeError, run.Generieren());

    run.LogdateiLoeschen();
    QVERIFY(!QFileInfo(logName).isSymLink());
    run.Generieren();
    QVERIFY(!QFileInfo(logName).isSymLink());
    QCOMPARE(log(), QByteArray("A\r\n"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("keep me"));

    // Nor does a dangling one make a file where it points.
    const QString nowhere = m_dir->filePath(QStringLiteral("nowhere"));
    run.LogdateiLoeschen();
    QVERIFY(QFile::link(nowhere, logName));
    QVERIFY_THROWS_EXCEPTION(RuntimeError, run.Generieren());
    QVERIFY(!QFileInfo::exists(nowhere));
}

// An installed program's folder takes no files; the log then lives in the
// user's data folder, and where even that cannot be made the error names it.
void tst_Generieren::logMovesWhereTheProgramFolderIsNotWritable()
{
    QStandardPaths::setTestModeEnabled(true);
    const auto restoreHome = qScopeGuard([home = qgetenv("HOME")] { qputenv("HOME", home); });
    qputenv("HOME", m_dir->path().toLocal8Bit());
    Files::setProgramDirectory(m_dir->filePath(QStringLiteral("missing")));
    ScriptedRandom random("AA");
    TestRun run(&random);
    run.target = QStringLiteral("A");
    run.laufend = true;
    const QString dataLog = m_dir->filePath(QStringLiteral(".qttest/share/tst_generieren/Generated Chars.txt"));
    QCOMPARE(run.logPath(), dataLog);
    // Nor does an installed program write beside itself where it may.
    QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("prefix/bin")));
    QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("prefix/share/applications")));
    QFile entry(m_dir->filePath(QStringLiteral("prefix/share/applications/" DOVEVAD_APP_ID ".desktop")));
    QVERIFY(entry.open(QIODevice::WriteOnly));
    Files::setProgramDirectory(m_dir->filePath(QStringLiteral("prefix/bin")));
    QCOMPARE(Generator::chooseLogPath(), dataLog);
    QVERIFY(entry.remove());
    QCOMPARE(Generator::chooseLogPath(), m_dir->filePath(QStringLiteral("prefix/bin/Generated Chars.txt")));
    Files::setProgramDirectory(m_dir->filePath(QStringLiteral("missing")));
    run.Generieren();
    QCOMPARE(m_shell.opened, QStringList{dataLog});
    QVERIFY(QFile::exists(dataLog));
    run.LogdateiLoeschen();
    QVERIFY(!QFile::exists(dataLog));

    QDir(m_dir->filePath(QStringLiteral(".qttest"))).removeRecursively();
    QFile blocker(m_dir->filePath(QStringLiteral(".qttest")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    TestRun blocked(&random);
    blocked.target = QStringLiteral("A");
    blocked.laufend = true;
    try {
        blocked.Generieren();
        QFAIL("the run went on without its log");
    } catch (const RuntimeError &error) {
        QVERIFY2(error.text().contains(QStringLiteral("Datei: ") + m_dir->filePath(QStringLiteral(".qttest/"))),
                 qPrintable(error.text()));
        QVERIFY(error.text().contains(QStringLiteral("Grund: ")));
    }
    QCOMPARE(m_shell.opened.size(), 1);
}

void tst_Generieren::failedWriteKeepsTheCountedWholeLines_data()
{
    QTest::addColumn<qint64>("lettersAYield");
    QTest::newRow("written at a yield") << qint64(10'000);
    QTest::newRow("written behind the run") << qint64(200'000);
}

// Another program filling the disk shows as a failing write, here past a
// file size limit that cuts a line. The error goes up; the log keeps whole
// lines, at least as many as were counted when events were last processed,
// whether the write that failed was the yield's own or a full buffer's.
void tst_Generieren::failedWriteKeepsTheCountedWholeLines()
{
    QFETCH(qint64, lettersAYield);
    ScriptedRandom random("");
    TestRun run(&random);
    run.target = QStringLiteral("ZEICHENFOLGE");
    run.laufend = true;
    run.setYieldInterval(quint64(lettersAYield) * 1'000'000); // the script's clock: 1 ms a letter
    qint64 countedAtYield = -1;
    run.onYield = [&] { countedAtYield = run.Anzahl.whole(); };

    const FileSizeLimit fileSizeLimit(lettersAYield * 10);
    QVERIFY(fileSizeLimit.isSet());
    QVERIFY_THROWS_EXCEPTION(RuntimeError, run.Generieren());

    const QByteArray bytes = log();
    QCOMPARE(bytes.size() % 3, 0);
    QCOMPARE(bytes, QByteArray("Q\r\n").repeated(bytes.size() / 3));
    QVERIFY2(countedAtYield > 0 && bytes.size() / 3 >= countedAtYield,
             qPrintable(QStringLiteral("%1 lines, %2 counted").arg(bytes.size() / 3).arg(countedAtYield)));
    QVERIFY(m_shell.opened.isEmpty());
}

// The run writes to the file it opened, whatever becomes of its name.
void tst_Generieren::logRemovedOrReplacedDuringTheRun()
{
    const QString path = m_dir->filePath(QStringLiteral("Generated Chars.txt"));
    ScriptedRandom random(QByteArray("AB").repeated(20) + "C");
    TestRun run(&random);
    run.target = QStringLiteral("ABC");
    run.laufend = true;
    run.onYield = [&] {
        if (run.yields == 2)
            QFile::remove(path);
        if (run.yields == 5) {
            QFile other(path);
            QVERIFY(other.open(QIODevice::WriteOnly));
            other.write("another program's");
        }
    };

    run.Generieren();

    QCOMPARE(run.Anzahl.whole(), 41);
    QCOMPARE(run.messages, QStringList{QStringLiteral("Zeichenfolge wurde gefunden!|64|Gefunden!")});
    QCOMPARE(log(), QByteArray("another program's"));
    QCOMPARE(m_shell.opened, QStringList{path});
}

namespace {

quint64 s_scriptedTime = 0;
quint64 s_tick = 1;

// A clock that moves on 250 µs a reading, a batch of letters, as no real
// one does, but alike on every machine; read in ticks, as the coarse clock is.
quint64 scriptedClock()
{
    s_scriptedTime += 250'000;
    return s_scriptedTime - s_scriptedTime % s_tick;
}

} // namespace

void tst_Generieren::sameLettersForTheSameClock_data()
{
    QTest::addColumn<quint64>("tick");
    QTest::addColumn<qint64>("letters"); // the first yield past 3,000,000
    QTest::addColumn<QByteArray>("sha256");
    QTest::addColumn<bool>("kompakt");
    // A new reading at every look, a batch of letters apart.
    QTest::newRow("every reading new") << quint64(1) << qint64(3'014'656)
        << QByteArray("180a301d579eae15f512f48f70047c98e12346df5fce6e1b642ee79cdee38d45") << false;
    // Some 16,000 letters a reading, a tick of the coarse clock.
    QTest::newRow("4 ms ticks") << quint64(4'000'000) << qint64(3'013'632)
        << QByteArray("1dc76fbeb42a52fe48fc3b83f81a442be444dd81c8bd73c09d1b3c76027b4d08") << false;
    // A compact run searches its letters rather than typing them one by one:
    // other letters, said by its record alone.
    QTest::newRow("record only") << quint64(4'000'000) << qint64(3'000'000) << QByteArray() << true;
}

// The letters of a run follow from its clock readings and key alone, and
// its record says every one of them, with or without a log beside it.
void tst_Generieren::sameLettersForTheSameClock()
{
    QFETCH(quint64, tick);
    QFETCH(qint64, letters);
    QFETCH(QByteArray, sha256);
    QFETCH(bool, kompakt);
    s_scriptedTime = 1'000'000'000;
    s_tick = tick;
    TimerRandom random(&scriptedClock, 0x5eed);
    TestRun run(&random);
    run.setKompakt(kompakt);
    QStringList started;
    ViewerStart::setHandler([&](const QStringList &arguments) {
        started = arguments;
        return false; // the viewer cannot start here
    });
    const auto restore = qScopeGuard([] { ViewerStart::setHandler({}); });
    run.target = QStringLiteral("ZEICHENFOLGE");
    run.laufend = true;
    run.onYield = [&run] { run.laufend = run.Anzahl.whole() < 3'000'000; };

    run.Generieren();

    const QByteArray bytes = recordText();
    if (kompakt) {
        // The record goes to the viewer; where it cannot start, the user is
        // told how the record becomes text.
        QVERIFY(!QFile::exists(run.logPath()));
        QVERIFY(m_shell.opened.isEmpty());
        QCOMPARE(started.mid(started.size() - 2), QStringList({QStringLiteral("--"), run.recordPath()}));
        QVERIFY2(run.messages.value(0).contains(QStringLiteral("--text '%1'").arg(run.recordPath()))
                     && run.messages.value(0).contains(QStringLiteral("Dovevad löscht die Aufzeichnung, wenn es schließt.")),
                 qPrintable(run.messages.value(0)));
        QVERIFY(run.Anzahl.whole() >= letters);
        QCOMPARE(bytes.size(), 3 * run.Anzahl.whole());
        return;
    }
    QCOMPARE(bytes, log());
    QCOMPARE(run.Anzahl.whole(), letters);
    QCOMPARE(bytes.size(), 3 * letters);
    QCOMPARE(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex(), sha256);
}

// Where the desktop takes no open request (here: no handler on the
// offscreen platform), the user is told where the log stays.
void tst_Generieren::viewerFailureIsSaid()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    ScriptedRandom random("A");
    TestRun run(&random);
    run.target = QStringLiteral("A");
    run.laufend = true;
    run.Generieren();
    QCOMPARE(run.messages.size(), 2);
    QCOMPARE(run.messages.last(), QStringLiteral("Die Logdatei konnte nicht in einem Textbetrachter geöffnet werden. "
                                                 "Sie bleibt hier erhalten:\n\n%1|48|Dovevad")
                                      .arg(m_dir->filePath(QStringLiteral("Generated Chars.txt"))));
    QCOMPARE(log(), QByteArray("A\r\n"));
}

void tst_Generieren::largeLogGoesToTheOwnViewer_data()
{
    QTest::addColumn<QByteArray>("letters");
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("viewerStarts");
    QTest::addColumn<Betrachteraufruf::Ausgang>("told"); // to the viewer; none: the desktop's is asked

    const QByteArray small = QByteArray(Uebergabe::KleineLogdatei / 3 - 2, 'Q') + "ZY";
    QTest::newRow("small: the desktop's") << small << QStringLiteral("zy") << true << Betrachteraufruf::Ausgang{};
    QTest::newRow("found") << 'Q' + small << QStringLiteral("zy") << true
                           << Betrachteraufruf::Ausgang{QStringLiteral("ZY"), true, 0, small.size() + 1};
    QTest::newRow("stopped") << 'Z' + small << QStringLiteral("ZYX") << true
                             << Betrachteraufruf::Ausgang{QStringLiteral("ZYX"), false, 2, small.size() + 1};
    QTest::newRow("viewer fails") << 'Q' + small << QStringLiteral("ZY") << false << Betrachteraufruf::Ausgang{};
}

// What the viewer is told is what it reads: the run's target and outcome.
void tst_Generieren::largeLogGoesToTheOwnViewer()
{
    QFETCH(QByteArray, letters);
    QFETCH(QString, target);
    QFETCH(bool, viewerStarts);
    QFETCH(Betrachteraufruf::Ausgang, told);
    QStringList started;
    ViewerStart::setHandler([&](const QStringList &arguments) {
        started = arguments;
        return viewerStarts;
    });
    const auto restore = qScopeGuard([] { ViewerStart::setHandler({}); });
    ScriptedRandom random(letters);
    TestRun run(&random);
    run.target = target;
    run.laufend = true;
    run.onYield = [&run, &letters] { run.laufend = run.Anzahl.whole() < letters.size(); };
    run.Generieren();

    const QString path = m_dir->filePath(QStringLiteral("Generated Chars.txt"));
    QCOMPARE(m_shell.opened, told.ziel.isEmpty() ? QStringList{path} : QStringList{});
    QCOMPARE(started.isEmpty(), letters.size() * 3 <= Uebergabe::KleineLogdatei);
    if (told.ziel.isEmpty())
        return;
    const Argv argv("dovevad-viewer", started);
    const auto parsed = Betrachteraufruf::auswerten(argv.argc(), argv.argv());
    const auto *aufruf = std::get_if<Betrachteraufruf::Aufruf>(&parsed);
    QVERIFY(aufruf);
    QCOMPARE(aufruf->path, path);
    QCOMPARE(aufruf->ausgang.ziel, told.ziel);
    QCOMPARE(aufruf->ausgang.gefunden, told.gefunden);
    QCOMPARE(aufruf->ausgang.buchstaben, told.buchstaben);
    QCOMPARE(aufruf->ausgang.bis, told.bis);
}

// The run reports its target exactly where a plain search first finds it,
// with the closest it came: targets of A and B that overlap themselves, up
// to the automaton's table and beyond, in random scripts with a near miss.
void tst_Generieren::matchesWhereASearchFinds()
{
    QRandomGenerator random(20261207);
    const auto letters = [&random](qsizetype size) {
        QByteArray text(size, 'A');
        for (char &letter : text)
            letter = "AB"[random.bounded(2)];
        return text;
    };
    for (const qsizetype length : {1, 2, 3, 5, 11, 12, 40, 4096, 4097}) {
        QVERIFY(length <= Abgleich::TableLength + 1);
        for (const QByteArray &target : {letters(length), QByteArray("AB").repeated(length).left(length - 1) + 'A'}) {
            // A near miss first, so that the automaton falls back deep.
            const qsizetype miss = random.bounded(length);
            const QByteArray script = letters(random.bounded(3 * length + 50)) + target.left(miss)
                + (target.at(miss) == 'A' ? 'B' : 'A') + target;
            ScriptedRandom scripted(script);
            TestRun run(&scripted);
            run.target = QString::fromLatin1(target);
            run.laufend = true;
            run.Generieren();
            QCOMPARE(run.Anzahl.whole(), script.indexOf(target) + length);
            QCOMPARE(run.naehe().buchstaben, int(length));
            QCOMPARE(run.messages.size(), 1);
        }
    }
}

void tst_Generieren::secondTypistsLettersAreFollowed_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("runs");
    // Often found in one of the second typist's blocks.
    QTest::newRow("found in most runs") << QStringLiteral("ABCD") << 8;
    // A target that overlaps itself keeps the run's state apart from a
    // block's own for longer.
    QTest::newRow("overlapping itself") << QStringLiteral("AAAB") << 8;
    QTest::newRow("never found") << QStringLiteral("ZEICHENFOLGE") << 1;
}

// With the real clock a second typist's blocks make up much of a long run;
// the run follows the target through them as through its own letters.
void tst_Generieren::secondTypistsLettersAreFollowed()
{
    QFETCH(QString, target);
    QFETCH(int, runs);
    for (int i = 0; i < runs; ++i)
        followedAsOneTypist(target);
}

void tst_Generieren::followedAsOneTypist(const QString &target) const
{
    TimerRandom random;
    TestRun run(&random);
    run.target = target;
    run.laufend = true;
    run.onYield = [&run] { run.laufend = run.Anzahl.whole() < 2'000'000; };

    run.Generieren();

    const QByteArray bytes = log();
    QCOMPARE(bytes.size(), 3 * run.Anzahl.whole());
    QCOMPARE(recordText(), bytes);
    QByteArray letters;
    for (qsizetype at = 0; at < bytes.size(); at += 3) {
        QVERIFY(bytes.at(at) >= 'A' && bytes.at(at) <= 'Z' && bytes.mid(at + 1, 2) == "\r\n");
        letters += bytes.at(at);
    }
    // The longest start of the target that a search finds, and where it
    // first ends; the whole target ends the run.
    const QByteArray ziel = target.toLatin1();
    const Naehe plain = naeheImText(letters, ziel);
    const int longest = plain.buchstaben;
    const qsizetype endsAt = plain.nachZeichen;
    QCOMPARE(run.naehe().buchstaben, longest);
    QCOMPARE(run.naehe().nachZeichen, endsAt);
    QCOMPARE(run.messages.size(), longest == ziel.size() ? 1 : 0);
    QCOMPARE(run.captions.last(), QString::number(letters.size()) + u' ');
    if (longest == ziel.size()) {
        QCOMPARE(endsAt, letters.size());
        QCOMPARE(run.logSizes, QList<qint64>{bytes.size()}); // on disk while the box is up
    }
}

void tst_Generieren::reserveKeepsTheSmallerOf15PercentAnd4GiB_data()
{
    QTest::addColumn<quint64>("total");
    QTest::addColumn<quint64>("available");
    QTest::addColumn<quint64>("room");
    constexpr quint64 GiB = quint64(1) << 30, Span = Reserve::CheckSpan;
    QTest::newRow("2 TB disk keeps 4 GiB") << 2'000 * GiB << 500 * GiB << 500 * GiB - 4 * GiB - Span;
    QTest::newRow("10 GiB disk keeps 15 %") << 10 * GiB << 5 * GiB << 5 * GiB - 10 * GiB / 100 * 15 - Span;
    QTest::newRow("reserve reached") << 2'000 * GiB << 4 * GiB << quint64(0);
}

void tst_Generieren::reserveKeepsTheSmallerOf15PercentAnd4GiB()
{
    QFETCH(quint64, total);
    QFETCH(quint64, available);
    QFETCH(quint64, room);
    QCOMPARE(Reserve::roomBefore({available, total}), room);
    QCOMPARE(Reserve::eatenInto({available, total}), room == 0);
}

void tst_Generieren::recordHoldsWhatWasCountedAtEveryYield_data()
{
    QTest::addColumn<bool>("kompakt");
    QTest::newRow("with a log") << false;
    QTest::newRow("record only") << true;
}

// A run killed at a yield leaves a record that reads, undamaged, at least
// the letters counted at the yield before: it is written as the run goes.
void tst_Generieren::recordHoldsWhatWasCountedAtEveryYield()
{
    QFETCH(bool, kompakt);
    s_scriptedTime = 1'000'000'000;
    s_tick = 4'000'000;
    TimerRandom random(&scriptedClock, 0x5eed);
    TestRun run(&random);
    run.setKompakt(kompakt);
    ViewerStart::setHandler([](const QStringList &) { return true; });
    const auto restore = qScopeGuard([] { ViewerStart::setHandler({}); });
    run.target = QStringLiteral("ZEICHENFOLGE");
    run.laufend = true;
    const QString killed = m_dir->filePath(QStringLiteral("killed.dovrec"));
    qint64 counted = 0; // at the yield before
    QString wrong;
    run.onYield = [&] {
        // Of an entry being written as the run is killed, the part is no damage.
        QFile::remove(killed);
        QFile::copy(run.recordPath(), killed);
        QFile::resize(killed, QFileInfo(killed).size() / Aufzeichnung::Groesse * Aufzeichnung::Groesse);
        const Logdatei datei(killed);
        const Aufzeichnungsleser *leser = datei.aufzeichnung();
        if (!leser || !leser->schaden().isEmpty() || leser->zeichen() < counted)
            wrong = QStringLiteral("at yield %1, after %2 letters counted: %3 letters, %4")
                        .arg(run.yields).arg(counted).arg(leser ? leser->zeichen() : -1)
                        .arg(leser ? leser->schaden() : datei.fehler());
        counted = run.Anzahl.whole();
        run.laufend = wrong.isEmpty() && run.yields < 60;
    };

    run.Generieren();

    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
    QCOMPARE(run.yields, 60);
    QVERIFY(counted > 0);
}

QTEST_GUILESS_MAIN(tst_Generieren)
#include "tst_generieren.moc"
