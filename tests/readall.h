#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// A file's bytes as they stand, or "<none>" where it cannot be read.
inline QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}
