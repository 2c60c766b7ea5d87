// Runs on a small disk of their own: CTest mounts a 96 MiB tmpfs in a mount
// namespace of this test's own and names it in DOVEVAD_SMALL_DISK.

#include "readall.h"
#include "answerbox.h"
#include "aufzeichnungsleser.h"
#include "logdatei.h"
#include "files.h"
#include "form1.h"
#include "lettercap.h"
#include "shellrecorder.h"

#include <QDesktopServices>
#include <QFile>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QStorageInfo>
#include <QTemporaryFile>
#include <QTest>

class tst_Reserve : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void runGoesOnInItsRecordBeforeTheReserve_data();
    void runGoesOnInItsRecordBeforeTheReserve();

private:
    QString m_disk;
    ShellRecorder m_shell;
};

void tst_Reserve::initTestCase()
{
    m_disk = qEnvironmentVariable("DOVEVAD_SMALL_DISK");
    QVERIFY2(!m_disk.isEmpty(), "run through CTest, which mounts the small disk");
    QCOMPARE(QStorageInfo(m_disk).bytesTotal(), 96 << 20);
    Files::setProgramDirectory(m_disk);
    // The log fills the small disk soon, and the search past it takes
    // billions of letters a second: a stop never seen ends it in seconds.
    capLetters(20'000'000'000);
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &m_shell, "open");
}

void tst_Reserve::init()
{
    m_shell.opened.clear();
}

void tst_Reserve::cleanup()
{
    QFile::remove(m_disk + QStringLiteral("/Generated Chars.txt"));
    QFile::remove(m_disk + QStringLiteral("/Generated Chars.dovrec"));
    QFile::remove(m_disk + QStringLiteral("/filler"));
}

void tst_Reserve::runGoesOnInItsRecordBeforeTheReserve_data()
{
    QTest::addColumn<qint64>("filler");
    QTest::addColumn<bool>("types");
    QTest::newRow("room for some letters") << qint64(0) << true;
    QTest::newRow("reserve short at the start") << qint64(30 << 20) << true;
    QTest::newRow("no room for the record either") << qint64(81 << 20) << false;
}

// Where the log would eat into the disk's reserve of 15 %, the run says so
// without halting and goes on in its record, which holds every letter;
// where even the record has no room, the run ends as a stop ends, and says why.
void tst_Reserve::runGoesOnInItsRecordBeforeTheReserve()
{
    QFETCH(qint64, filler);
    QFETCH(bool, types);
    QFile fill(m_disk + QStringLiteral("/filler"));
    QVERIFY(fill.open(QIODevice::WriteOnly));
    QVERIFY(fill.write(QByteArray(filler, 'x')) == filler);
    fill.close();

    Form1 window;
    window.show();
    auto *command1 = window.findChild<QPushButton *>(QStringLiteral("Command1"));
    // Once told, the run goes on for a while in its record, then is stopped.
    QString notice;
    qint64 toldAt = -1;
    QTimer watch;
    connect(&watch, &QTimer::timeout, &window, [&] {
        if (auto *box = window.findChild<QMessageBox *>(QStringLiteral("Hinweis")); box && toldAt < 0) {
            notice = box->text();
            toldAt = window.Anzahl.whole();
            box->close();
        }
        if (toldAt >= 0 && window.Anzahl.whole() > toldAt + 3'000'000 && window.laufend)
            command1->click();
    });
    watch.start(5);
    QString box;
    answerNextBox(&box);
    command1->click();

    const qint64 count = window.Anzahl.whole();
    const QByteArray log = readAll(m_disk + QStringLiteral("/Generated Chars.txt"));
    QVERIFY(!window.laufend && command1->text() == QStringLiteral("Type, Zizuzod, Type!"));
    QVERIFY(window.findChild<QLineEdit *>(QStringLiteral("Text1"))->isEnabled());
    const QLocale german(QLocale::German);
    if (types) {
        QVERIFY2(toldAt >= 0 && count > toldAt + 3'000'000, qPrintable(notice));
        const qint64 inLog = log.size() / 3;
        QVERIFY(filler == 0 ? inLog > 1'000'000 : inLog == 0);
        QVERIFY2(notice.contains(QStringLiteral("nach Zeichen %1 nichts mehr").arg(german.toString(inLog))), qPrintable(notice));
        // Every letter is in the record, the log's first.
        QTemporaryFile text;
        QVERIFY(text.open());
        const Logdatei record(m_disk + QStringLiteral("/Generated Chars.dovrec"));
        QVERIFY(record.aufzeichnung());
        QCOMPARE(record.aufzeichnung()->alsText(text.handle()), count);
        QVERIFY(record.aufzeichnung()->schaden().isEmpty());
        text.seek(0);
        QCOMPARE(text.read(log.size()), log);
        QCOMPARE(text.size(), 3 * count);
        QVERIFY(m_shell.opened.isEmpty()); // no viewer for a part of the letters
        QVERIFY2(box.contains(QStringLiteral("Generated Chars.dovrec")) && box.contains(QStringLiteral("--text")), qPrintable(box));
    } else {
        QCOMPARE(count, 0);
        QCOMPARE(log.size(), 0);
        QCOMPARE(m_shell.opened.size(), 1);
        QVERIFY2(box.startsWith(QStringLiteral("Dovevad|%1|Der Datenträger ist fast voll.").arg(QMessageBox::Warning)),
                 qPrintable(box));
        QVERIFY2(box.contains(QStringLiteral("Die Logdatei enthält 0 Zeichen")), qPrintable(box));
    }
    QStorageInfo disk(m_disk);
    disk.refresh();
    QVERIFY(disk.bytesAvailable() >= disk.bytesTotal() * 15 / 100);
}

QTEST_MAIN(tst_Reserve)
#include "tst_reserve.moc"
