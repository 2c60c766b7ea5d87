#pragma once

#include "ansi.h"

#include <QString>
#include <QStringView>

#include <memory>

// A file opened for output, written in the ANSI code page through one
// large buffer: formatting each line through a stream would cost far more
// than producing the letter it holds. Failures throw RuntimeError.
class OutputFile
{
public:
    OutputFile() = default;
    ~OutputFile();
    OutputFile(const OutputFile &) = delete;
    OutputFile &operator=(const OutputFile &) = delete;

    // Creates the file or empties it; a symbolic link under the name is
    // refused, never followed.
    void open(const QString &path);
    // The line, then CR LF.
    void printLine(QStringView line);
    // Writes what is buffered. A write that fails part way cuts the file
    // back to its last whole line before the error is thrown.
    void flush();
    // Writes what is buffered and closes the file.
    void close();

    struct Space
    {
        quint64 available; // what ordinary users may still fill
        quint64 total;
    };
    // The space on the open file's file system; throws RuntimeError.
    Space space() const;

    bool isOpen() const { return m_fd >= 0; }
    // Bytes written so far, buffered ones included.
    qint64 size() const { return m_size + m_used; }

    // Closes every open file as the program ends, reporting nothing.
    static void closeAllOnExit() noexcept;

private:
    static constexpr qsizetype Capacity = 1 << 20;

    // A line longer than the buffer, written as it is.
    void printLongLine(QStringView line);
    // Every caller hands over whole lines.
    void writeAll(const char *data, qsizetype size);
    void keepWholeLines(const char *data, qsizetype written) noexcept;
    void closeQuietly() noexcept;
    void unlink() noexcept; // from the list of open files

    int m_fd = -1;
    QString m_path;
    std::unique_ptr<char[]> m_buffer;
    qsizetype m_used = 0;
    qint64 m_size = 0; // of the file, all of it whole lines
    OutputFile *m_nextOpen = nullptr;
};

inline void OutputFile::printLine(QStringView line)
{
    // For a line of known short length the compiler drops this branch, and
    // with it the one place where the line's address would leave the caller.
    if (Q_UNLIKELY(line.size() + 2 > Capacity)) {
        printLongLine(line);
        return;
    }
    if (Capacity - m_used < line.size() + 2)
        flush();
    char *out = m_buffer.get() + m_used;
    for (QChar c : line)
        *out++ = char(Ansi::code(c));
    *out++ = '\r';
    *out++ = '\n';
    m_used = out - m_buffer.get();
}
