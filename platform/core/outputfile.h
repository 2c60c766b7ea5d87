#pragma once

#include "ansi.h"
#include "ganzschreiber.h"

#include <QString>
#include <QStringView>

#include <memory>

class WriteBehind;

// A file opened for output, written in the ANSI code page through large
// buffers: formatting each line through a stream would cost far more than
// producing the letter it holds. A full buffer is written on a thread of
// its own while the next one fills; flush() is where everything printed
// has reached the file. Failures throw RuntimeError.
class OutputFile
{
public:
    OutputFile();
    ~OutputFile();
    OutputFile(const OutputFile &) = delete;
    OutputFile &operator=(const OutputFile &) = delete;

    // Creates the file or empties it; a symbolic link under the name is
    // refused, never followed.
    void open(const QString &path);
    // The line, then CR LF.
    void printLine(QStringView line);
    // Returns once everything printed is in the file. A write that fails
    // part way cuts the file back to its last whole line before the error
    // is thrown, and the lines that a flush could not write wait for the
    // next; after a full buffer's write has failed, nothing printed reaches
    // the file any more.
    void flush();
    // Writes what is buffered and closes the file.
    void close();

    // The room that a fresh buffer has.
    static constexpr qsizetype BufferSize = 256 << 10;

    // Where a loop that prints many short lines puts their bytes itself,
    // keeping the two pointers in registers: it takes the buffer's free
    // part, and gives back how far it got before the file is used again.
    struct Room
    {
        char *next;
        char *end;
    };
    Room take() { return {m_buffer + m_used, m_buffer + Capacity}; }
    void giveBack(const char *next) { m_used = next - m_buffer; }
    // The buffer, as far as next, goes off to be written; a fresh one comes.
    Room passOn(const char *next)
    {
        giveBack(next);
        handOver();
        return take();
    }

    struct Space
    {
        quint64 available; // what ordinary users may still fill
        quint64 total;
    };
    // The space on the open file's file system; throws RuntimeError.
    Space space() const { return spaceOf(m_fd, m_path); }
    static Space spaceOf(int fd, const QString &path);

    // From now on what is printed is counted but goes nowhere: what was
    // printed before is written first. Works on a file never opened too.
    void discard();
    bool discards() const { return m_discarding; }

    bool isOpen() const { return m_fd >= 0; }
    // Bytes printed so far, written or not.
    qint64 size() const { return m_printed + m_used; }

    // Closes every open file as the program ends, reporting nothing.
    static void closeAllOnExit() noexcept;

private:
    // Small enough that what a flush writes itself stays short, large
    // enough that a hand-over costs nothing next to filling it.
    static constexpr qsizetype Capacity = BufferSize;
    static constexpr int Spares = 7;
    static constexpr qint64 WritebackSpan = 8 << 20;

    // A line longer than the buffer, written as it is.
    void printLongLine(QStringView line);
    void handOver();
    // Every caller hands over whole lines.
    void writeAll(const char *data, qsizetype size);
    void writeBehind(const char *data, qsizetype size);
    void stopWriting() noexcept;
    void closeQuietly() noexcept;
    void unlink() noexcept; // from the list of open files

    int m_fd = -1;
    bool m_discarding = false;
    QString m_path;
    std::unique_ptr<char[]> m_buffers; // the one being filled and the spares
    char *m_buffer = nullptr;
    qsizetype m_used = 0;
    qint64 m_printed = 0; // bytes handed over or written
    // Used by whichever thread writes, which is the writing thread only
    // between a hand-over and a flush.
    Ganzschreiber m_schreiber{Ganzschreiber::Zeilen};
    qint64 m_writtenBack = 0; // where the disk was last asked to take over
    std::unique_ptr<WriteBehind> m_behind; // from the first full buffer to the close
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
        handOver();
    char *out = m_buffer + m_used;
    for (QChar c : line)
        *out++ = char(Ansi::code(c));
    *out++ = '\r';
    *out++ = '\n';
    m_used = out - m_buffer;
}
