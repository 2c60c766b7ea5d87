// The desktop's services as a run asks them, on a session bus of the test's
// own (dbus-run-session), which stands for the system bus too; the services
// are stand-ins of this file's, on connections of their own.

#include "answerbox.h"
#include "files.h"
#include "form1.h"
#include "lettercap.h"
#include "shellrecorder.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusUnixFileDescriptor>
#include <QDesktopServices>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <utility>

#include <poll.h>
#include <unistd.h>

namespace {

// What the stand-ins were asked, in order: "Inhibit reason", "Close", ...
QStringList s_asked;

class Notifications : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public slots:
    uint Notify(const QString &, uint, const QString &icon, const QString &summary, const QString &body,
                const QStringList &actions, const QVariantMap &, int)
    {
        s_asked << QStringLiteral("Notify %1|%2|%3|%4").arg(summary, body, icon, actions.value(0));
        return 7;
    }
signals:
    void ActionInvoked(uint id, const QString &key);
};

class Request : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Request")
public slots:
    void Close() { s_asked << QStringLiteral("Close"); }
};

class Portal : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Inhibit")
public:
    Request request;
public slots:
    QDBusObjectPath Inhibit(const QString &, uint flags, const QVariantMap &options)
    {
        s_asked << QStringLiteral("Inhibit %1 %2").arg(flags).arg(options.value(QStringLiteral("reason")).toString());
        return QDBusObjectPath(QStringLiteral("/org/freedesktop/portal/desktop/request/1/dovevad"));
    }
};

// Answers only when told to: a portal that is slow to.
class LatePortal : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Inhibit")
public:
    QList<QDBusMessage> waiting;
    void answer(const QDBusConnection &bus)
    {
        for (const QDBusMessage &call : std::exchange(waiting, {}))
            bus.send(call.createReply(QVariant::fromValue(QDBusObjectPath(QStringLiteral("/org/freedesktop/portal/desktop/request/1/dovevad")))));
    }
public slots:
    QDBusObjectPath Inhibit(const QString &, uint, const QVariantMap &)
    {
        s_asked << QStringLiteral("Inhibit");
        setDelayedReply(true);
        waiting << message();
        return {};
    }
};

// Holds the other end of the descriptor it hands out: it reads the end of
// the file once the program lets go.
class Logind : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")
public:
    int held = -1;
    bool released() const
    {
        pollfd ready{held, POLLIN, 0};
        char byte;
        return poll(&ready, 1, 0) == 1 && read(held, &byte, 1) == 0;
    }
public slots:
    QDBusUnixFileDescriptor Inhibit(const QString &what, const QString &who, const QString &why, const QString &mode)
    {
        s_asked << QStringLiteral("Inhibit %1 %2 %3 %4").arg(what, who, mode, why);
        int ends[2];
        if (pipe(ends) != 0)
            return {};
        held = ends[0];
        const QDBusUnixFileDescriptor lock(ends[1]); // a copy of its own
        close(ends[1]);
        return lock;
    }
};

class Screensaver : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
public slots:
    uint Inhibit(const QString &who, const QString &why)
    {
        s_asked << QStringLiteral("Inhibit %1 %2").arg(who, why);
        return 42;
    }
    void UnInhibit(uint cookie) { s_asked << QStringLiteral("UnInhibit %1").arg(cookie); }
};

// Offers a service on a connection of its own, until it goes.
class StandIn
{
public:
    StandIn(QDBusConnection::BusType bus, const QString &service, const QString &path, QObject *object)
        : m_name(service), m_bus(QDBusConnection::connectToBus(bus, service))
    {
        m_bus.registerObject(path, object, QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals);
        m_bus.registerService(service);
    }
    ~StandIn() { QDBusConnection::disconnectFromBus(m_name); }
    QDBusConnection &bus() { return m_bus; }

private:
    QString m_name;
    QDBusConnection m_bus;
};

// The desktop portal, answering through the object given, its requests
// through the request stand-in.
struct PortalStandIn : StandIn
{
    PortalStandIn(QObject *portal, QObject *request)
        : StandIn(QDBusConnection::SessionBus, QStringLiteral("org.freedesktop.portal.Desktop"),
                  QStringLiteral("/org/freedesktop/portal/desktop"), portal)
    {
        bus().registerObject(QStringLiteral("/org/freedesktop/portal/desktop/request/1/dovevad"), request,
                             QDBusConnection::ExportAllSlots);
    }
};

// A child process that starts a run and closes the window during it.
int closeChild(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Files::setProgramDirectory(QString::fromLocal8Bit(argv[2]));
    Form1 window;
    window.show();
    QTimer::singleShot(0, window.findChild<QPushButton *>(QStringLiteral("Command1")), &QPushButton::click);
    QTimer::singleShot(300, &window, &QWidget::close);
    app.exec();
    return 99; // the close did not end the program
}

} // namespace

class tst_DesktopBus : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void awakeWhileARunTypes_data();
    void awakeWhileARunTypes();
    void letGoWhenTheWindowCloses();
    void lateAnswerIsLetGo();
    void letGoBeforeTheFoundBox();
    void toldWhenFoundElsewhere();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    ShellRecorder m_shell;
    Portal m_portal;
    Logind m_logind;
    Screensaver m_screensaver;
    Notifications m_notifications;
};

void tst_DesktopBus::initTestCase()
{
    QVERIFY2(QDBusConnection::sessionBus().isConnected(), "run through CTest, which starts a session bus");
    capLetters();
}

void tst_DesktopBus::init()
{
    s_asked.clear();
    m_dir = std::make_unique<QTemporaryDir>();
    Files::setProgramDirectory(m_dir->path());
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &m_shell, "open");
}

void tst_DesktopBus::cleanup()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
}

void tst_DesktopBus::awakeWhileARunTypes_data()
{
    QTest::addColumn<QStringList>("services"); // of the desktop
    QTest::addColumn<int>("weg");
    QTest::addColumn<QString>("asked");        // how the request begins
    QTest::addColumn<QString>("released");     // what the stand-in sees at the end
    const QStringList all{QStringLiteral("portal"), QStringLiteral("logind"), QStringLiteral("screensaver")};
    QTest::newRow("portal first") << all << int(SleepInhibitor::Weg::Portal)
                                  << QStringLiteral("Inhibit 12 ") << QStringLiteral("Close"); // suspend and idle
    QTest::newRow("logind without a portal") << all.mid(1) << int(SleepInhibitor::Weg::Logind)
                                             << QStringLiteral("Inhibit idle tst_desktopbus block ") << QStringLiteral("end of file");
    QTest::newRow("screensaver alone") << all.mid(2) << int(SleepInhibitor::Weg::Bildschirmschoner)
                                       << QStringLiteral("Inhibit tst_desktopbus ") << QStringLiteral("UnInhibit 42");
    QTest::newRow("none: the run as ever") << QStringList() << int(SleepInhibitor::Weg::Keiner) << QString() << QString();
}

// Asked at the start of a run, in the user's words, let go at its stop.
void tst_DesktopBus::awakeWhileARunTypes()
{
    QFETCH(QStringList, services);
    QFETCH(int, weg);
    QFETCH(QString, asked);
    QFETCH(QString, released);
    std::vector<std::unique_ptr<StandIn>> standIns;
    if (services.contains(u"portal"))
        standIns.push_back(std::make_unique<PortalStandIn>(&m_portal, &m_portal.request));
    if (services.contains(u"logind"))
        standIns.push_back(std::make_unique<StandIn>(QDBusConnection::SystemBus, QStringLiteral("org.freedesktop.login1"),
                                                     QStringLiteral("/org/freedesktop/login1"), &m_logind));
    if (services.contains(u"screensaver"))
        standIns.push_back(std::make_unique<StandIn>(QDBusConnection::SessionBus, QStringLiteral("org.freedesktop.ScreenSaver"),
                                                     QStringLiteral("/org/freedesktop/ScreenSaver"), &m_screensaver));

    Form1 window;
    window.findChild<QLineEdit *>(QStringLiteral("Text1"))->setText(QStringLiteral("ZEICHENFOLGE"));
    window.show();
    auto *wach = window.findChild<SleepInhibitor *>();
    auto *command1 = window.findChild<QPushButton *>(QStringLiteral("Command1"));
    int heldDuringTheRun = -1;
    QElapsedTimer clock;
    clock.start();
    // During the run, once the desktop has answered or long enough for none.
    QTimer during;
    connect(&during, &QTimer::timeout, &window, [&] {
        if ((wach->weg() == SleepInhibitor::Weg::Keiner && clock.elapsed() < 2000 && weg != 0) || heldDuringTheRun >= 0)
            return;
        heldDuringTheRun = int(wach->weg());
        command1->click();
    });
    during.start(10);
    command1->click();

    QCOMPARE(heldDuringTheRun, weg);
    QVERIFY(window.Anzahl.whole() > 0);
    if (weg == 0) {
        QVERIFY(s_asked.isEmpty());
        return;
    }
    QCOMPARE(s_asked.value(0), asked + QStringLiteral("Dovevad tippt: Ein Lauf sucht „ZEICHENFOLGE“."));
    QCOMPARE(wach->weg(), SleepInhibitor::Weg::Keiner);
    if (released == u"end of file")
        QTRY_VERIFY(m_logind.released());
    else
        QTRY_COMPARE(s_asked.last(), released);
}

// The end of the program lets go before it ends.
void tst_DesktopBus::letGoWhenTheWindowCloses()
{
    PortalStandIn portal(&m_portal, &m_portal.request);
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--close"), m_dir->path()});
    QTRY_COMPARE_WITH_TIMEOUT(child.state(), QProcess::NotRunning, 20000);
    QCOMPARE(child.exitCode(), 0);
    QCOMPARE(s_asked.size(), 2);
    QCOMPARE(s_asked.last(), QStringLiteral("Close"));
}

// The portal's answer that comes after the run has stopped holds nothing:
// the request it brings is closed at once.
void tst_DesktopBus::lateAnswerIsLetGo()
{
    LatePortal late;
    PortalStandIn portal(&late, &m_portal.request);
    Form1 window;
    window.findChild<QLineEdit *>(QStringLiteral("Text1"))->setText(QStringLiteral("ZEICHENFOLGE"));
    window.show();
    auto *command1 = window.findChild<QPushButton *>(QStringLiteral("Command1"));
    // The stop comes once the portal has the request.
    QTimer during;
    connect(&during, &QTimer::timeout, &window, [&] {
        if (!late.waiting.isEmpty() && window.laufend)
            command1->click();
    });
    during.start(10);
    command1->click();
    during.stop();

    QCOMPARE(s_asked, QStringList{QStringLiteral("Inhibit")});
    late.answer(portal.bus());
    QTRY_COMPARE(s_asked, QStringList({QStringLiteral("Inhibit"), QStringLiteral("Close")}));
    QCOMPARE(window.findChild<SleepInhibitor *>()->weg(), SleepInhibitor::Weg::Keiner);
}

// A found box may wait all night: the machine may sleep meanwhile.
void tst_DesktopBus::letGoBeforeTheFoundBox()
{
    PortalStandIn portal(&m_portal, &m_portal.request);
    Form1 window;
    // Found after some 10^7 letters, mostly after the portal has answered;
    // a run found before that holds nothing, and another one comes.
    window.findChild<QLineEdit *>(QStringLiteral("Text1"))->setText(QStringLiteral("ZEICH"));
    window.show();
    auto *wach = window.findChild<SleepInhibitor *>();
    auto *command1 = window.findChild<QPushButton *>(QStringLiteral("Command1"));
    bool held = false;
    QTimer during;
    connect(&during, &QTimer::timeout, &window, [&] { held = held || wach->weg() == SleepInhibitor::Weg::Portal; });
    during.start(1);
    for (int run = 0; run < 10 && !held; ++run) {
        QString box;
        SleepInhibitor::Weg whileTheBoxIsUp = SleepInhibitor::Weg::Portal;
        answerNextBox(&box, [&] { whileTheBoxIsUp = wach->weg(); });
        command1->click();
        QVERIFY(box.contains(QStringLiteral("Gefunden!")));
        QCOMPARE(whileTheBoxIsUp, SleepInhibitor::Weg::Keiner);
        command1->click(); // back to idle
    }
    QVERIFY(held);
    QTRY_COMPARE(s_asked.last(), QStringLiteral("Close"));
}

// Found while the user is in another window: the desktop tells, in the
// user's language, and its click brings the window back; at the window,
// the box alone tells.
void tst_DesktopBus::toldWhenFoundElsewhere()
{
    StandIn notifications(QDBusConnection::SessionBus, QStringLiteral("org.freedesktop.Notifications"),
                          QStringLiteral("/org/freedesktop/Notifications"), &m_notifications);
    Form1 window;
    window.findChild<QLineEdit *>(QStringLiteral("Text1"))->setText(QStringLiteral("AB"));
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto *command1 = window.findChild<QPushButton *>(QStringLiteral("Command1"));
    QString box;
    answerNextBox(&box);
    command1->click();
    QVERIFY(box.contains(QStringLiteral("Gefunden!")));
    command1->click(); // back to idle
    QTest::qWait(100);
    QVERIFY2(s_asked.isEmpty(), qPrintable(s_asked.join(u'\n')));

    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&elsewhere));
    answerNextBox(&box);
    command1->click();
    QTRY_COMPARE(s_asked.size(), 1);
    const QString letters = QLocale(QLocale::German).toString(window.Anzahl.whole());
    QVERIFY2(s_asked.first().startsWith(QStringLiteral("Notify Gefunden: „AB“|Nach %1 Zeichen in ").arg(letters)),
             qPrintable(s_asked.first()));
    QVERIFY2(s_asked.first().endsWith(QStringLiteral("|org.example.dovevad|default")), qPrintable(s_asked.first()));
    command1->click();
    elsewhere.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&elsewhere));
    emit m_notifications.ActionInvoked(7, QStringLiteral("default"));
    QVERIFY(QTest::qWaitForWindowActive(&window));
}

int main(int argc, char *argv[])
{
    // The test's bus stands for the system bus too, where logind is.
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", qgetenv("DBUS_SESSION_BUS_ADDRESS"));
    if (argc == 3 && qstrcmp(argv[1], "--close") == 0)
        return closeChild(argc, argv);
    QApplication app(argc, argv);
    tst_DesktopBus test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_desktopbus.moc"
