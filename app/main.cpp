#include "befehlszeile.h"
#include "desktopopener.h"
#include "form1.h"
#include "instancelock.h"
#include "msgbox.h"
#include "qtcommandline.h"
#include "sprache.h"
#include "terminationsignals.h"
#include "windowhints.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

#include <cstdlib>

namespace {

Form1 *s_window = nullptr;
QtMessageHandler s_qtMessages = nullptr;

// Qt ends the program with exit() when its connection to the X server
// breaks, as at the end of a desktop session; it then ends as a close does.
void closeOnExit()
{
    if (s_window)
        s_window->close();
}

// When its Wayland connection breaks, Qt says so and ends the program at
// once with _exit(1), from whichever thread noticed; the program ends as a
// close does before that, from that thread.
void endOnLostWayland(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    s_qtMessages(type, context, message);
    if (type == QtWarningMsg && message.startsWith(QLatin1String("The Wayland connection")) && s_window)
        s_window->endWithoutDisplay();
}

} // namespace

int main(int argc, char *argv[])
{
    Sprache sprache;
    if (const auto befehl = sprache.befehlszeileLesen(argc, argv, Befehlszeile::auswerten))
        return *befehl;
    WindowHints::choosePlatform(Befehlszeile::plattform(argc, argv));
    QApplication app(argc, argv);
    sprache.installieren();
    Form1::offerToScreenReaders();
    QApplication::setApplicationName(QStringLiteral("Dovevad"));
    QApplication::setApplicationVersion(QStringLiteral(DOVEVAD_VERSION_TEXT));
    // Ties the window to the installed desktop entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(DOVEVAD_APP_ID));

    // Two programs on one log would delete it under each other.
    const QString logPath = Generator::chooseLogPath();
    const InstanceLock lock(logPath + QStringLiteral(".lock"));
    if (lock.isHeldElsewhere()) {
        MsgBox::show(nullptr,
                     QCoreApplication::translate("Dovevad", "Dovevad läuft bereits mit seiner Logdatei in diesem Ordner:\n\n%1\n\n"
                                                            "Ein zweites Dovevad würde sie überschreiben und wird darum nicht gestartet.")
                         .arg(QDir::toNativeSeparators(QFileInfo(logPath).path())),
                     MsgBox::Information, QStringLiteral("Dovevad"));
        return 0;
    }

    Form1 window(nullptr, logPath);
    window.setKompakt(Befehlszeile::kompakt(argc, argv));
    DesktopOpener viewer;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &viewer, "open");
    QObject::connect(&viewer, &DesktopOpener::failed, &window,
                     [&window](const QString &path) { window.meldeNichtGeoeffnet(path); });
    TerminationSignals endRequests;
    QObject::connect(&endRequests, &TerminationSignals::received, &window, &QWidget::close);
    s_window = &window;
    std::atexit(closeOnExit);
    s_qtMessages = qInstallMessageHandler(endOnLostWayland);
    window.show();
    const int status = app.exec();
    s_window = nullptr;
    return status;
}
