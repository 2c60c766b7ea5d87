#include "readall.h"
#include "aufzeichner.h"
#include "desktopopener.h"
#include "filesizelimit.h"
#include "instancelock.h"
#include "aufzeichnungsleser.h"
#include "logdatei.h"
#include "outputfile.h"
#include "program.h"
#include "variant.h"
#include "windowhints.h"

#include <QDateTime>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <cerrno>

#include <sys/syscall.h>
#include <unistd.h>

namespace {

struct Ended
{
    int status;
};

[[noreturn]] void throwEnded(int status)
{
    throw Ended{status};
}

// While set, the writes of the log and the record are interrupted as on a
// network folder (NFS, sshfs) that a signal reaches: every other one before
// it wrote anything (EINTR), the others after half of what they were given.
std::atomic<bool> s_unterbrochen = false;

} // namespace

// The program's writes come here, before the C library's.
extern "C" ssize_t pwrite(int fd, const void *buffer, size_t count, off_t offset)
{
    static std::atomic<unsigned> schreibe = 0;
    if (s_unterbrochen && count > 1) {
        if (schreibe++ % 2 == 0) {
            errno = EINTR;
            return -1;
        }
        count /= 2;
    }
    return ::syscall(SYS_pwrite64, fd, buffer, count, offset);
}

class tst_Runtime : public QObject
{
    Q_OBJECT

private slots:
    void outputFileWritesAnsiLinesAndEmptiesOldContent();
    void outputFileReportsAFullDisk();
    void outputFileGoesOnAfterAFailedWrite();
    void interruptedWritesGoOn();
    void programEndWritesOpenFiles();
    void variantConvertsLikeTheRuntime();
    void handlerErrorIsShownThenEndsWithStatus1();
    void desktopOpenerTellsFailures_data();
    void desktopOpenerTellsFailures();
    void anOldLockOfARunningProgramHolds();
    void platformChoice_data();
    void platformChoice();
};

void tst_Runtime::outputFileWritesAnsiLinesAndEmptiesOldContent()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.txt"));
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(5000, 'x'));
    old.close();

    OutputFile file;
    file.open(path);
    file.printLine(u"Ä€ß");
    file.printLine(u"");
    const QString longLine = QStringLiteral("L").repeated(3 << 20); // larger than the buffer
    file.printLine(longLine);
    for (int i = 0; i < 400000; ++i) // several buffers' worth
        file.printLine(u"Q");
    file.close();

    QVERIFY(old.open(QIODevice::ReadOnly));
    const QByteArray bytes = old.readAll();
    QCOMPARE(bytes.left(7), QByteArray("\xC4\x80\xDF\r\n\r\n"));
    QCOMPARE(bytes.mid(7, longLine.size() + 2), longLine.toLatin1() + "\r\n");
    QCOMPARE(bytes.mid(7 + longLine.size() + 2), QByteArray("Q\r\n").repeated(400000));
}

void tst_Runtime::outputFileReportsAFullDisk()
{
    OutputFile file;
    file.open(QStringLiteral("/dev/full"));
    file.printLine(u"A");
    try {
        file.close();
        QFAIL("a write to a full disk went unreported");
    } catch (const RuntimeError &error) {
        QVERIFY2(error.text().startsWith(QStringLiteral("In die Datei konnte nicht geschrieben werden.")),
                 qPrintable(error.text()));
        QVERIFY(error.text().contains(QStringLiteral("Datei: /dev/full")));
        QVERIFY(error.text().contains(QStringLiteral("Grund: ")));
    }
    QVERIFY(!file.isOpen());
}

// A disk full for a moment: the file keeps its whole lines, of any length,
// and what a flush could not write follows them once there is room, with
// no gap and no part line in between.
void tst_Runtime::outputFileGoesOnAfterAFailedWrite()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.txt"));
    const auto line = [](int i) { return QString(i % 7, QChar(u'A' + i % 26)); };
    QByteArray expected;
    for (int i = 0; i < 400; ++i)
        expected += line(i).toLatin1() + "\r\n";
    OutputFile file;
    file.open(path);
    for (int i = 0; i < 300; ++i)
        file.printLine(line(i));
    FileSizeLimit fileSizeLimit(997);
    QVERIFY(fileSizeLimit.isSet());
    QVERIFY_THROWS_EXCEPTION(RuntimeError, file.flush());
    QCOMPARE(readAll(path), expected.left(994)); // up to the last line's end before the limit
    fileSizeLimit.lift();
    for (int i = 300; i < 400; ++i)
        file.printLine(line(i));
    QCOMPARE(file.size(), expected.size());
    file.close();
    QCOMPARE(readAll(path), expected);
}

// Writes that a signal interrupts, part way or before they wrote anything,
// go on where they stopped: the log's lines and the record's entries are
// all there, in order, and nothing failed.
void tst_Runtime::interruptedWritesGoOn()
{
    QTemporaryDir dir;
    const QString logPath = dir.filePath(QStringLiteral("out.txt")), recordPath = dir.filePath(QStringLiteral("out.dovrec"));
    QByteArray lines;
    OutputFile log;
    log.open(logPath);
    Aufzeichner record;
    record.oeffnen(recordPath);
    s_unterbrochen = true;
    const auto restore = qScopeGuard([] { s_unterbrochen = false; });
    for (int i = 0; i < 100'000; ++i) {
        lines += char('A' + i % 26) + QByteArray("\r\n");
        log.printLine(QString(QChar(u'A' + i % 26)));
        if (i % 1000 == 0)
            record.beginne({quint64(i), quint64(i), 0, 0});
    }
    log.close();
    record.beende(100'000);
    record.schliessen();
    s_unterbrochen = false;
    QCOMPARE(readAll(logPath), lines);
    const Logdatei gelesen(recordPath);
    QCOMPARE(gelesen.aufzeichnung()->schaden(), QString());
    QCOMPARE(gelesen.zeichen(), 100'000);
}

void tst_Runtime::programEndWritesOpenFiles()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.txt"));
    OutputFile file;
    file.open(path);
    file.printLine(u"A");
    for (int i = 0; i < 1'000'000; ++i) // buffers on their way as the program ends
        file.printLine(u"Q");
    Program::setEndHandler(&throwEnded);
    try {
        Program::end(0);
    } catch (const Ended &ended) {
        QCOMPARE(ended.status, 0);
    }
    Program::setEndHandler(nullptr);
    QVERIFY(!file.isOpen());
    QFile written(path);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), "A\r\n" + QByteArray("Q\r\n").repeated(1'000'000));
}

void tst_Runtime::variantConvertsLikeTheRuntime()
{
    QCOMPARE(Variant(2.5).toInteger(), qint16(2));
    QCOMPARE(Variant(3.5).toInteger(), qint16(4));
    QCOMPARE(Variant(-2.5f).toInteger(), qint16(-2));
    QCOMPARE(Variant(QStringLiteral(" 90 ")).toInteger(), qint16(90));
    QCOMPARE(Variant().toDouble(), 0.0);
    QVERIFY_THROWS_EXCEPTION(RuntimeError, Variant(32767.5).toInteger());
    QVERIFY_THROWS_EXCEPTION(RuntimeError, Variant(qint32(-40000)).toInteger());
    QVERIFY_THROWS_EXCEPTION(RuntimeError, Variant(QStringLiteral("Z")).toDouble());

    QCOMPARE(Variant(QChar(u'Q')).stringView(), u"Q");
    QCOMPARE(Variant(QStringLiteral("QR")).stringView(), u"QR");
    QCOMPARE(Variant(QString()).type(), Variant::Type::String);
    QCOMPARE(Variant(qint16(65)).toString(), QStringLiteral("65"));
    QCOMPARE(Variant(90.0).toString(), QStringLiteral("90"));
}

void tst_Runtime::handlerErrorIsShownThenEndsWithStatus1()
{
    QString shown;
    QTimer::singleShot(0, this, [&shown] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        shown = box->icon() == QMessageBox::Critical ? box->text() : QStringLiteral("wrong icon");
        box->accept();
    });
    Program::setEndHandler(&throwEnded);
    int status = -1;
    try {
        Program::runHandler(nullptr, [] {
            throw RuntimeError::fromErrno(QStringLiteral("Die Datei konnte nicht gelöscht werden."),
                                          QStringLiteral("/x/Generated Chars.txt"), EACCES);
        });
    } catch (const Ended &ended) {
        status = ended.status;
    }
    Program::setEndHandler(nullptr);
    QCOMPARE(status, 1);
    QVERIFY2(shown.startsWith(QStringLiteral("Die Datei konnte nicht gelöscht werden.\n\nDatei: "
                                             "/x/Generated Chars.txt\nGrund: ")),
             qPrintable(shown));
}

void tst_Runtime::desktopOpenerTellsFailures_data()
{
    QTest::addColumn<QByteArray>("xdgOpen"); // none where empty
    QTest::addColumn<bool>("failed");
    QTest::newRow("viewer starts") << QByteArray("exit 0") << false;
    QTest::newRow("no application") << QByteArray("exit 3") << true;
    QTest::newRow("no xdg-open") << QByteArray() << true;
}

void tst_Runtime::desktopOpenerTellsFailures()
{
    QFETCH(QByteArray, xdgOpen);
    QFETCH(bool, failed);
    QTemporaryDir bin;
    QFile script(bin.filePath(QStringLiteral("xdg-open")));
    if (!xdgOpen.isEmpty()) {
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nprintf '%s' \"$1\" > \"$0.url\"\n" + xdgOpen + '\n');
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    const auto restorePath = qScopeGuard([path = qgetenv("PATH")] { qputenv("PATH", path); });
    qputenv("PATH", bin.path().toLocal8Bit());

    DesktopOpener opener;
    QSignalSpy failures(&opener, &DesktopOpener::failed);
    const QString log = QStringLiteral("/nowhere/Generated Chars.txt");
    opener.open(QUrl::fromLocalFile(log));
    QTRY_VERIFY(opener.findChildren<QProcess *>().isEmpty());
    QCOMPARE(failures.size(), failed ? 1 : 0);
    if (failed)
        QCOMPARE(failures.first().first().toString(), log);
    QFile url(script.fileName() + QStringLiteral(".url"));
    if (!xdgOpen.isEmpty())
        QVERIFY(url.open(QIODevice::ReadOnly) && url.readAll() == "file:///nowhere/Generated%20Chars.txt");
}

// However long a program runs, a second one must not take its log; also
// where the folder keeps no native lock (a network file system), and only
// the lock file's contents, naming a running program, hold it.
void tst_Runtime::anOldLockOfARunningProgramHolds()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Generated Chars.txt.lock"));
    QByteArray ours;
    {
        const InstanceLock first(path);
        QFile lock(path);
        QVERIFY(!first.isHeldElsewhere() && lock.open(QIODevice::ReadOnly));
        ours = lock.readAll();
    }
    QFile lock(path);
    QVERIFY(lock.open(QIODevice::WriteOnly) && lock.write(ours) == ours.size() && lock.flush());
    QVERIFY(lock.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
    lock.close();
    QVERIFY(InstanceLock(path).isHeldElsewhere());
}

void tst_Runtime::platformChoice_data()
{
    QTest::addColumn<QByteArray>("chosen");
    QTest::addColumn<QByteArray>("environment"); // QT_QPA_PLATFORM WAYLAND_DISPLAY DISPLAY, "-" unset
    QTest::addColumn<QByteArray>("platform");    // QT_QPA_PLATFORM afterwards
    QTest::addColumn<bool>("noTitleBar");
    QTest::newRow("X beside Wayland") << QByteArray() << QByteArray("- wl :1") << QByteArray("xcb") << false;
    QTest::newRow("Wayland asked, X beside") << QByteArray() << QByteArray("wayland wl :1") << QByteArray("wayland") << true;
    QTest::newRow("-platform wayland, X beside") << QByteArray("wayland") << QByteArray("- wl :1") << QByteArray("-") << true;
    QTest::newRow("-platform xcb, Wayland beside") << QByteArray("xcb") << QByteArray("- wl :1") << QByteArray("-") << false;
    QTest::newRow("Wayland alone") << QByteArray() << QByteArray("- wl -") << QByteArray("-") << true;
    QTest::newRow("wayland-egl asked") << QByteArray() << QByteArray("wayland-egl wl -") << QByteArray("wayland-egl") << true;
    QTest::newRow("X alone") << QByteArray() << QByteArray("- - :1") << QByteArray("-") << false;
}

void tst_Runtime::platformChoice()
{
    QFETCH(QByteArray, chosen);
    QFETCH(QByteArray, environment);
    QFETCH(QByteArray, platform);
    QFETCH(bool, noTitleBar);
    const char *names[] = {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "DISPLAY", "QT_WAYLAND_DISABLE_WINDOWDECORATION"};
    QList<QByteArray> saved;
    for (const char *name : names)
        saved << (qEnvironmentVariableIsSet(name) ? qgetenv(name) : QByteArray("-"));
    const auto set = [&names](const QList<QByteArray> &values) {
        for (int i = 0; i < 4; ++i)
            values[i] == "-" ? qunsetenv(names[i]) : qputenv(names[i], values[i]);
    };
    const auto restore = qScopeGuard([&] { set(saved); });
    set(environment.split(' ') << "-");

    WindowHints::choosePlatform(QString::fromLatin1(chosen));
    QCOMPARE(qEnvironmentVariableIsSet(names[0]) ? qgetenv(names[0]) : QByteArray("-"), platform);
    QCOMPARE(qgetenv(names[3]) == "1", noTitleBar);
}

QTEST_MAIN(tst_Runtime)
#include "tst_runtime.moc"
