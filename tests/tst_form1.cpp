#include "answerbox.h"
#include "files.h"
#include "form1.h"
#include "lettercap.h"
#include "shellrecorder.h"
#include "sprache.h"

#include <QAccessible>
#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <functional>

#include <unistd.h>

namespace {

const QString LogName = QStringLiteral("Generated Chars.txt");
const QString IdleCaption = QStringLiteral("Type, Zizuzod, Type!");

// A child process that closes the window, idle or during a run.
int closeChild(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString dir = QString::fromLocal8Bit(argv[3]);
    Files::setProgramDirectory(dir);
    ShellRecorder shell;
    shell.recordFile = dir + QStringLiteral("/opened");
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &shell, "open");
    Form1 window;
    window.show();
    const bool running = qstrcmp(argv[2], "running") == 0;
    if (running)
        QTimer::singleShot(0, window.findChild<QPushButton *>(QStringLiteral("Command1")), &QPushButton::click);
    QTimer::singleShot(running ? 200 : 0, &window, [&window] {
        std::printf("%lld\n", window.Anzahl.whole());
        std::fflush(stdout);
        window.close();
    });
    app.exec();
    return 99; // the close did not end the program
}

} // namespace

class tst_Form1 : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        capLetters();
        Form1::offerToScreenReaders();
    }
    void init();
    void cleanup();
    void startsAsLaidOut();
    void speaksTheUsersLanguage_data();
    void speaksTheUsersLanguage();
    void startAndStop();
    void tooltipsTellWhatARunCosts();
    void emptyTargetIsFoundAtOnce();
    void leavingTheTextCleansIt();
    void helpPausesTheRun();
    void startWhileAStoppedRunFinishes_data();
    void startWhileAStoppedRunFinishes();
    void helpAsTheTargetIsFound();
    void stopStartStopInOneRound();
    void labelsReadInAnyTheme_data();
    void labelsReadInAnyTheme();
    void closingEndsTheProgramAndRemovesTheLog_data();
    void closingEndsTheProgramAndRemovesTheLog();

private:
    template <typename T>
    T *child(const char *name) const { return m_window->findChild<T *>(QLatin1String(name)); }
    void checkIdle() const;
    void checkLogMatchesCount() const;
    QByteArray log() const;

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Form1> m_window;
    ShellRecorder m_shell;
};

void tst_Form1::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    Files::setProgramDirectory(m_dir->path());
    m_shell.opened.clear();
    m_shell.sizes.clear();
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &m_shell, "open");
    m_window = std::make_unique<Form1>();
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void tst_Form1::cleanup()
{
    m_window.reset();
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
}

QByteArray tst_Form1::log() const
{
    QFile file(m_dir->filePath(LogName));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void tst_Form1::checkIdle() const
{
    QCOMPARE(child<QPushButton>("Command1")->text(), IdleCaption);
    QVERIFY(child<QLineEdit>("Text1")->isEnabled());
    QVERIFY(!m_window->laufend);
}

// The caption shows the count, and the log holds as many whole lines.
void tst_Form1::checkLogMatchesCount() const
{
    const qint64 count = m_window->Anzahl.whole();
    QCOMPARE(child<QLabel>("Label3")->text(), QString::number(count) + u' ');
    const QByteArray bytes = log();
    QCOMPARE(bytes.size(), 3 * count);
    QCOMPARE(bytes.count("\r\n"), count);
}

void tst_Form1::startsAsLaidOut()
{
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Dovevad"));
    QCOMPARE(m_window->size(), QSize(690, 152));
    QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
    const Qt::WindowFlags flags = m_window->windowFlags();
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(!m_window->windowIcon().isNull());

    auto *text1 = child<QLineEdit>("Text1");
    auto *command1 = child<QPushButton>("Command1");
    auto *command2 = child<QPushButton>("Command2");
    QCOMPARE(QApplication::focusWidget(), text1);
    QCOMPARE(text1->text(), QStringLiteral("ZEICHENFOLGE"));
    QCOMPARE(text1->geometry(), QRect(173, 16, 344, 37));
    QCOMPARE(text1->font().pointSizeF(), 18.0);
    QCOMPARE(command1->geometry(), QRect(201, 104, 289, 41));
    QCOMPARE(command2->geometry(), QRect(648, 112, 33, 33));
    QCOMPARE(command2->text(), QStringLiteral("?"));
    const QList<QPair<QWidget *, QString>> texts = {
        {text1, QStringLiteral("ZEICHENFOLGE")},
        {child<QLabel>("Label2"), QStringLiteral("Anzahl der generierten Zeichen:")},
        {child<QLabel>("Label3"), QStringLiteral("0 ")},
        {command1, IdleCaption},
    };
    for (const auto &[widget, text] : texts) {
        QCOMPARE(widget->property("text").toString(), text);
        QVERIFY2(widget->fontMetrics().horizontalAdvance(text) < widget->width() - 4, qPrintable(text));
    }
    QCOMPARE(child<QLabel>("Label2")->font().pointSizeF(), 13.5);

    // Tab skips the labels. Return in the text box presses no button and Esc
    // closes nothing; Return and Enter press a focused button, as Space does.
    for (QWidget *next : {static_cast<QWidget *>(command1), static_cast<QWidget *>(command2),
                          static_cast<QWidget *>(text1)}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), next);
    }
    text1->clear(); // a run started now finds its empty target at once
    QString box;
    answerNextBox(&box);
    QTest::keyClick(text1, Qt::Key_Return);
    QTest::keyClick(text1, Qt::Key_Escape);
    QVERIFY(m_window->isVisible() && !m_window->laufend && box.isEmpty());
    command1->setFocus();
    QTest::keyClick(command1, Qt::Key_Escape);
    QTest::keyClick(command1, Qt::Key_Return);
    QVERIFY(m_window->laufend && box.startsWith(QStringLiteral("Gefunden!")));
    QTest::keyClick(command1, Qt::Key_Enter, Qt::KeypadModifier);
    QVERIFY(m_window->isVisible() && !m_window->laufend);

    // Screen readers get a German name and description for every control.
    QList<QWidget *> described = m_window->findChildren<QWidget *>();
    described.append(m_window.get());
    for (QWidget *widget : std::as_const(described)) {
        QVERIFY2(!widget->accessibleName().isEmpty(), qPrintable(widget->objectName()));
        QVERIFY2(!widget->accessibleDescription().isEmpty(), qPrintable(widget->objectName()));
    }
}

void tst_Form1::speaksTheUsersLanguage_data()
{
    QTest::addColumn<QStringList>("languages"); // the user's, best first
    QTest::addColumn<bool>("english");
    QTest::newRow("German") << QStringList{"de-AT", "de"} << false;
    QTest::newRow("English") << QStringList{"en-US", "en"} << true;
    QTest::newRow("French, then English") << QStringList{"fr-FR", "fr", "en-GB"} << true;
    QTest::newRow("French alone") << QStringList{"fr-FR", "fr"} << false;
    QTest::newRow("C locale") << QStringList{"C"} << false;
}

void tst_Form1::speaksTheUsersLanguage()
{
    QFETCH(QStringList, languages);
    QFETCH(bool, english);
    const QString label = english ? "Number of characters generated:" : "Anzahl der generierten Zeichen:";
    const QString tip = english ? "Expected: ≈ 9.5 · 10¹⁶ characters" : "Erwartet: ≈ 9,5 · 10¹⁶ Zeichen";
    const QString undo = english ? "&Undo" : "&Rückgängig"; // Qt's own text in the box's menu
    const auto germanAgain = qScopeGuard([] { Sprache(QStringList{}); });
    Sprache sprache(languages);
    sprache.installieren();
    m_window = std::make_unique<Form1>();
    auto *label2 = child<QLabel>("Label2");
    QCOMPARE(label2->text(), label);
    QVERIFY(label2->fontMetrics().horizontalAdvance(label) <= child<QLabel>("Label3")->x() - label2->x());
    QVERIFY2(child<QLineEdit>("Text1")->toolTip().contains(tip), qPrintable(child<QLineEdit>("Text1")->toolTip()));
    QCOMPARE(child<QPushButton>("Command1")->text(), IdleCaption);
    const std::unique_ptr<QMenu> menu(child<QLineEdit>("Text1")->createStandardContextMenu());
    QCOMPARE(menu->actions().constFirst()->text().section(u'\t', 0, 0), undo);
}

void tst_Form1::startAndStop()
{
    auto *command1 = child<QPushButton>("Command1");
    QTimer::singleShot(50, this, [&] {
        QCOMPARE(command1->text(), QStringLiteral("Stop"));
        QCOMPARE(command1->accessibleName(), QStringLiteral("Stop"));
        QVERIFY(!child<QLineEdit>("Text1")->isEnabled());
        QVERIFY(m_window->laufend);
        command1->click();
    });
    command1->click();

    checkIdle();
    QVERIFY(m_window->Anzahl.whole() > 0);
    checkLogMatchesCount();
    // What a screen reader reads: the count, the caption, a window.
    QCOMPARE(child<QLabel>("Label3")->accessibleName(), QString::number(m_window->Anzahl.whole()));
    QVERIFY(child<QLabel>("Label3")->accessibleDescription().contains(QStringLiteral("Am nächsten bisher: ")));
    QCOMPARE(command1->accessibleName(), command1->text());
    QVERIFY(child<QLineEdit>("Text1")->accessibleDescription().contains(QStringLiteral("\nErwartet: ")));
    QCOMPARE(QAccessible::queryAccessibleInterface(m_window.get())->role(), QAccessible::Window);
    QCOMPARE(m_shell.opened, QStringList{m_dir->filePath(LogName)});
}

// German tooltips on the target and, once a run has gone, on the count;
// the window's layout and captions stay as they were.
void tst_Form1::tooltipsTellWhatARunCosts()
{
    const auto looks = [this] {
        QStringList looks;
        for (QWidget *widget : m_window->findChildren<QWidget *>()) {
            looks << QStringLiteral("%1 %2 %3").arg(widget->objectName(), widget->font().toString())
                         .arg(QVariant(widget->geometry()).toString());
        }
        return looks << child<QLabel>("Label2")->text() << child<QPushButton>("Command2")->text();
    };
    const QStringList before = looks();
    auto *text1 = child<QLineEdit>("Text1");
    // The speed is measured once the window is up, by then on its way.
    QTRY_VERIFY(!text1->toolTip().contains(QStringLiteral("wird noch gemessen")));
    text1->setText(QStringLiteral("a-b"));
    QVERIFY2(text1->toolTip().startsWith(QStringLiteral("Erwartet: 676 Zeichen\n"
                                                        "Gefunden mit 50 % Wahrscheinlichkeit nach 469 Zeichen, "
                                                        "mit 95 % nach 2.022\nErwartete Dauer: ")),
             qPrintable(text1->toolTip()));
    QVERIFY2(text1->toolTip().contains(QRegularExpression(
                 QStringLiteral(" Zeichen pro Sekunde(, auf [^\n]*)?\nErwartete Größe der Logdatei: 2,0 kB, frei sind "))),
             qPrintable(text1->toolTip()));
    text1->setText(QStringLiteral("ZEICHENFOLGE"));
    QVERIFY(text1->toolTip().startsWith(QStringLiteral("Erwartet: ≈ 9,5 · 10¹⁶ Zeichen\n")));
    QVERIFY(text1->toolTip().contains(QStringLiteral("Jahre bei")));

    QTimer::singleShot(300, child<QPushButton>("Command1"), &QPushButton::click);
    child<QPushButton>("Command1")->click();
    const QString runTip = child<QLabel>("Label3")->toolTip();
    QVERIFY2(runTip.contains(QRegularExpression(QStringLiteral(
                 "^[0-9,]+ Mio\\. Zeichen pro Sekunde\nEine Zeichenfolge dieser Art wäre nach [0-9,]+ Mio\\. Zeichen "
                 "mit ≈ [0-9],[0-9] · 10⁻[⁰¹²³⁴⁵⁶⁷⁸⁹]+ % Wahrscheinlichkeit schon erschienen\\.\n"
                 "Am nächsten bisher: ZEI[A-Z]*, [0-9]+ von 12 Buchstaben, nach [0-9.]+ Zeichen$"))),
             qPrintable(runTip));
    QCOMPARE(looks(), before);

    // A compact run's pace is no log's: the tooltip keeps the log's beside.
    m_window->setKompakt(true);
    QString box; // where the record is: no viewer beside the test
    answerNextBox(&box);
    QTimer::singleShot(300, child<QPushButton>("Command1"), &QPushButton::click);
    child<QPushButton>("Command1")->click();
    m_window->setKompakt(false);
    text1->setText(QStringLiteral("ZEICHENF"));
    // Where a compact run's search runs: the card by its name, and the cores.
    QVERIFY2(text1->toolTip().contains(QRegularExpression(QStringLiteral(
                 "Erwartete Dauer: .* bei [0-9,]+ Mio\\. Zeichen pro Sekunde\nKompakt, nur mit Aufzeichnung: .* bei .* Zeichen "
                 "pro Sekunde, auf (der Grafikkarte „[^“]+“ und )?(einem Kern|[0-9]+ Kernen)"))),
             qPrintable(text1->toolTip()));
}

void tst_Form1::emptyTargetIsFoundAtOnce()
{
    // The start removes the old log rather than emptying it: a hard link to
    // it keeps its letters.
    QFile old(m_dir->filePath(LogName));
    QVERIFY(old.open(QIODevice::WriteOnly) && old.write("A\r\n") == 3);
    old.close();
    QVERIFY(::link(QFile::encodeName(old.fileName()).constData(), QFile::encodeName(m_dir->filePath(QStringLiteral("kept"))).constData()) == 0);
    child<QLineEdit>("Text1")->clear();
    QString box, captionAtBox;
    answerNextBox(&box, [&] { captionAtBox = child<QLabel>("Label3")->text(); });
    child<QPushButton>("Command1")->click();

    QCOMPARE(box, QStringLiteral("Gefunden!|%1|Zeichenfolge wurde gefunden!").arg(QMessageBox::Information));
    QCOMPARE(captionAtBox, QStringLiteral("0 "));
    QCOMPARE(m_window->Anzahl.whole(), 0);
    QVERIFY(QFile::exists(m_dir->filePath(LogName)) && log().isEmpty());
    QCOMPARE(QFileInfo(m_dir->filePath(QStringLiteral("kept"))).size(), 3);
    QCOMPARE(m_shell.opened.size(), 1);
    // A found target leaves the window busy until the next click.
    QCOMPARE(child<QPushButton>("Command1")->text(), QStringLiteral("Stop"));
    QVERIFY(!child<QLineEdit>("Text1")->isEnabled() && m_window->laufend);
    child<QPushButton>("Command1")->click();
    checkIdle();
    QCOMPARE(m_shell.opened.size(), 1);
}

void tst_Form1::leavingTheTextCleansIt()
{
    auto *text1 = child<QLineEdit>("Text1");
    text1->setText(QStringLiteral(" ab1 c-Dä!"));
    child<QPushButton>("Command2")->setFocus(Qt::TabFocusReason);
    QCOMPARE(text1->text(), QStringLiteral("ABCD"));

    // The box takes texts of any length.
    text1->setFocus();
    text1->setText(QStringLiteral("x.").repeated(40000));
    child<QPushButton>("Command1")->setFocus(Qt::MouseFocusReason);
    QCOMPARE(text1->text(), QStringLiteral("X").repeated(40000));
}

void tst_Form1::helpPausesTheRun()
{
    auto *command1 = child<QPushButton>("Command1");
    QString box;
    qint64 atOpen = -1, afterWait = -1, afterClose = -1;
    QTimer::singleShot(30, this, [&] {
        answerNextBox(&box, [&] {
            atOpen = m_window->Anzahl.whole();
            QTest::qWait(100);
            afterWait = m_window->Anzahl.whole();
        });
        child<QPushButton>("Command2")->click();
        QTimer::singleShot(50, this, [&] {
            afterClose = m_window->Anzahl.whole();
            command1->click();
        });
    });
    command1->click();

    QVERIFY(box.startsWith(QStringLiteral("Hilfe|%1|Der Zadorod-Izereridi soll").arg(QMessageBox::Question)));
    QVERIFY(box.contains(QStringLiteral("angezeigt.\r\nFür weitere Hilfe: ")));
    QVERIFY(atOpen > 0);
    QCOMPARE(afterWait, atOpen);
    QVERIFY(afterClose > atOpen);
    checkIdle();
    checkLogMatchesCount();
}

void tst_Form1::startWhileAStoppedRunFinishes_data()
{
    QTest::addColumn<int>("clicks");
    QTest::newRow("stop, start") << 2;
    QTest::newRow("ten clicks") << 10;
}

void tst_Form1::startWhileAStoppedRunFinishes()
{
    QFETCH(int, clicks);
    auto *command1 = child<QPushButton>("Command1");
    qint64 firstCount = -1;
    QTimer::singleShot(30, this, [&] {
        QTimer::singleShot(50, command1, &QPushButton::click);
        // Stop, start, ... before the first run has handed on its log.
        for (int i = 0; i < clicks; ++i)
            command1->click();
        firstCount = m_window->Anzahl.whole();
        QCOMPARE(command1->text(), QStringLiteral("Stop"));
    });
    command1->click();

    // Each run handed on its own complete log, the first one first.
    QVERIFY(firstCount > 0);
    QCOMPARE(m_shell.opened, QStringList(2, m_dir->filePath(LogName)));
    QCOMPARE(m_shell.sizes, QList<qint64>({3 * firstCount, 3 * m_window->Anzahl.whole()}));
    checkIdle();
    checkLogMatchesCount();
}

// A click on "?" waiting as the run finds its target: both boxes come, and
// the run ends found, its empty log handed on once.
void tst_Form1::helpAsTheTargetIsFound()
{
    child<QLineEdit>("Text1")->clear();
    QString first, second;
    answerNextBox(&first, [&] { answerNextBox(&second); });
    QTimer::singleShot(0, child<QPushButton>("Command2"), &QPushButton::click);
    child<QPushButton>("Command1")->click();

    QCOMPARE(QSet<QString>({first.section(u'|', 0, 0), second.section(u'|', 0, 0)}),
             QSet<QString>({QStringLiteral("Hilfe"), QStringLiteral("Gefunden!")}));
    QCOMPARE(m_shell.opened.size(), 1);
    QVERIFY(m_window->laufend && log().isEmpty());
}

void tst_Form1::stopStartStopInOneRound()
{
    auto *command1 = child<QPushButton>("Command1");
    QTimer::singleShot(30, this, [&] {
        command1->click();
        command1->click();
        command1->click();
    });
    command1->click();

    QCOMPARE(m_shell.opened.size(), 1);
    checkIdle();
    checkLogMatchesCount();
}

// The labels keep the highlight colour where it reads against the window
// (3:1 at least), else they take the text colour; a theme switch counts.
void tst_Form1::labelsReadInAnyTheme_data()
{
    QTest::addColumn<QColor>("window");
    QTest::addColumn<QColor>("highlight");
    QTest::addColumn<bool>("highlighted");
    QTest::newRow("light") << QColor(0xefefef) << QColor(0x308cc6) << true;
    QTest::newRow("dark") << QColor(0x202020) << QColor(0x3daee9) << true;
    QTest::newRow("low contrast") << QColor(0x31363b) << QColor(0x3b4c5e) << false;
}

void tst_Form1::labelsReadInAnyTheme()
{
    QFETCH(QColor, window);
    QFETCH(QColor, highlight);
    QFETCH(bool, highlighted);
    const QPalette before = m_window->palette();
    QPalette theme = before;
    theme.setColor(QPalette::Window, window);
    theme.setColor(QPalette::Highlight, highlight);
    theme.setColor(QPalette::WindowText, QColor(0x808081));
    m_window->setPalette(theme); // as a theme switch reaches the window
    for (const char *name : {"Label2", "Label3"})
        QCOMPARE(child<QLabel>(name)->palette().color(QPalette::WindowText), highlighted ? highlight : QColor(0x808081));
    m_window->setPalette(before);
    QCOMPARE(child<QLabel>("Label3")->palette().color(QPalette::WindowText), before.color(QPalette::Highlight));
}

void tst_Form1::closingEndsTheProgramAndRemovesTheLog_data()
{
    QTest::addColumn<QString>("mode");
    QTest::newRow("idle") << QStringLiteral("idle");
    QTest::newRow("during a run") << QStringLiteral("running");
}

void tst_Form1::closingEndsTheProgramAndRemovesTheLog()
{
    QFETCH(QString, mode);
    QFile old(m_dir->filePath(LogName));
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.close();

    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--close"), mode, m_dir->path()});
    QVERIFY(child.waitForFinished(20000));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);
    const qint64 countAtClose = child.readAllStandardOutput().trimmed().toLongLong();
    QVERIFY(mode == QStringLiteral("idle") ? countAtClose == 0 : countAtClose > 0);
    QVERIFY(!QFile::exists(old.fileName()));
    QVERIFY(!QFile::exists(m_dir->filePath(QStringLiteral("opened"))));
}

int main(int argc, char *argv[])
{
    if (argc == 4 && qstrcmp(argv[1], "--close") == 0)
        return closeChild(argc, argv);
    QApplication app(argc, argv);
    tst_Form1 test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_form1.moc"
