#include "outputfile.h"

#include "files.h"
#include "runtimeerror.h"
#include "writebehind.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

OutputFile *s_firstOpen = nullptr;

} // namespace

OutputFile::OutputFile() = default;

OutputFile::~OutputFile()
{
    closeQuietly();
}

void OutputFile::open(const QString &path)
{
    if (isOpen())
        close();
    const int fd = Files::openForWriting(path);
    m_fd = fd;
    m_path = path;
    m_discarding = false;
    // Pages that are never filled are never touched, so a short file costs
    // little more memory than its text.
    if (!m_buffers)
        m_buffers = std::make_unique_for_overwrite<char[]>((Spares + 1) * Capacity);
    m_buffer = m_buffers.get();
    m_used = 0;
    m_printed = 0;
    m_schreiber.beginne(fd);
    m_writtenBack = 0;
    m_nextOpen = s_firstOpen;
    s_firstOpen = this;
}

void OutputFile::printLongLine(QStringView line)
{
    flush();
    const QByteArray bytes = Ansi::fromUnicode(line) + "\r\n";
    if (!m_discarding)
        writeAll(bytes.constData(), bytes.size());
    m_printed += bytes.size();
}

void OutputFile::discard()
{
    if (isOpen())
        flush();
    if (!m_buffers)
        m_buffers = std::make_unique_for_overwrite<char[]>(Capacity);
    if (!m_buffer)
        m_buffer = m_buffers.get();
    m_discarding = true;
}

void OutputFile::handOver()
{
    if (m_discarding) {
        m_printed += m_used;
        m_used = 0;
        return;
    }
    if (!isOpen())
        throw RuntimeError(QCoreApplication::translate("Laufzeit", "In eine geschlossene Datei kann nicht geschrieben werden."), m_path);
    if (!m_behind) {
        m_behind = std::make_unique<WriteBehind>([this](const char *data, qsizetype size) { writeBehind(data, size); });
        for (int i = 1; i <= Spares; ++i)
            m_behind->addSpare(m_buffers.get() + i * Capacity);
    }
    const qsizetype used = m_used;
    m_used = 0; // whatever becomes of it, the buffer is no longer this thread's
    m_buffer = m_behind->handOver(m_buffer, used);
    m_printed += used;
}

void OutputFile::flush()
{
    if (m_discarding) {
        m_printed += m_used;
        m_used = 0;
        return;
    }
    if (m_behind)
        m_behind->drain();
    const qint64 before = m_schreiber.size();
    try {
        writeAll(m_buffer, m_used);
    } catch (const RuntimeError &) {
        // What the file took leaves the buffer; the rest waits for the next flush.
        const qsizetype written = qsizetype(m_schreiber.size() - before);
        std::memmove(m_buffer, m_buffer + written, size_t(m_used - written));
        m_used -= written;
        m_printed += written;
        throw;
    }
    m_printed += m_used;
    m_used = 0;
}

void OutputFile::writeBehind(const char *data, qsizetype size)
{
    writeAll(data, size);
    // The disk starts on what is written at once, rather than when the
    // kernel finds gigabytes waiting: a run is done when its log is on
    // disk, and memory never fills up with it. A few megabytes at a time
    // keep the requests large.
    const qint64 end = m_schreiber.size();
    if (end - m_writtenBack >= WritebackSpan) {
        ::sync_file_range(m_fd, m_writtenBack, end - m_writtenBack, SYNC_FILE_RANGE_WRITE);
        m_writtenBack = end;
    }
}

void OutputFile::writeAll(const char *data, qsizetype size)
{
    if (!isOpen())
        throw RuntimeError(QCoreApplication::translate("Laufzeit", "In eine geschlossene Datei kann nicht geschrieben werden."), m_path);
    if (const int error = m_schreiber.schreiben(data, size))
        throw RuntimeError::fromErrno(QCoreApplication::translate("Laufzeit", "In die Datei konnte nicht geschrieben werden."),
                                      m_path, error);
}

OutputFile::Space OutputFile::spaceOf(int fd, const QString &path)
{
    struct statvfs system{};
    if (::fstatvfs(fd, &system) != 0)
        throw RuntimeError::fromErrno(QCoreApplication::translate("Laufzeit", "Der freie Platz auf dem Datenträger konnte nicht ermittelt werden."),
                                      path, errno);
    return {quint64(system.f_bavail) * system.f_frsize, quint64(system.f_blocks) * system.f_frsize};
}

void OutputFile::close()
{
    if (!isOpen())
        return;
    try {
        flush();
    } catch (...) {
        closeQuietly();
        throw;
    }
    stopWriting();
    unlink();
    Files::closeWritten(std::exchange(m_fd, -1), m_path);
}

// Whatever is on its way is written first; the thread ends with it.
void OutputFile::stopWriting() noexcept
{
    m_behind.reset();
    m_buffer = m_buffers.get();
}

void OutputFile::closeQuietly() noexcept
{
    if (!isOpen())
        return;
    stopWriting();
    unlink();
    ::close(m_fd);
    m_fd = -1;
    m_used = 0;
}

void OutputFile::unlink() noexcept
{
    for (OutputFile **link = &s_firstOpen; *link; link = &(*link)->m_nextOpen) {
        if (*link == this) {
            *link = m_nextOpen;
            break;
        }
    }
    m_nextOpen = nullptr;
}

void OutputFile::closeAllOnExit() noexcept
{
    while (s_firstOpen) {
        OutputFile *file = s_firstOpen;
        try {
            file->flush();
        } catch (...) {
            // The program is ending; whatever went wrong was reported already.
        }
        file->closeQuietly();
    }
}
