#pragma once

#include <QFile>
#include <QFileInfo>
#include <QObject>
#include <QStringList>
#include <QUrl>

// Catches the desktop's open requests in the test process; set as the
// handler of file URLs with QDesktopServices::setUrlHandler.
class ShellRecorder : public QObject
{
    Q_OBJECT
public:
    QStringList opened;
    QList<qint64> sizes; // of each file as it was handed over
    QString recordFile;  // where a child process notes its requests

public slots:
    void open(const QUrl &url)
    {
        opened.append(url.toLocalFile());
        sizes.append(QFileInfo(url.toLocalFile()).size());
        QFile record(recordFile);
        if (!recordFile.isEmpty() && record.open(QIODevice::Append))
            record.write(url.toLocalFile().toUtf8() + '\n');
    }
};
