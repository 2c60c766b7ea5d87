#pragma once

#include <QtGlobal>

// Writes whole units (a log's lines, a record's entries) to a file that it
// alone writes, each write at the end of what it wrote before, not where
// the descriptor's offset stands. A write that fails part way cuts the file
// back to its last whole unit, so that a reader never meets a part of one,
// and the next write goes on right there: no gap, no part unit in between.
class Ganzschreiber
{
public:
    // Lines of any length, each up to its LF, as units.
    static constexpr int Zeilen = 0;
    // Units of groesse bytes each, or Zeilen.
    explicit Ganzschreiber(int groesse) : m_groesse(groesse) {}

    // Writes to fd, a file just emptied, from its start.
    void beginne(int fd)
    {
        m_fd = fd;
        m_size = 0;
    }
    // Writes size bytes of whole units; returns 0, or the errno of a
    // failure, after which the file ends with its last whole unit. size()
    // tells how far the data got.
    int schreiben(const char *data, qsizetype size) noexcept;
    // Of the file, all of it whole units.
    qint64 size() const { return m_size; }

private:
    // Of the first written bytes of data, those that make whole units.
    qsizetype ganze(const char *data, qsizetype written) const noexcept;

    const int m_groesse;
    int m_fd = -1;
    qint64 m_size = 0;
};
