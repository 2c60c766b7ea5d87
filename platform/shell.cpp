#include "shell.h"

#include <QDesktopServices>
#include <QUrl>

bool Shell::open(const QString &path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
