#include "textausgabe.h"

#include "aufzeichnungsleser.h"
#include "betrachteraufruf.h"
#include "logdatei.h"
#include "qtcommandline.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstring>

#include <unistd.h>

int Textausgabe::schreiben(const QString &path)
{
    const Logdatei datei(path);
    const auto scheitern = [&path](const QString &warum) {
        QtCommandLine::print(stderr, QStringLiteral("%1: %2: %3\n").arg(QLatin1String(Betrachteraufruf::Programm), path, warum));
        return 1;
    };
    if (!datei.fehler().isEmpty())
        return scheitern(datei.fehler());
    Aufzeichnungsleser *leser = datei.aufzeichnung();
    if (!leser)
        return scheitern(Aufzeichnungsleser::tr("Das ist keine Aufzeichnung von Dovevad."));
    if (leser->alsText(STDOUT_FILENO) < 0)
        return scheitern(QCoreApplication::translate("Textausgabe", "Die Standardausgabe nimmt nichts mehr an: %1")
                             .arg(QString::fromLocal8Bit(std::strerror(errno))));
    return leser->schaden().isEmpty() ? 0 : scheitern(leser->schaden());
}
