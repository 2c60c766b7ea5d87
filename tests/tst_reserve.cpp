// Runs on a small disk of their own: CTest mounts a 96 MiB tmpfs in a mount
// namespace of this test's own and names it in DOVEVAD_SMALL_DISK.

#include "answerbox.h"
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
#include <QTest>

class tst_Reserve : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void runEndsBeforeTheReserve_data();
    void runEndsBeforeTheReserve();

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
    capLetters(50'000'000); // the disk is small, but a stop never seen would not end
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &m_shell, "open");
}

void tst_Reserve::init()
{
    m_shell.opened.clear();
}

void tst_Reserve::cleanup()
{
    QFile::remove(m_disk + QStringLiteral("/Generated Chars.txt"));
    QFile::remove(m_disk + QStringLiteral("/filler"));
}

void tst_Reserve::runEndsBeforeTheReserve_data()
{
    QTest::addColumn<qint64>("filler");
    QTest::newRow("room for some letters") << qint64(0);
    QTest::newRow("reserve short at the start") << qint64(30 << 20);
}

// The run ends as a stop ends, with every counted letter in the log handed
// on, and says why; the disk keeps its reserve of 15 %.
void tst_Reserve::runEndsBeforeTheReserve()
{
    QFETCH(qint64, filler);
    QFile fill(m_disk + QStringLiteral("/filler"));
    QVERIFY(fill.open(QIODevice::WriteOnly));
    QVERIFY(fill.write(QByteArray(filler, 'x')) == filler);
    fill.close();

    Form1 window;
    window.show();
    auto *command1 = window.findChild<QPushButton *>(QStringLiteral("Command1"));
    QString box;
    answerNextBox(&box);
    command1->click();

    const qint64 count = window.Anzahl.whole();
    QVERIFY(filler == 0 ? count > 1'000'000 : count == 0);
    QCOMPARE(QFile(m_disk + QStringLiteral("/Generated Chars.txt")).size(), 3 * count);
    QCOMPARE(m_shell.opened.size(), 1);
    QVERIFY(!window.laufend && command1->text() == QStringLiteral("Type, Zizuzod, Type!"));
    QVERIFY(window.findChild<QLineEdit *>(QStringLiteral("Text1"))->isEnabled());
    QVERIFY2(box.startsWith(QStringLiteral("Dovevad|%1|Der Datenträger ist fast voll.").arg(QMessageBox::Warning)),
             qPrintable(box));
    QVERIFY2(box.contains(QStringLiteral("enthält %1 Zeichen und belegt ").arg(QLocale(QLocale::German).toString(count))),
             qPrintable(box));
    QStorageInfo disk(m_disk);
    disk.refresh();
    QVERIFY(disk.bytesAvailable() >= disk.bytesTotal() * 15 / 100);
}

QTEST_MAIN(tst_Reserve)
#include "tst_reserve.moc"
