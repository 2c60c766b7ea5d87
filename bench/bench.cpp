// Letters per second: of the letter alone, of a run with no window, of a
// run in the window on the current platform, and of a run that processes
// events and repaints the counter after every letter; the time to clean a
// 1 MB paste. With --letters N: one run of N letters with no window, and
// the program's peak memory after it.

#include "files.h"
#include "form1.h"
#include "limit.h"
#include "runview.h"

#include <QApplication>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include <sys/resource.h>

namespace {

const QString Target = QStringLiteral("ZEICHENFOLGE"); // never found: the run goes on until stopped
constexpr int Repeats = 3;
constexpr int RunMilliseconds = 1000;

class NullRun : public RunView, public Generator
{
public:
    NullRun() : Generator(static_cast<RunView &>(*this)) {}
    using Generator::Generieren;
    using Generator::LogdateiLoeschen;

    QElapsedTimer clock;
    qint64 letterLimit = 0; // else the run lasts RunMilliseconds
    QString targetText() const override { return Target; }
    void showCount(const QString &) override {}
    quintptr nativeHandle() const override { return 0; }
    void showMessage(const QString &, int, const QString &) override {}
    void processPendingEvents() override
    {
        laufend = letterLimit > 0 ? Anzahl.whole() < letterLimit : clock.elapsed() < RunMilliseconds;
    }
    void endRun() override { laufend = false; }
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
        kept += Generator::Stringbereinigen(paste).size();
        times.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    return median(times) + (kept == 0);
}

int runLetters(qint64 letters)
{
    NullRun run;
    run.letterLimit = letters;
    QElapsedTimer clock;
    clock.start();
    runOnce(run);
    const double seconds = double(clock.nsecsElapsed()) / 1e9;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("letters: %lld in %.1f s\npeak-memory: %.1f MB\n", run.Anzahl.whole(), seconds,
                double(usage.ru_maxrss) / 1024.0);
    run.LogdateiLoeschen();
    return 0;
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

    if (argc == 3 && qstrcmp(argv[1], "--letters") == 0)
        return runLetters(QByteArray(argv[2]).toLongLong());

    NullRun run;
    const double letter = measure(Repeats, [&] { return drawLetters(run); });
    print("zufallszeichen", letter);
    // The run and the bare loop take turns, so that noise hits both alike.
    const QByteArray limitPath = QFile::encodeName(folder.filePath(QStringLiteral("limit.txt")));
    std::vector<double> limits, runs;
    for (int i = 0; i < 2 * Repeats + 1; ++i) {
        limits.push_back(measure(1, [&] {
            return Limit::bareLetters(limitPath.constData(), Target.toLatin1().constData(), RunMilliseconds);
        }));
        runs.push_back(measure(1, [&] { return runWithoutWindow(run); }));
    }
    QFile::remove(QFile::decodeName(limitPath));
    const double limit = median(limits);
    const double withoutWindow = median(runs);
    print("limit", limit);
    print("run-without-window", withoutWindow);

    BenchWindow window;
    window.findChild<QLineEdit *>(QStringLiteral("Text1"))->setText(Target);
    window.show();
    QCoreApplication::processEvents();
    PaintCounter counter;
    window.findChild<QLabel *>(QStringLiteral("Label3"))->installEventFilter(&counter);
    QElapsedTimer inWindowClock;
    inWindowClock.start();
    const double inWindow = measure(Repeats, [&] { return runInWindow(window); });
    const double repaints = counter.paints * 1000.0 / double(inWindowClock.elapsed());
    print("run-in-window", inWindow);

    window.setYieldInterval(0);
    const double literal = measure(1, [&] { return runInWindow(window); });
    print("literal-yield", literal);

    print("ratio-limit", withoutWindow / limit, "");
    print("ratio-window", inWindow / withoutWindow, "");
    print("ratio-literal", inWindow / literal, "");
    print("counter-repaints", repaints, " /s");
    print("clean-1mb", cleanPaste(), " ms");
    window.LogdateiLoeschen();
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    return 0;
}

#include "bench.moc"
