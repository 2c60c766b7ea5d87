#include "readall.h"
#include "ablage.h"
#include "argv.h"
#include "aufzeichnung.h"
#include "files.h"
#include "testrun.h"
#include "viewerstart.h"
#include "betrachteraufruf.h"
#include "buchstabendiagramm.h"
#include "logansicht.h"
#include "logbetrachter.h"
#include "logdatei.h"
#include "shellrecorder.h"
#include "speicherung.h"
#include "statistik.h"
#include "textsuche.h"

#include <QAction>
#include <QClipboard>
#include <QMimeData>
#include <QScopeGuard>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class tst_Logbetrachter : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void linesFromOffsetsAndChanges();
    void findsWhereAPlainSearchFinds();
    void countsLettersAndForeignLines();
    void largeSparseLog();
    void windowAfterAFoundRun();
    void recordReadsAsItsLog();
    void selectedRowsCopySaveAndOpen();
    void savesNeverDestroy_data();
    void savesNeverDestroy();
    void recordCopyOutlivesItsFile();
    void handMadeRecord_data();
    void handMadeRecord();
    void damageSaidWhereTheUserLooks_data();
    void damageSaidWhereTheUserLooks();
    void chanceInWords_data();
    void chanceInWords();
    void chartInWords();
    void badFiles_data();
    void badFiles();
    void commandLine_data();
    void commandLine();

private:
    QString write(const QByteArray &bytes, const QString &name = QStringLiteral("log.txt"));
    std::unique_ptr<QTemporaryDir> m_dir;
};

static QByteArray lines(const QByteArray &letters)
{
    QByteArray bytes;
    for (char letter : letters)
        bytes += QByteArray(1, letter) + "\r\n";
    return bytes;
}

// Five entries of a thousand letters each.
static QByteArray record(quint64 thirdFirst = 2000)
{
    QByteArray bytes(6 * Aufzeichnung::Groesse, '\0');
    Aufzeichnung::kopfSchreiben(bytes.data());
    for (quint64 j = 0; j < 5; ++j)
        Aufzeichnung::eintragSchreiben({j == 2 ? thirdFirst : 1000 * j, j + 1, 7 * j, 1000},
                                       bytes.data() + Aufzeichnung::Groesse * (j + 1));
    return bytes;
}


void tst_Logbetrachter::init()
{
    QStandardPaths::setTestModeEnabled(true);
    // No file manager answers: the file's folder is opened instead.
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent");
    m_dir = std::make_unique<QTemporaryDir>();
}

QString tst_Logbetrachter::write(const QByteArray &bytes, const QString &name)
{
    QFile file(m_dir->filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(file.fileName()));
    return file.fileName();
}

// A removed file stays readable; growth, a cut and a replacement are seen.
void tst_Logbetrachter::linesFromOffsetsAndChanges()
{
    const QString path = write(lines("AB") + "x\r\nC\r");
    Logdatei log(path);
    QCOMPARE(log.zeichen(), 3);
    QCOMPARE(log.rest(), 2);
    QCOMPARE(log.zeilen(2, 10), QByteArray("B\r\nx\r\nC\r"));
    QCOMPARE(log.ersteFremde(1, 3), 3);
    QVERIFY(QFile::resize(path, 3));
    QCOMPARE(log.pruefen(), int(Logdatei::Groesse));
    QCOMPARE(log.zeichen(), 1);
    QVERIFY(QFile::remove(path));
    QCOMPARE(log.pruefen(), Logdatei::Groesse | Logdatei::Geloescht);
    QCOMPARE(log.zeilen(1, 2), QByteArray("A\r\n"));
    write(lines("C")); // another file under its name
    QCOMPARE(log.pruefen(), Logdatei::Groesse | Logdatei::Ersetzt);
    QCOMPARE(log.zeilen(1, 1), QByteArray("A\r\n"));
}

// Forwards and backwards, from any line, with blocks small enough that
// matches straddle them: the first or last start a plain search finds.
void tst_Logbetrachter::findsWhereAPlainSearchFinds()
{
    QRandomGenerator random(20261208);
    for (int round = 0; round < 300; ++round) {
        QByteArray letters;
        const int size = int(random.bounded(1, 60));
        for (int i = 0; i < size; ++i)
            letters += char('A' + random.bounded(3));
        QByteArray text;
        for (int i = int(random.bounded(1, 5)); i > 0; --i)
            text += char('A' + random.bounded(3));
        const QString path = write(lines(letters));
        const Logdatei log(path);
        const qint64 ab = random.bounded(0, size + 2), block = random.bounded(1, 8);
        std::atomic<qint64> done = 0;
        const quint64 forwards = Textsuche::finden(log, text, quint64(ab), Richtung::Vorwaerts, {}, done, block);
        const quint64 backwards = Textsuche::finden(log, text, quint64(ab), Richtung::Rueckwaerts, {}, done, block);
        const qsizetype next = ab < letters.size() ? letters.indexOf(text, ab) : -1;
        const qsizetype last = letters.lastIndexOf(text, std::min<qsizetype>(ab, letters.size() - 1));
        const QByteArray where = letters + " / " + text + " from " + QByteArray::number(ab);
        QVERIFY2(forwards == (next < 0 ? KeinFund : quint64(next)), where);
        QVERIFY2(backwards == (last < 0 ? KeinFund : quint64(last)), where);
    }
}

void tst_Logbetrachter::countsLettersAndForeignLines()
{
    const Logdatei log(write(lines("ABZZA") + "a\r\nB\n\n" + lines("Z")));
    std::atomic<qint64> done = 0;
    const Buchstabenzaehlung zaehlung = Buchstabenzaehlung::zaehlen(log, {}, done, 2);
    QVERIFY(zaehlung.vollstaendig);
    QCOMPARE(done, 8);
    QCOMPARE(zaehlung.fremde, 2);
    QCOMPARE(zaehlung.je[0], 2);
    QCOMPARE(zaehlung.je[1], 1);
    QCOMPARE(zaehlung.je[25], 3);
    Buchstabendiagramm chart;
    chart.setZaehlung(zaehlung);
    QVERIFY(chart.accessibleDescription().contains(QStringLiteral("Z: 3, +1.200,00 %")));
    QVERIFY(chart.accessibleDescription().contains(QStringLiteral("2 Zeilen ohne Buchstaben")));
}

// A log of 10^12 letters: holes but for its end, which is shown and found
// at once; the scroll bar's int reaches the last row.
void tst_Logbetrachter::largeSparseLog()
{
    const qint64 letters = 1'000'000'000'000;
    QFile file(m_dir->filePath(QStringLiteral("large.txt")));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(3 * (letters - 5)) && file.seek(3 * (letters - 5)));
    QVERIFY(file.write(lines("ZEBRA")) == 15);
    file.close();
    Logbetrachter window(file.fileName(), {QStringLiteral("ZEBRA"), true, 0, letters});
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    // Its holes are no letters.
    QCOMPARE(window.windowTitle(), QStringLiteral("large.txt – 1.000.000.000.000 Zeichen (beschädigt) – Dovevad-Logbetrachter"));
    auto *view = window.findChild<LogAnsicht *>();
    QCOMPARE(view->aktuell(), letters);
    QCOMPARE(view->accessibleName(), QStringLiteral("Zeichen 1.000.000.000.000: A, gefunden"));
    QCOMPARE(window.findChild<QLabel *>(QStringLiteral("ausgang"))->text(),
             QStringLiteral("Gefunden: „ZEBRA“ als Zeichen 999.999.999.996 bis 1.000.000.000.000."));
    view->verticalScrollBar()->setValue(0);
    QCOMPARE(view->oben(), 1);
    QCOMPARE(view->beschreibung(1), QStringLiteral("Zeichen 1: kein Buchstabe (Bytes 00 00 00)"));
    view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum());
    QVERIFY(view->oben() > letters - 100 && view->oben() <= letters - 4);
    window.findChild<QLineEdit *>(QStringLiteral("suchtext"))->setText(QStringLiteral("eb"));
    window.suchen(Richtung::Rueckwaerts);
    QTRY_COMPARE(window.findChild<QLabel *>(QStringLiteral("meldung"))->text(),
                 QStringLiteral("„EB“ gefunden: Zeichen 999.999.999.997 bis 999.999.999.998."));
}

void tst_Logbetrachter::windowAfterAFoundRun()
{
    const QString path = write(lines("ZEBRA" + QByteArray(5000, 'Q') + "XZEBRA"));
    Logbetrachter window(path, {QStringLiteral("Zebra"), true, 0, 5011});
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *view = window.findChild<LogAnsicht *>();
    auto *meldung = window.findChild<QLabel *>(QStringLiteral("meldung"));
    QCOMPARE(view->aktuell(), 5011);
    QTest::keyClick(view, Qt::Key_PageUp);
    QVERIFY(view->aktuell() < 5000);
    // Moving down row by row, with a row cut off at the view's bottom edge,
    // keeps the current row wholly in sight.
    const int rowHeight = view->fontMetrics().height() + 4;
    window.resize(window.width(), window.height() - view->viewport()->height() % rowHeight + rowHeight / 2);
    const qint64 fits = view->viewport()->height() / rowHeight;
    QVERIFY(view->viewport()->height() % rowHeight > 0 && fits > 2);
    QTest::keyClick(view, Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(view->aktuell(), 1);
    for (qint64 row = 2; row <= 2 * fits; ++row) {
        QTest::keyClick(view, Qt::Key_Down);
        QCOMPARE(view->aktuell(), row);
        QCOMPARE(view->oben(), std::max<qint64>(1, row - fits + 1));
    }
    QTest::keyClick(view, Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClick(view, Qt::Key_Down);
    QCOMPARE(view->aktuell(), 2);

    // The target, forwards from the second letter: its second place.
    QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("weiter")), Qt::LeftButton);
    QTRY_COMPARE(meldung->text(), QStringLiteral("„ZEBRA“ gefunden: Zeichen 5.007 bis 5.011."));
    QCOMPARE(view->aktuell(), 5007);
    QVERIFY(window.findChild<QProgressBar *>(QStringLiteral("suchFortschritt"))->isHidden());
    QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("weiter")), Qt::LeftButton);
    QTRY_COMPARE(meldung->text(), QStringLiteral("„ZEBRA“ gefunden: Zeichen 1 bis 5, wieder von vorn gesucht."));
    window.findChild<QLineEdit *>(QStringLiteral("suchtext"))->setText(QStringLiteral("z z"));
    window.suchen(Richtung::Rueckwaerts);
    QTRY_COMPARE(meldung->text(), QStringLiteral("„ZZ“ kommt in der Logdatei nicht vor."));

    auto *gehezu = window.findChild<QLineEdit *>(QStringLiteral("gehezu"));
    for (const auto &[typed, current] : {std::pair{"1.234", 1234}, {"0", 1234}, {"x", 1234}, {"5012", 1234}}) {
        gehezu->setText(QString::fromLatin1(typed));
        QTest::keyClick(gehezu, Qt::Key_Return);
        QCOMPARE(view->aktuell(), current);
    }
    QCOMPARE(meldung->text(), QStringLiteral("Bitte eine Nummer von 1 bis 5.011 eingeben."));
    QTRY_VERIFY(window.findChild<Buchstabendiagramm *>()->accessibleDescription().contains(QStringLiteral("Q: 5.000")));

    // The keyboard reaches everything, in the order it is laid out.
    QStringList order;
    for (QWidget *focus = view; order.size() < 7; focus = focus->nextInFocusChain())
        if (focus->focusPolicy() & Qt::TabFocus && focus->isVisibleTo(&window) && !focus->objectName().startsWith(u"qt_"))
            order << focus->objectName();
    QCOMPARE(order, QStringList({"logAnsicht", "gehezu", "suchtext", "zurueck", "weiter", "buchstabendiagramm", "logAnsicht"}));

    ShellRecorder shell;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &shell, "open");
    window.findChild<QAction *>(QStringLiteral("imEditor"))->trigger();
    window.findChild<QAction *>(QStringLiteral("imDateimanager"))->trigger(); // no session bus: the folder
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    QCOMPARE(shell.opened, QStringList({path, m_dir->path()}));

    // Watching the end of a growing log, then the log removed.
    QTest::keyClick(view, Qt::Key_End, Qt::ControlModifier);
    QFile grow(path);
    QVERIFY(grow.open(QIODevice::Append) && grow.write("B\r\n") == 3);
    grow.close();
    QTRY_COMPARE(view->aktuell(), 5012);
    QVERIFY(QFile::remove(path));
    QTRY_VERIFY(window.windowTitle().endsWith(QStringLiteral("5.012 Zeichen (gelöscht) – Dovevad-Logbetrachter")));
    QCOMPARE(meldung->text(), QStringLiteral("Die Logdatei wurde gelöscht. Gezeigt wird weiter, was sie enthielt; ihre "
                                             "15,0 kB auf dem Datenträger werden erst frei, wenn dieses Fenster schließt."));
    QCOMPARE(view->beschreibung(5011), QStringLiteral("Zeichen 5.011: A, gefunden"));
}

// A real run's record against its log, both typists' letters in it: the
// same rows anywhere, the same finds across block edges, the same counts,
// the same marks in the window.
void tst_Logbetrachter::recordReadsAsItsLog()
{
    Files::setProgramDirectory(m_dir->path());
    const auto restore = qScopeGuard([] { Files::setProgramDirectory({}); });
    TimerRandom random;
    TestRun run(&random);
    run.target = QStringLiteral("ABCD");
    run.laufend = true;
    run.onYield = [&run] { run.laufend = run.Anzahl.whole() < 1'500'000; };
    ViewerStart::setHandler([](const QStringList &) { return true; });
    run.Generieren();
    ViewerStart::setHandler({});
    const Logdatei log(run.logPath()), record(run.recordPath());
    QVERIFY(record.aufzeichnung() && !log.aufzeichnung());
    QCOMPARE(record.zeichen(), log.zeichen());
    QCOMPARE(record.zeichen(), run.Anzahl.whole());

    QRandomGenerator zufall(20261209);
    for (int i = 0; i < 200; ++i) {
        const qint64 first = zufall.bounded(1, int(log.zeichen()) + 2), count = zufall.bounded(0, 5000);
        QCOMPARE(record.zeilen(first, count), log.zeilen(first, count));
        QByteArray text;
        for (int k = int(zufall.bounded(1, 4)); k > 0; --k)
            text += char('A' + zufall.bounded(4));
        const auto richtung = i % 2 ? Richtung::Vorwaerts : Richtung::Rueckwaerts;
        std::atomic<qint64> done = 0;
        QCOMPARE(Textsuche::finden(record, text, quint64(first - 1), richtung, {}, done, 997),
                 Textsuche::finden(log, text, quint64(first - 1), richtung, {}, done, 997));
    }
    std::atomic<qint64> done = 0;
    QCOMPARE(Buchstabenzaehlung::zaehlen(record, {}, done).je, Buchstabenzaehlung::zaehlen(log, {}, done).je);

    const auto ausgangFuer = [&run](const QString &path) {
        const QStringList arguments = Betrachteraufruf::argumente(path, Uebergabe::ausgangVon(run.ende));
        const Argv argv("dovevad-viewer", arguments);
        return std::get<Betrachteraufruf::Aufruf>(Betrachteraufruf::auswerten(argv.argc(), argv.argv())).ausgang;
    };
    Logbetrachter ausLog(run.logPath(), ausgangFuer(run.logPath()));
    Logbetrachter ausAufzeichnung(run.recordPath(), ausgangFuer(run.recordPath()));
    const auto text = [](const Logbetrachter &window) { return window.findChild<QLabel *>(QStringLiteral("ausgang"))->text(); };
    // The record's window tells how to keep it, which Dovevad removes on closing.
    QCOMPARE(text(ausAufzeichnung).section(u'\n', 0, 0), text(ausLog));
    QVERIFY(text(ausAufzeichnung).endsWith(QStringLiteral("(Ctrl+Shift+S) behält eine Kopie.")));
    QVERIFY(text(ausLog).startsWith(QStringLiteral("Gefunden: „ABCD“")) || text(ausLog).startsWith(QStringLiteral("Angehalten.")));
    QCOMPARE(ausAufzeichnung.findChild<LogAnsicht *>()->aktuell(), ausLog.findChild<LogAnsicht *>()->aktuell());
    QVERIFY(!ausAufzeichnung.findChild<QAction *>(QStringLiteral("imEditor"))->isEnabled());
}

// Rows selected with the keys copy, with their numbers too; any numbers
// save as the log's text; another file opens in a window of its own.
void tst_Logbetrachter::selectedRowsCopySaveAndOpen()
{
    const QString path = write(lines("DOVEVAD" + QByteArray(3000, 'Q')));
    Logbetrachter window(path, {});
    window.show();
    auto *view = window.findChild<LogAnsicht *>();
    view->gehezu(2);
    QTest::keyClick(view, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(view, Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(std::pair(view->auswahlVon(), view->auswahlBis()), std::pair(qint64(2), qint64(4)));
    window.findChild<QAction *>(QStringLiteral("kopieren"))->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("O\nV\nE\n"));
    window.findChild<QAction *>(QStringLiteral("mitNummern"))->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("2\tO\n3\tV\n4\tE\n"));
    QTest::keyClick(view, Qt::Key_Up);
    QCOMPARE(std::pair(view->auswahlVon(), view->auswahlBis()), std::pair(qint64(3), qint64(3)));

    auto *ablage = window.findChild<Ablage *>();
    const QString saved = m_dir->filePath(QStringLiteral("saved.txt"));
    QVERIFY(ablage->speichern(5, 3007, saved));
    QCOMPARE(readAll(saved), lines("VAD" + QByteArray(3000, 'Q')));
    QVERIFY(!ablage->speichern(5, 3008, m_dir->filePath(QStringLiteral("past the end.txt"))));
    QVERIFY(!QFile::exists(m_dir->filePath(QStringLiteral("past the end.txt"))));

    // Dropped on the window: shown in a window of its own.
    const QString other = write(lines("AB"), QStringLiteral("other.txt"));
    QMimeData drop;
    drop.setUrls({QUrl::fromLocalFile(other)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &drop, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent event(QPointF(10, 10), Qt::CopyAction, &drop, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &event);
    QWidget *opened = nullptr;
    for (QWidget *top : QApplication::topLevelWidgets())
        if (top->windowTitle().startsWith(QStringLiteral("other.txt – 2 Zeichen")))
            opened = top;
    QVERIFY(opened);
    opened->close();
}

void tst_Logbetrachter::savesNeverDestroy_data()
{
    QTest::addColumn<QString>("target"); // the log shown, or another file
    QTest::addColumn<QString>("mishap"); // what goes wrong during the save
    QTest::addColumn<QByteArray>("after"); // the target's bytes then
    QTest::addColumn<QString>("said"); // %1: the target
    const QString nicht = QStringLiteral("„%1“ ist nicht gespeichert: %2.");
    QTest::newRow("over the log shown") << "log.txt" << "" << lines("DOV")
        << "Unter dem Namen der Logdatei steht jetzt eine andere Datei. Gezeigt wird weiter, was sie enthielt; "
           "ihre 9,0 kB auf dem Datenträger werden erst frei, wenn dieses Fenster schließt.";
    QTest::newRow("cancelled over another file") << "other.txt" << "cancel" << QByteArray("old")
                                                 << nicht.arg(QStringLiteral("%1"), QStringLiteral("abgebrochen"));
    QTest::newRow("the log shown cut under it") << "other.txt" << "cut" << QByteArray("old")
        << nicht.arg(QStringLiteral("%1"), QStringLiteral("die gezeigte Datei ist kürzer geworden"));
}

// A save writes beside its target and renames: a save that fails or is
// cancelled leaves the target as it was and nothing of its own; one over
// the log shown replaces it, which is still read as it was opened.
void tst_Logbetrachter::savesNeverDestroy()
{
    QFETCH(QString, target);
    QFETCH(QString, mishap);
    QFETCH(QByteArray, after);
    QFETCH(QString, said);
    const QString path = write(lines("DOVEVAD" + QByteArray(3000, 'Q')));
    write("old", QStringLiteral("other.txt"));
    target = m_dir->filePath(target);
    Logbetrachter window(path, {});
    auto *speicherung = window.findChild<Speicherung *>();
    if (mishap == u"cancel")
        connect(speicherung, &Speicherung::geschrieben, speicherung, &Speicherung::abbrechen);
    if (mishap == u"cut")
        QVERIFY(QFile::resize(path, 6));
    QCOMPARE(window.findChild<Ablage *>()->speichern(1, 3, target), mishap.isEmpty());
    QCOMPARE(readAll(target), after);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList({"log.txt", "other.txt"}));
    QCOMPARE(window.findChild<QLabel *>(QStringLiteral("meldung"))->text(),
             said.replace(QStringLiteral("%1"), QDir::toNativeSeparators(target)));
    if (mishap.isEmpty()) // still what it opened
        QCOMPARE(window.findChild<LogAnsicht *>()->beschreibung(3007), QStringLiteral("Zeichen 3.007: Q"));
}

// The record as it was opened, though Dovevad removed its file; a log has
// no record to keep.
void tst_Logbetrachter::recordCopyOutlivesItsFile()
{
    const QString path = write(record(), QStringLiteral("Generated Chars.dovrec"));
    Logbetrachter window(path, {});
    QVERIFY(window.findChild<QAction *>(QStringLiteral("aufzeichnungSpeichern"))->isEnabled());
    QVERIFY(QFile::remove(path));
    QTRY_VERIFY(window.windowTitle().contains(QStringLiteral("(gelöscht)")));
    const QString kept = m_dir->filePath(QStringLiteral("kept.dovrec"));
    QVERIFY(window.findChild<Ablage *>()->aufzeichnungSpeichern(kept));
    QCOMPARE(readAll(kept), record());
    const Logbetrachter log(write(lines("AB")), {});
    QVERIFY(!log.findChild<QAction *>(QStringLiteral("aufzeichnungSpeichern"))->isEnabled());
}

void tst_Logbetrachter::handMadeRecord_data()
{
    QTest::addColumn<QByteArray>("header");
    QTest::addColumn<QString>("error");
    const QString kopf = QStringLiteral("Der Kopf der Aufzeichnung ist beschädigt.");
    QTest::newRow("version 1") << QByteArray("444f56455641441a010020000000000000000000000000000000000048524ebe") << QString();
    QTest::newRow("version 0") << QByteArray("444f56455641441a00002000000000000000000000000000000000000e6929db") << kopf;
    QTest::newRow("entries of 31 bytes") << QByteArray("444f56455641441a01001f00000000000000000000000000000000000812d43b") << kopf;
    QTest::newRow("version 2") << QByteArray("444f56455641441a0200200000000000000000000000000000000000821fe711")
        << QStringLiteral("Die Aufzeichnung ist von einer neueren Version von Dovevad (Format 2); diese liest Format 1.");
    QTest::newRow("version 2, checksum of 1") << QByteArray("444f56455641441a020020000000000000000000000000000000000048524ebe")
                                              << kopf;
}

// Made from doc/record-format.md alone: a header, then three entries
// (first, key, counter, count, CRC-32), and the letters by the page's formula.
void tst_Logbetrachter::handMadeRecord()
{
    QFETCH(QByteArray, header);
    QFETCH(QString, error);
    const QByteArray entries = QByteArray::fromHex("0000000000000000efcdab89674523011032547698badcfe050000006abba14e"
                                                   "0500000000000000887766554433221111223344556677880300000040059b4f"
                                                   "08000000000000000df0fecaefbeadde010000000000000004000000169db048");
    const Logdatei datei(write(QByteArray::fromHex(header) + entries, QStringLiteral("hand.dovrec")));
    QCOMPARE(datei.fehler(), error);
    QCOMPARE(datei.zeilen(1, 20), lines(error.isEmpty() ? "SIFLWHWYCLUP" : ""));
}

void tst_Logbetrachter::damageSaidWhereTheUserLooks_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<qint64>("good"); // bytes up to the damage, which open clean
    QTest::addColumn<qint64>("rows");
    QTest::addColumn<qint64>("counted"); // letters in the chart
    QTest::addColumn<QString>("said");
    QTest::addColumn<QString>("title"); // what the title says
    const QString kaputt = QStringLiteral("Die Aufzeichnung ist nach Zeichen %1 beschädigt; bis dahin ist sie gelesen.");
    QByteArray checksum = record();
    checksum[4 * Aufzeichnung::Groesse + 9] ^= 1; // the fourth entry's key
    QTest::newRow("fourth entry's checksum") << checksum << qint64(128) << qint64(3000) << qint64(3000)
                                             << kaputt.arg(QStringLiteral("3.000")) << "3.000 Zeichen (beschädigt";
    QTest::newRow("third entry not following") << record(2500) << qint64(96) << qint64(2000) << qint64(2000)
                                               << kaputt.arg(QStringLiteral("2.000")) << "2.000 Zeichen (beschädigt";
    QTest::newRow("cut inside the fourth entry") << record().left(148) << qint64(128) << qint64(3000) << qint64(3000)
        << "Die Aufzeichnung bricht nach Zeichen 3.000 ab; bis dahin ist sie gelesen." << "3.000 Zeichen (bricht ab";
    QTest::newRow("record with a foreign end") << record() + QByteArray(40, 'x') << qint64(192) << qint64(5000) << qint64(5000)
                                               << kaputt.arg(QStringLiteral("5.000")) << "5.000 Zeichen (beschädigt";
    QTest::newRow("log cut inside a line") << lines(QByteArray(3000, 'Q')) + "A\r" << qint64(9000) << qint64(3001) << qint64(3000)
                                           << "Die letzte Zeile bricht ab: Die Datei endet mitten in einer Zeile." << "3.000 Zeichen (bricht ab";
    QTest::newRow("log with a foreign end") << lines(QByteArray(5000, 'A')) + "a\r\n" << qint64(15000) << qint64(5001)
        << qint64(5000) << "Zeile 5.001 ist kein Buchstabe mit Zeilenende: Das ist wohl keine Logdatei von Dovevad. "
                           "Gezeigt wird, was darin steht." << "5.001 Zeichen (beschädigt";
}

// Damage is said in the status line, to screen readers and in the title,
// when the file opens and when a growing file turns bad; the rows and the
// chart end where the letters do.
void tst_Logbetrachter::damageSaidWhereTheUserLooks()
{
    QFETCH(QByteArray, bytes);
    QFETCH(qint64, good);
    QFETCH(qint64, rows);
    QFETCH(qint64, counted);
    QFETCH(QString, said);
    QFETCH(QString, title);
    const QString name = bytes.startsWith("DOVEVAD") ? QStringLiteral("run.dovrec") : QStringLiteral("log.txt");
    for (const bool grows : {false, true}) {
        const QString path = write(grows ? bytes.left(good) : bytes, name);
        Logbetrachter window(path, {});
        auto *meldung = window.findChild<QLabel *>(QStringLiteral("meldung"));
        if (grows) {
            QCOMPARE(meldung->text(), QString());
            QVERIFY(!window.windowTitle().contains(u'('));
            QFile file(path);
            QVERIFY(file.open(QIODevice::Append) && file.write(bytes.mid(good)) == bytes.size() - good);
        }
        QTRY_COMPARE(meldung->text(), said);
        QCOMPARE(meldung->accessibleName(), said);
        QVERIFY2(window.windowTitle().contains(title), qPrintable(window.windowTitle()));
        QCOMPARE(window.findChild<LogAnsicht *>()->zeilen(), rows);
        QTRY_VERIFY(window.findChild<Buchstabendiagramm *>()->zahlen().startsWith(Logdatei::nummer(counted) + u' '));
    }
}

void tst_Logbetrachter::chanceInWords_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<int>("degrees");
    QTest::addColumn<double>("p"); // from the tables, or exact
    QTest::newRow("25 degrees, 95 % point") << 37.652 << 25 << 0.05;
    QTest::newRow("25 degrees, median") << 24.337 << 25 << 0.5;
    QTest::newRow("25 degrees, low") << 11.524 << 25 << 0.99;
    QTest::newRow("2 degrees, exact") << 2 * std::log(1000.0) << 2 << 0.001;
    QTest::newRow("1 degree, 95 % point") << 3.841 << 1 << 0.05;
    QTest::newRow("26 degrees far out, exact") << 200.0 << 26 << 8.812038473482371e-29;
}

// The chance that a spread is chance.
void tst_Logbetrachter::chanceInWords()
{
    QFETCH(double, x);
    QFETCH(int, degrees);
    QFETCH(double, p);
    QVERIFY2(std::fabs(Statistik::chiQuadratP(x, degrees) / p - 1) < 2e-3,
             qPrintable(QString::number(Statistik::chiQuadratP(x, degrees))));
}

// The chart's words and marks.
void tst_Logbetrachter::chartInWords()
{
    // 200,000 letters, T at -2.0 % and B at +1.3 %: chance; then B alone
    // at +7.8 %, some 5.5 of its spreads above an even share: not.
    Buchstabenzaehlung zaehlung;
    zaehlung.je.fill(7692);
    zaehlung.je['T' - 'A'] = 7535;
    zaehlung.je['B' - 'A'] = 7792;
    Buchstabendiagramm chart;
    chart.setZaehlung(zaehlung);
    QVERIFY2(chart.urteil().startsWith(QStringLiteral("So gleichmäßig, wie der Zufall es erlaubt: χ² = 4,5 bei 25 Freiheitsgraden, p = ")),
             qPrintable(chart.urteil()));
    zaehlung.je['B' - 'A'] = 8308;
    chart.setZaehlung(zaehlung);
    QVERIFY2(chart.urteil().startsWith(QStringLiteral("Ungleichmäßiger, als der Zufall es gewöhnlich macht: χ² = "))
                 && chart.urteil().endsWith(QStringLiteral("(markiert): B.")),
             qPrintable(chart.urteil()));
    QVERIFY(chart.zahlen().contains(QStringLiteral("B: 8.308, +7,76 %, für sich allein kein Zufall")));
    // Between the 95 % points of 25 and 26 degrees: the 25 said decide.
    zaehlung.je.fill(1040);
    std::fill_n(zaehlung.je.begin(), 12, 960);
    zaehlung.je[12] = zaehlung.je[13] = 1000;
    chart.setZaehlung(zaehlung);
    QCOMPARE(chart.urteil(), QStringLiteral("Ungleichmäßiger, als der Zufall es gewöhnlich macht: "
                                            "χ² = 38,4 bei 25 Freiheitsgraden, p = 0,042."));
    // Too few letters for the test: no verdict and no marks.
    zaehlung.je.fill(0);
    zaehlung.je[0] = 2;
    zaehlung.je[1] = 1;
    chart.setZaehlung(zaehlung);
    QVERIFY2(chart.urteil().startsWith(QStringLiteral("Zu wenige Buchstaben")) && !chart.zahlen().contains(QStringLiteral("für sich allein")),
             qPrintable(chart.urteil()));
}

void tst_Logbetrachter::badFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");  // of a file; none: a folder
    QTest::addColumn<QString>("expected"); // the error, or what the viewer says
    QTest::addColumn<qint64>("rows");      // a last line cut short among them
    const QString abbruch = QStringLiteral("Die letzte Zeile bricht ab: Die Datei endet mitten in einer Zeile.");
    const auto fremd = [](const char *zeile) {
        return QStringLiteral("Zeile %1 ist kein Buchstabe mit Zeilenende: Das ist wohl keine Logdatei "
                              "von Dovevad. Gezeigt wird, was darin steht.").arg(QLatin1String(zeile));
    };
    QTest::newRow("folder") << QByteArray() << QStringLiteral("Das ist ein Ordner, keine Logdatei.") << qint64(0);
    QTest::newRow("empty") << QByteArray("") << QString() << qint64(0);
    QTest::newRow("cut short") << lines("AB") + "C" << abbruch << qint64(3);
    QTest::newRow("one byte") << QByteArray("A") << abbruch << qint64(1);
    QTest::newRow("two bytes") << QByteArray("A\r") << abbruch << qint64(1);
    QTest::newRow("no log") << QByteArray("#!/bin/sh\nexit 0\n") << fremd("1") << qint64(6);
    // Beyond what the start's sample reads, only the end's tells.
    QTest::newRow("foreign end of a long file") << lines(QByteArray(5000, 'A')) + "a\r\n" << fremd("5.001") << qint64(5001);
}

void tst_Logbetrachter::badFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    QFETCH(qint64, rows);
    const QString path = bytes.isNull() ? m_dir->path() : write(bytes);
    Logbetrachter window(path, {QStringLiteral("ABC"), false, 2, 2});
    window.show();
    QCOMPARE(window.fehler(), bytes.isNull() ? expected : QString());
    if (bytes.isNull())
        return;
    QCOMPARE(window.findChild<QLabel *>(QStringLiteral("meldung"))->text(), expected);
    const auto *view = window.findChild<LogAnsicht *>();
    QCOMPARE(view->zeilen(), rows);
    QVERIFY(!view->beschreibung(view->aktuell()).isEmpty());
    QCOMPARE(window.windowTitle().contains(u'('), !expected.isEmpty());
}

void tst_Logbetrachter::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status"); // -1: the window opens
    QTest::newRow("help") << QStringList{QStringLiteral("--help")} << 0;
    QTest::newRow("version") << QStringList{QStringLiteral("-v")} << 0;
    QTest::newRow("no log") << QStringList{} << 2;
    QTest::newRow("two logs") << QStringList{QStringLiteral("a"), QStringLiteral("b")} << 2;
    QTest::newRow("bad closest") << QStringList{QStringLiteral("--naehe"), QStringLiteral("3"), QStringLiteral("a")} << 2;
    QTest::newRow("bad found") << QStringList{QStringLiteral("--gefunden"), QStringLiteral("-1"), QStringLiteral("a")} << 2;
    QTest::newRow("unknown") << QStringList{QStringLiteral("--ziehl"), QStringLiteral("a")} << 2;
    QTest::newRow("by hand") << QStringList{QStringLiteral("-style"), QStringLiteral("fusion"), QStringLiteral("log")} << -1;
}

void tst_Logbetrachter::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    const Argv argv("dovevad-viewer", arguments);
    const auto result = Betrachteraufruf::auswerten(argv.argc(), argv.argv());
    QCOMPARE(std::holds_alternative<int>(result) ? std::get<int>(result) : -1, status);
}

QTEST_MAIN(tst_Logbetrachter)
#include "tst_logbetrachter.moc"
