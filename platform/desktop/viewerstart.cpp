#include "viewerstart.h"

#include "betrachteraufruf.h"

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>

namespace {

std::function<bool(const QStringList &)> &handler()
{
    static std::function<bool(const QStringList &)> installed;
    return installed;
}

} // namespace

QString ViewerStart::command()
{
    const QString beside = QCoreApplication::applicationDirPath() + u'/' + QLatin1String(Betrachteraufruf::Programm);
    return QStandardPaths::findExecutable(QLatin1String(Betrachteraufruf::Programm)) == beside ? QLatin1String(Betrachteraufruf::Programm) : beside;
}

bool ViewerStart::start(const QStringList &arguments)
{
    if (handler())
        return handler()(arguments);
    return QProcess::startDetached(QCoreApplication::applicationDirPath() + u'/' + QLatin1String(Betrachteraufruf::Programm), arguments);
}

void ViewerStart::setHandler(std::function<bool(const QStringList &)> handler)
{
    ::handler() = std::move(handler);
}
