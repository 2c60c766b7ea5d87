// Letters per second: of the letter alone, of the floor that a clock
// reading and three bytes a letter set, of the clock reading alone, of a
// run with no window, of a run that writes its record alone and how many
// bytes of record it writes, of a record turned into text, of a run
// in the window on the current platform, and of a run that processes
// events after every letter; a run of 10^9
// letters until its log is on disk against a plain writer of as many
// bytes; the time to clean a 1 MB paste. Measurements that are compared
// take turns, five of each, and the medians are printed.
// With --letters N: one run of N letters with no window, and the program's
// peak memory and the record's size after it; --kompakt after N, without
// a log. With --disk-letters N: the disk's comparison for
// N letters instead of 10^9. Then the log viewer on a 3 GB log (alone
// with --viewer-only).

#include "aufzeichnungsleser.h"
#include "logdatei.h"
#include "files.h"
#include "form1.h"
#include "limit.h"
#include "runview.h"
#include "stringbereinigen.h"
#include "suchbench.h"
#include "tipprunde.h"
#include "viewerbench.h"

#include <QApplication>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

const QString Target = QStringLiteral("ZEICHENFOLGE"); // never found: the run goes on until stopped
// Eight letters, found after 2·10^11 letters on average: a compact run of a
// second or two all but never finds them, and searches as for any such.
const char CompactTarget[] = "ZEICHENF";
constexpr int Repeats = 5;
constexpr int RunMilliseconds = 1000;

class NullRun : public RunView, public Generator
{
public:
    NullRun() : Generator(static_cast<RunView &>(*this)) {}
    using Generator::Generieren;
    using Generator::LogdateiLoeschen;
    using Generator::setKerne;

    QElapsedTimer clock;
    qint64 letterLimit = 0; // else the run lasts RunMilliseconds
    QString target = Target;
    QString targetText() const override { return target; }
    void showCount(const QString &) override {}
    void found() override {}
    void recordOnly(qint64, const QString &) override {}
    void processPendingEvents() override
    {
        laufend = letterLimit > 0 ? Anzahl.whole() < letterLimit : clock.elapsed() < RunMilliseconds;
    }
    void endRun() override { laufend = false; }
    void finished(const Laufende &) override {}
};

class BenchWindow : public Form1
{
public:
    using Generator::Generieren;
    using Generator::LogdateiLoeschen;
    using Generator::setYieldInterval;
};

// Counts the repaints of a widget.
class PaintCounter : public QObject
{
public:
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

// Swallows the requests to open the log, which would start a viewer.
class ShellSink : public QObject
{
    Q_OBJECT
public slots:
    void open(const QUrl &) {}
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Million letters per second of the measured runs.
double measure(int repeats, const std::function<qint64()> &letters)
{
    std::vector<double> rates;
    for (int i = 0; i < repeats; ++i) {
        QElapsedTimer clock;
        clock.start();
        const qint64 count = letters();
        rates.push_back(double(count) / double(clock.nsecsElapsed()) * 1000.0);
    }
    return median(rates);
}

void print(const char *name, double value, const char *unit = " M letters/s")
{
    std::printf("%s: %s%s\n", name, qPrintable(QString::number(value, 'g', 4)), unit);
    std::fflush(stdout);
}

qint64 drawLetters(NullRun &run)
{
    QElapsedTimer clock;
    clock.start();
    qint64 count = 0;
    char16_t sink = 0;
    while (clock.elapsed() < RunMilliseconds) {
        for (int i = 0; i < 1'000'000; ++i)
            sink ^= run.Zufallszeichen().stringView().front().unicode();
        count += 1'000'000;
    }
    return count + (sink == 0xFFFF);
}

// One run from a clean start, as the start button makes it.
template <typename Run>
qint64 runOnce(Run &run)
{
    run.LogdateiLoeschen();
    run.Anzahl = {};
    run.laufend = true;
    run.Generieren();
    return run.Anzahl.whole();
}

qint64 runWithoutWindow(NullRun &run)
{
    run.clock.start();
    return runOnce(run);
}

qint64 runInWindow(BenchWindow &window)
{
    QTimer::singleShot(RunMilliseconds, &window, [&window] { window.laufend = false; });
    return runOnce(window);
}

// Milliseconds to clean a paste of 1 MB: letters, digits, umlauts, Greek,
// combining marks and emoji.
double cleanPaste()
{
    const QString block = QStringLiteral("Dovevad 42 äÖß€ Ωλ e\u0301 😀 ");
    const QString paste = block.repeated((1 << 20) / int(block.size()));
    std::vector<double> times;
    qsizetype kept = 0;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer clock;
        clock.start();
        kept += Stringbereinigen(paste).size();
        times.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    return median(times) + (kept == 0);
}

int runLetters(qint64 letters, bool kompakt)
{
    NullRun run;
    run.setKompakt(kompakt);
    run.letterLimit = letters;
    QElapsedTimer clock;
    clock.start();
    runOnce(run);
    const double seconds = double(clock.nsecsElapsed()) / 1e9;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("letters: %lld in %.1f s\npeak-memory: %.1f MB\nrecord: %lld B\n", run.Anzahl.whole(), seconds,
                double(usage.ru_maxrss) / 1024.0, qint64(QFileInfo(run.recordPath()).size()));
    run.LogdateiLoeschen();
    return 0;
}


// Million letters per second of a record turned into text, the text going
// nowhere; the median of five.
double recordToText(const QString &path)
{
    const int sink = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    const double rate = measure(Repeats, [&] { return Logdatei(path).aufzeichnung()->alsText(sink); });
    ::close(sink);
    return rate;
}

// Puts what a measurement wrote on disk and removes it, outside the time
// measured, so that the next one does not pay for its writing back.
void settle(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CLOEXEC);
    if (fd >= 0) {
        ::fdatasync(fd);
        ::close(fd);
    }
    QFile::remove(path);
}

// The median of the ratios of two series measured in the same turns.
double pairedRatio(const std::vector<double> &of, const std::vector<double> &to)
{
    std::vector<double> ratios;
    for (size_t i = 0; i < of.size(); ++i)
        ratios.push_back(of[i] / to[i]);
    return median(ratios);
}

// Seconds until a plain writer has the bytes of that many letters on disk:
// 1 MiB writes, then fdatasync.
double writeToDisk(const QString &path, qint64 letters)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return 0;
    const QByteArray block = QByteArray("Q\r\n").repeated((1 << 20) / 3 + 1).left(1 << 20);
    QElapsedTimer clock;
    clock.start();
    for (qint64 left = 3 * letters; left > 0;) {
        const ssize_t written = ::write(fd, block.constData(), size_t(std::min<qint64>(left, block.size())));
        if (written <= 0)
            break;
        left -= written;
    }
    ::fdatasync(fd);
    const double seconds = double(clock.nsecsElapsed()) / 1e9;
    ::close(fd);
    QFile::remove(path);
    return seconds;
}

// The letters per second of a run of about that many letters, until its
// log is on disk.
double runToDisk(NullRun &run, qint64 letters)
{
    run.letterLimit = letters;
    QElapsedTimer clock;
    clock.start();
    const qint64 typed = runOnce(run);

    const int fd = ::open(QFile::encodeName(run.logPath()).constData(), O_WRONLY | O_CLOEXEC);
    ::fdatasync(fd);
    const double seconds = double(clock.nsecsElapsed()) / 1e9;
    ::close(fd);
    run.letterLimit = 0;
    run.LogdateiLoeschen();
    return double(typed) / seconds / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    // With no X server to show it on, the window runs on the offscreen platform.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir folder;
    Files::setProgramDirectory(folder.path());
    ShellSink shell;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &shell, "open");

    if (argc >= 3 && qstrcmp(argv[1], "--letters") == 0)
        return runLetters(QByteArray(argv[2]).toLongLong(), argc == 4 && qstrcmp(argv[3], "--kompakt") == 0);
    if (argc == 3 && qstrcmp(argv[1], "--viewer") == 0)
        return ViewerBench::child(QString::fromLocal8Bit(argv[2]));
    if (argc == 3 && qstrcmp(argv[1], "--viewer-open") == 0)
        return ViewerBench::child(QString::fromLocal8Bit(argv[2]), false);
    if (argc == 2 && qstrcmp(argv[1], "--viewer-only") == 0) {
        ViewerBench::run(folder.path(), QCoreApplication::applicationFilePath());
        return 0;
    }
    const SuchBench::Karte karte = SuchBench::waehlen();
    if (argc == 2 && qstrcmp(argv[1], "--search-only") == 0) {
        SuchBench::drucken(karte);
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        return 0;
    }

    qint64 diskLetters = 1'000'000'000;
    if (argc == 3 && qstrcmp(argv[1], "--disk-letters") == 0)
        diskLetters = QByteArray(argv[2]).toLongLong();

    NullRun run;
    const double letter = measure(Repeats, [&] { return drawLetters(run); });
    print("zufallszeichen", letter);

    BenchWindow window;
    window.findChild<QLineEdit *>(QStringLiteral("Text1"))->setText(Target);
    window.show();
    QCoreApplication::processEvents();
    PaintCounter counter;
    window.findChild<QLabel *>(QStringLiteral("Label3"))->installEventFilter(&counter);

    // Everything that is compared takes turns, so that noise hits all alike.
    const QByteArray floorPath = QFile::encodeName(folder.filePath(QStringLiteral("floor.txt")));
    const QByteArray limitPath = QFile::encodeName(folder.filePath(QStringLiteral("limit.txt")));
    NullRun compact, compactGpu, compactGpuOneCore;
    for (NullRun *run : {&compact, &compactGpu, &compactGpuOneCore}) {
        run->setKompakt(true);
        run->target = QString::fromLatin1(CompactTarget);
    }
    compactGpu.setKarte(karte.karte, karte.schritte, karte.name);
    compactGpuOneCore.setKarte(karte.karte, karte.schritte, karte.name);
    compactGpuOneCore.setKerne(1);
    const QString compactRecord = folder.filePath(QStringLiteral("compact.dovrec"));
    std::vector<double> floors, limits, runs, inWindows, clockOnly, compacts, recordBytes, recordBytesPerSecond,
        lettersAll, compactsGpu, compactsGpuOneCore, recordBytesPerSecondGpu;
    qint64 inWindowMilliseconds = 0;
    const std::vector<std::function<void()>> turn = {
        [&] {
            floors.push_back(measure(1, [&] { return Limit::clockFloor(floorPath.constData(), RunMilliseconds); }));
            settle(QFile::decodeName(floorPath));
        },
        [&] {
            limits.push_back(measure(1, [&] {
                return Limit::bareLetters(limitPath.constData(), Target.toLatin1().constData(), RunMilliseconds);
            }));
            settle(QFile::decodeName(limitPath));
        },
        [&] {
            runs.push_back(measure(1, [&] { return runWithoutWindow(run); }));
            settle(run.logPath());
        },
        [&] { clockOnly.push_back(measure(1, [&] { return Limit::clockOnly(RunMilliseconds); })); },
        [&] { lettersAll.push_back(measure(1, [&] { return Limit::letterAll(CompactTarget, RunMilliseconds); })); },
        [&] {
            compacts.push_back(measure(1, [&] { return runWithoutWindow(compact); }));
            const double bytes = double(QFileInfo(compact.recordPath()).size());
            recordBytes.push_back(bytes / double(compact.Anzahl.whole()) * 1e9);
            recordBytesPerSecond.push_back(bytes / (double(compact.clock.nsecsElapsed()) / 1e9));
            // Kept from the runs after it, which write theirs in the same place.
            QFile::remove(compactRecord);
            QFile::rename(compact.recordPath(), compactRecord);
        },
        [&] {
            if (!karte.karte)
                return;
            compactsGpu.push_back(measure(1, [&] { return runWithoutWindow(compactGpu); }));
            recordBytesPerSecondGpu.push_back(double(QFileInfo(compactGpu.recordPath()).size())
                                              / (double(compactGpu.clock.nsecsElapsed()) / 1e9));
            compactGpuOneCore.LogdateiLoeschen();
            compactsGpuOneCore.push_back(measure(1, [&] { return runWithoutWindow(compactGpuOneCore); }));
        },
        [&] {
            QElapsedTimer inWindowClock;
            inWindowClock.start();
            inWindows.push_back(measure(1, [&] { return runInWindow(window); }));
            inWindowMilliseconds += inWindowClock.elapsed();
            settle(window.logPath());
        },
    };
    // Every other turn goes the other way round, so that what comes first
    // or follows what has just written is not always the same.
    for (int i = 0; i < Repeats; ++i) {
        for (size_t j = 0; j < turn.size(); ++j)
            turn[i % 2 ? turn.size() - 1 - j : j]();
    }
    const double clockFloor = median(floors);
    const double limit = median(limits);
    const double withoutWindow = median(runs);
    const double inWindow = median(inWindows);
    const double repaints = counter.paints * 1000.0 / double(inWindowMilliseconds);
    print("clock-floor", clockFloor);
    print("limit", limit);
    print("run-without-window", withoutWindow);
    print("run-in-window", inWindow);

    window.setYieldInterval(0);
    const double literal = measure(1, [&] { return runInWindow(window); });
    print("literal-yield", literal);

    print("clock-only", median(clockOnly));
    print("letter-all", median(lettersAll));
    print("run-compact", median(compacts));
    print("ratio-compact", pairedRatio(compacts, clockOnly), "");
    print("ratio-search", pairedRatio(compacts, lettersAll), "");
    print("record-bytes-per-gigaletter", median(recordBytes), " B");
    print("record-bytes-per-second", median(recordBytesPerSecond), " B/s");
    if (karte.karte) {
        const QByteArray on = " M letters/s on " + karte.name.toUtf8();
        print("run-compact-gpu", median(compactsGpu), (on + " and " + QByteArray::number(Tipprunde::kerne(karte.karte.get(), karte.schritte, CompactTarget)) + " cores").constData());
        print("run-compact-gpu-one-core", median(compactsGpuOneCore), (on + " and one core").constData());
        print("record-bytes-per-second-gpu", median(recordBytesPerSecondGpu), " B/s");
    } else {
        std::printf("run-compact-gpu: none (%s)\n", qPrintable(karte.name));
    }
    SuchBench::drucken(karte);
    print("record-to-text", recordToText(compactRecord));
    QFile::remove(compactRecord);
    print("ratio-floor", pairedRatio(runs, floors), "");
    print("ratio-limit", pairedRatio(runs, limits), "");
    print("ratio-window", pairedRatio(inWindows, runs), "");
    print("ratio-literal", inWindow / literal, "");
    print("counter-repaints", repaints, " /s");
    print("clean-1mb", cleanPaste(), " ms");

    // The disk's pace against the run's, in letters per second, each until
    // the log is on disk.
    std::vector<double> disks, runsToDisk;
    const std::vector<std::function<void()>> diskTurn = {
        [&] {
            disks.push_back(double(diskLetters) / writeToDisk(folder.filePath(QStringLiteral("disk.txt")), diskLetters)
                            / 1e6);
        },
        [&] { runsToDisk.push_back(runToDisk(run, diskLetters)); },
    };
    for (int i = 0; i < Repeats; ++i) {
        diskTurn[i % 2]();
        diskTurn[1 - i % 2]();
    }
    print("disk", median(disks));
    print("run-to-disk", median(runsToDisk));
    print("ratio-disk", pairedRatio(runsToDisk, disks), "");
    ViewerBench::run(folder.path(), QCoreApplication::applicationFilePath());
    window.LogdateiLoeschen();
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    return 0;
}

#include "bench.moc"
