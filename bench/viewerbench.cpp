#include "viewerbench.h"

#include "logbetrachter.h"

#include <QAbstractScrollArea>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QRandomGenerator>

#include <cstdio>

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

void ViewerBench::run(const QString &folder, const QString &benchProgram)
{
    const QString log = folder + QStringLiteral("/viewer.txt");
    writeLog(log);
    QProcess viewer;
    viewer.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer clock;
    clock.start();
    viewer.start(benchProgram, {QStringLiteral("--viewer"), log});
    // The child says when its rows are painted, then what it found.
    while (viewer.waitForReadyRead(60'000) && !viewer.canReadLine()) {}
    const qint64 opened = clock.elapsed();
    viewer.readLine();
    viewer.waitForFinished(300'000);
    std::printf("viewer-open-3gb: %lld ms\n%s", opened, viewer.readAll().constData());
    std::fflush(stdout);
    QFile::remove(log);
}

int ViewerBench::child(const QString &log)
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

    window.findChild<QLineEdit *>(QStringLiteral("suchtext"))->setText(QString::fromLatin1(AtTheStart));
    const QLabel *said = window.findChild<QLabel *>(QStringLiteral("meldung"));
    QElapsedTimer clock;
    clock.start();
    window.suchen(Suche::Richtung::Rueckwaerts);
    while (!said->text().contains(QStringLiteral(" gefunden: ")) && !said->text().contains(QStringLiteral("nirgends")))
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    const double seconds = double(clock.nsecsElapsed()) / 1e9;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("viewer-find-3gb: %.2f s (%s)\nviewer-peak-memory: %.1f MB\n", seconds, qPrintable(said->text()),
                double(usage.ru_maxrss) / 1024.0);
    return 0;
}
