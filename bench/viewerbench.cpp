#include "viewerbench.h"

#include "aufzeichnung.h"
#include "logbetrachter.h"
#include "logdatei.h"
#include "textsuche.h"

#include <QAbstractScrollArea>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QRandomGenerator>

#include <chrono>
#include <cstdio>
#include <stop_token>
#include <thread>

#include <sys/resource.h>

namespace {

const QByteArray AtTheStart = "QZXJVKWQZXJV"; // nowhere else in 10^9 random letters, all but surely
constexpr qint64 Letters = 1'000'000'000;

void writeLog(const QString &path)
{
    // Random letters, a block of them over and over: the viewer reads them
    // all the same.
    constexpr int BlockLetters = 1 << 20;
    QByteArray block(3 * BlockLetters, Qt::Uninitialized);
    QRandomGenerator random(20261208);
    for (int i = 0; i < BlockLetters; ++i) {
        block[3 * i] = char('A' + random.bounded(26));
        block[3 * i + 1] = '\r';
        block[3 * i + 2] = '\n';
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    QByteArray first = block;
    for (int i = 0; i < AtTheStart.size(); ++i)
        first[3 * i] = AtTheStart[i];
    file.write(first);
    for (qint64 written = BlockLetters; written < Letters; written += BlockLetters) {
        const qint64 letters = std::min<qint64>(BlockLetters, Letters - written);
        file.write(block.constData(), 3 * letters);
    }
}

// A record of 10^12 letters in stretches of 400,000, so that its entries
// take some 80 MB, as a run's of that length would.
void writeRecord(const QString &path)
{
    constexpr qint64 Stretch = 400'000, RecordLetters = 1'000'000'000'000;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    QByteArray bytes(Aufzeichnung::Groesse, Qt::Uninitialized);
    Aufzeichnung::kopfSchreiben(bytes.data());
    file.write(bytes);
    QByteArray entries(Aufzeichnung::Groesse * 4096, Qt::Uninitialized);
    qint64 inBlock = 0;
    for (qint64 first = 0; first < RecordLetters; first += Stretch) {
        const Strecke strecke{quint64(first), 0x9e3779b97f4a7c15ULL * quint64(first + 1), quint64(first) * 3,
                                            quint32(Stretch)};
        Aufzeichnung::eintragSchreiben(strecke, entries.data() + Aufzeichnung::Groesse * inBlock);
        if (++inBlock == 4096) {
            file.write(entries);
            inBlock = 0;
        }
    }
    file.write(entries.constData(), Aufzeichnung::Groesse * inBlock);
}

// Letters a second that a search goes through the file for a text that is
// nowhere in it, or all but surely not in what it passes in two seconds,
// after which it stops.
double searchRate(const QString &path, const QByteArray &letters)
{
    const Logdatei datei(path);
    std::atomic<qint64> done = 0;
    std::stop_source stop;
    std::jthread timer([&stop](std::stop_token) {
        std::this_thread::sleep_for(std::chrono::seconds(2));
        stop.request_stop();
    });
    QElapsedTimer clock;
    clock.start();
    Textsuche::finden(datei, letters, 0, Richtung::Vorwaerts, stop.get_token(), done);
    return double(done) / double(clock.nsecsElapsed()) * 1e3;
}

class PaintSeen : public QObject
{
public:
    bool seen = false;
    bool eventFilter(QObject *, QEvent *event) override
    {
        seen = seen || event->type() == QEvent::Paint;
        return false;
    }
};

} // namespace

namespace {

// Milliseconds from the viewer's start to its rows painted, and what it
// says after that.
std::pair<qint64, QByteArray> openInViewer(const QString &benchProgram, const QString &mode, const QString &path)
{
    QProcess viewer;
    viewer.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer clock;
    clock.start();
    viewer.start(benchProgram, {mode, path});
    // The child says when its rows are painted, then what it found.
    while (viewer.waitForReadyRead(60'000) && !viewer.canReadLine()) {}
    const qint64 opened = clock.elapsed();
    viewer.readLine();
    viewer.waitForFinished(300'000);
    return {opened, viewer.readAll()};
}

} // namespace

void ViewerBench::run(const QString &folder, const QString &benchProgram)
{
    const QString log = folder + QStringLiteral("/viewer.txt");
    writeLog(log);
    const auto [opened, said] = openInViewer(benchProgram, QStringLiteral("--viewer"), log);
    std::printf("viewer-open-3gb: %lld ms\n%s", opened, said.constData());
    std::printf("viewer-find-rate-3gb: %.0f M letters/s\n", searchRate(log, "QQQQQQQQQQQQQQQQQQQQZ"));
    std::fflush(stdout);
    QFile::remove(log);

    const QString record = folder + QStringLiteral("/viewer.dovrec");
    writeRecord(record);
    const auto [recordOpened, recordSaid] = openInViewer(benchProgram, QStringLiteral("--viewer-open"), record);
    std::printf("viewer-open-record: %lld ms (10^12 letters)\n%s", recordOpened, recordSaid.constData());
    // Eight letters, as a compact run's target.
    std::printf("viewer-find-record: %.0f M letters/s\n", searchRate(record, "ZEICHENF"));
    std::fflush(stdout);
    QFile::remove(record);
}

int ViewerBench::child(const QString &log, bool find)
{
    Logbetrachter window(log, {});
    PaintSeen painted;
    QWidget *rows = window.findChild<QWidget *>(QStringLiteral("logAnsicht"));
    static_cast<QAbstractScrollArea *>(rows)->viewport()->installEventFilter(&painted);
    window.show();
    while (!painted.seen)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QCoreApplication::processEvents(); // the paint is done once its event is handled
    std::printf("painted\n");
    std::fflush(stdout);
    if (!find)
        return 0;

    window.findChild<QLineEdit *>(QStringLiteral("suchtext"))->setText(QString::fromLatin1(AtTheStart));
    const QLabel *said = window.findChild<QLabel *>(QStringLiteral("meldung"));
    QElapsedTimer clock;
    clock.start();
    window.suchen(Richtung::Rueckwaerts);
    while (!said->text().contains(QStringLiteral(" gefunden: ")) && !said->text().contains(QStringLiteral("nirgends")))
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    const double seconds = double(clock.nsecsElapsed()) / 1e9;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("viewer-find-3gb: %.2f s (%s)\nviewer-peak-memory: %.1f MB\n", seconds, qPrintable(said->text()),
                double(usage.ru_maxrss) / 1024.0);
    return 0;
}
