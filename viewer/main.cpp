#include "betrachterbefehlszeile.h"
#include "desktopopener.h"
#include "logbetrachter.h"
#include "msgbox.h"
#include "qtcommandline.h"
#include "sprache.h"
#include "windowhints.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>

int main(int argc, char *argv[])
{
    Sprache sprache;
    const auto aufruf = QtCommandLine::readFirst(argc, argv, sprache, BetrachterBefehlszeile::auswerten);
    if (const int *status = std::get_if<int>(&aufruf))
        return *status;
    const auto &[path, ausgang] = std::get<BetrachterBefehlszeile::Aufruf>(aufruf);
    WindowHints::choosePlatform(QtCommandLine::platform(argc, argv));
    QApplication app(argc, argv);
    sprache.installieren();
    QApplication::setApplicationName(QStringLiteral("Dovevad-Logbetrachter"));
    QApplication::setApplicationVersion(QStringLiteral(DOVEVAD_VERSION_TEXT));
    QGuiApplication::setDesktopFileName(QStringLiteral(DOVEVAD_APP_ID));

    Logbetrachter window(path, ausgang);
    if (const QString fehler = window.fehler(); !fehler.isEmpty()) {
        MsgBox::show(nullptr, Logbetrachter::tr("Die Logdatei lässt sich nicht zeigen:\n\n%1\n\n%2")
                                  .arg(QDir::toNativeSeparators(path), fehler),
                     MsgBox::Critical, Logbetrachter::tr("Dovevad-Logbetrachter"));
        return 1;
    }
    DesktopOpener opener;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &opener, "open");
    QObject::connect(&opener, &DesktopOpener::failed, &window, &Logbetrachter::meldeNichtGeoeffnet);
    window.show();
    return app.exec();
}
