#include "betrachteraufruf.h"
#include "desktopopener.h"
#include "logbetrachter.h"
#include "oeffner.h"
#include "qtcommandline.h"
#include "sprache.h"
#include "textausgabe.h"
#include "windowhints.h"

#include <QApplication>
#include <QDesktopServices>

int main(int argc, char *argv[])
{
    Sprache sprache;
    const auto aufruf = sprache.befehlszeileLesen(argc, argv, Betrachteraufruf::auswerten);
    if (const int *status = std::get_if<int>(&aufruf))
        return *status;
    const auto &[path, ausgang, alsText] = std::get<Betrachteraufruf::Aufruf>(aufruf);
    if (alsText) {
        const QCoreApplication textausgabe(argc, argv);
        sprache.installieren();
        return Textausgabe::schreiben(path);
    }
    WindowHints::choosePlatform(QtCommandLine::platform(argc, argv));
    QApplication app(argc, argv);
    sprache.installieren();
    QApplication::setApplicationName(QStringLiteral("Dovevad-Logbetrachter"));
    QApplication::setApplicationVersion(QStringLiteral(DOVEVAD_VERSION_TEXT));
    QGuiApplication::setDesktopFileName(QStringLiteral(DOVEVAD_APP_ID));

    Logbetrachter window(path, ausgang);
    if (const QString fehler = window.fehler(); !fehler.isEmpty()) {
        Oeffner::nichtZuZeigen(path, fehler);
        return 1;
    }
    DesktopOpener opener;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &opener, "open");
    QObject::connect(&opener, &DesktopOpener::failed, &window, &Logbetrachter::meldeNichtGeoeffnet);
    window.show();
    return app.exec();
}
