#include "viewerstart.h"

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
    const QString beside = QCoreApplication::applicationDirPath() + u'/' + QLatin1String(Program);
    return QStandardPaths::findExecutable(QLatin1String(Program)) == beside ? QLatin1String(Program) : beside;
}

bool ViewerStart::start(const QStringList &arguments)
{
    if (handler())
        return handler()(arguments);
    return QProcess::startDetached(QCoreApplication::applicationDirPath() + u'/' + QLatin1String(Program), arguments);
}

void ViewerStart::setHandler(std::function<bool(const QStringList &)> handler)
{
    ::handler() = std::move(handler);
}
