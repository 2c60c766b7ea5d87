// Letters per second: of the letter alone, of a run with no window, of a
// run in the window on the current platform, and of a run that processes
// events and repaints the counter after every letter.

#include "files.h"
#include "form1.h"
#include "runview.h"

#include <QApplication>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

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
    QString targetText() const override { return Target; }
    void showCount(const QString &) override {}
    quintptr nativeHandle() const override { return 0; }
    void showMessage(const QString &, int, const QString &) override {}
    void processPendingEvents() override { laufend = clock.elapsed() < RunMilliseconds; }
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

    NullRun run;
    const double letter = measure(Repeats, [&] { return drawLetters(run); });
    print("zufallszeichen", letter);
    const double withoutWindow = measure(Repeats, [&] { return runWithoutWindow(run); });
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

    print("ratio-window", inWindow / withoutWindow, "");
    print("ratio-literal", inWindow / literal, "");
    print("counter-repaints", repaints, " /s");
    window.LogdateiLoeschen();
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    return 0;
}

#include "bench.moc"
