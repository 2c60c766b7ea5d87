#include "files.h"

#include "runtimeerror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QCoreApplication>
#include <QStandardPaths>

#include <cerrno>

#include <fcntl.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

QString &redirectedDirectory()
{
    static QString directory;
    return directory;
}

} // namespace

QString Files::programDirectory()
{
    const QString &redirected = redirectedDirectory();
    return redirected.isEmpty() ? QCoreApplication::applicationDirPath() : redirected;
}

void Files::setProgramDirectory(const QString &directory)
{
    redirectedDirectory() = directory;
}

bool Files::isInstallationFolder(const QString &folder)
{
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    if (canonical.startsWith(QStringLiteral("/usr/")))
        return true;
    return QFileInfo::exists(folder + QStringLiteral("/../share/applications/" DOVEVAD_APP_ID ".desktop"));
}

bool Files::isWritableDirectory(const QString &path)
{
    return ::access(QFile::encodeName(path).constData(), W_OK | X_OK) == 0;
}

QString Files::userDataDirectory()
{
    const QString directory = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    QDir().mkpath(directory);
    return directory;
}

bool Files::exists(const QString &path)
{
    struct stat entry{};
    return ::lstat(QFile::encodeName(path).constData(), &entry) == 0 && !S_ISDIR(entry.st_mode);
}

void Files::remove(const QString &path)
{
    if (::unlink(QFile::encodeName(path).constData()) != 0 && errno != ENOENT)
        throw RuntimeError::fromErrno(QCoreApplication::translate("Laufzeit", "Die Datei konnte nicht gelöscht werden."), path, errno);
}

qint64 Files::readAt(int fd, qint64 offset, char *buffer, qint64 size)
{
    qint64 done = 0;
    while (done < size) {
        const ssize_t got = ::pread(fd, buffer + done, size_t(size - done), off_t(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        done += got;
    }
    return done;
}

int Files::openForWriting(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0)
        throw RuntimeError::fromErrno(QCoreApplication::translate("Laufzeit", "Die Datei konnte nicht zum Schreiben geöffnet werden."),
                                      path, errno);
    return fd;
}

void Files::closeWritten(int fd, const QString &path)
{
    // After EINTR the descriptor is gone all the same, and nothing is lost.
    if (::close(fd) != 0 && errno != EINTR)
        throw RuntimeError::fromErrno(QCoreApplication::translate("Laufzeit", "Die Datei konnte nicht geschlossen werden."), path, errno);
}
