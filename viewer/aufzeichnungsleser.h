#pragma once

#include "aufzeichnung.h"

#include <QCoreApplication>
#include <QString>

#include <atomic>
#include <optional>

// A run's record read where it lies, as the text of the log that the same
// run writes: any part of it at once, computed from the entries around it,
// which a binary search finds. Every entry is checked once, in order, as
// far as the record has grown: a record that is cut short or damaged gives
// its letters up to there and says so, never a wrong one. Any thread may
// read.
class Aufzeichnungsleser
{
    Q_DECLARE_TR_FUNCTIONS(Aufzeichnungsleser)

public:
    // Reads through the descriptor, which the caller keeps open.
    explicit Aufzeichnungsleser(int fd);

    // Why the file gives no letters at all, in the user's language; empty
    // where it is a record (perhaps of no letters).
    const QString &fehler() const { return m_fehler; }
    // What kept a reading from the end of the record, or empty.
    QString schaden() const;

    // Letters, as of the last look at the record's end.
    qint64 zeichen() const { return m_zeichen.load(std::memory_order_relaxed); }
    // Looks again at the end, which grows while a run writes the record.
    void pruefen();

    // The text's bytes from offset, the log's lines of the same letters, as
    // far as the record has them.
    qint64 lesen(qint64 offset, char *buffer, qint64 size) const;
    // Writes every readable letter to the descriptor, each as its line of
    // the log; returns how many, or -1 where the descriptor failed.
    qint64 alsText(int fd);

    // Entry j (from 0), where it is whole and its checksum holds.
    std::optional<Aufzeichnung::Strecke> eintrag(qint64 j) const;
    // The entry that holds letter zeichen (from 0), among those that follow
    // each other from the start; -1 where it is past them.
    qint64 eintragMit(quint64 zeichen) const;

private:
    qint64 lesenIn(qint64 offset, char *buffer, qint64 size, qint64 &schadenNach) const;
    qint64 eintraege() const; // whole ones
    void beschaedigt(qint64 nachZeichen, bool abgebrochen = false) const;

    int m_fd;
    QString m_fehler;
    std::atomic<qint64> m_zeichen = 0;
    std::atomic<qint64> m_heile = 0; // entries that follow each other from the start
    std::atomic<bool> m_dahinterBeschaedigt = false; // entries after those that do not
    // Where a reading met damage (the letters before it are good), and
    // whether the record just breaks off there; -1 where none did.
    mutable std::atomic<qint64> m_schadenNach = -1;
    mutable std::atomic<bool> m_abgebrochen = false;
};
