#include "desktopopener.h"

#include <QProcess>

void DesktopOpener::open(const QUrl &url)
{
    // xdg-open ends once the viewer runs, or fails with a status of its own.
    // It is not waited for: in a desktop without a session helper it may run
    // the viewer itself, for as long as the user reads.
    auto *process = new QProcess(this);
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    const QString path = url.toLocalFile();
    connect(process, &QProcess::errorOccurred, this, [this, process, path](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return; // a crash also ends in finished()
        emit failed(path);
        process->deleteLater();
    });
    connect(process, &QProcess::finished, this, [this, process, path](int status, QProcess::ExitStatus how) {
        if (how != QProcess::NormalExit || status != 0)
            emit failed(path);
        process->deleteLater();
    });
    process->start(QStringLiteral("xdg-open"), {QString::fromLatin1(url.toEncoded())});
}
