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
    // Writes what is buffered and closes the file.
    void close();

    bool isOpen() const { return m_fd >= 0; }

    // Closes every open file as the program ends, reporting nothing.
    static void closeAllOnExit() noexcept;

private:
    static constexpr qsizetype Capacity = 1 << 20;

    void printLongLine(QStringView line);
    void flush();
    void writeAll(const char *data, qsizetype size);
    void closeQuietly() noexcept;
    void unlink() noexcept; // from the list of open files

    int m_fd = -1;
    QString m_path;
    std::unique_ptr<char[]> m_buffer;
    qsizetype m_used = 0;
    OutputFile *m_nextOpen = nullptr;
};

inline void OutputFile::printLine(QStringView line)
{
    if (Capacity - m_used < line.size() + 2) {
        printLongLine(line);
        return;
    }
    char *out = m_buffer.get() + m_used;
    for (QChar c : line)
        *out++ = char(Ansi::code(c));
    *out++ = '\r';
    *out++ = '\n';
    m_used = out - m_buffer.get();
}
