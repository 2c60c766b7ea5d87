#pragma once

#include "aufzeichnung.h"
#include "keinfund.h"

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

    // Whether the record holds to its end, as the last look at it and the
    // readings since found it.
    enum class Zustand { Heil, Beschaedigt, Abgebrochen };
    Zustand zustand() const;
    // What keeps the letters from reaching the record's end, in the user's
    // language; empty where nothing does.
    QString schaden() const;

    // Readable letters, as of the last look at the record's end: none after
    // damage that a reading met.
    qint64 zeichen() const;
    // Looks again at the end, which grows while a run writes the record.
    void pruefen();

    // The text's bytes from offset, the log's lines of the same letters, as
    // far as the record has them.
    qint64 lesen(qint64 offset, char *buffer, qint64 size) const;
    // Writes every readable letter to the descriptor, each as its line of
    // the log; returns how many, or -1 where the descriptor failed.
    qint64 alsText(int fd);

    // Entry j (from 0), where it is whole and its checksum holds.
    std::optional<Strecke> eintrag(qint64 j) const;
    // The entry that holds letter zeichen (from 0), among those that follow
    // each other from the start; KeinFund where it is past them.
    quint64 eintragMit(quint64 zeichen) const;

private:
    static QString kopfText(const char *kopf);
    qint64 lesenIn(qint64 offset, char *buffer, qint64 size, qint64 &schadenNach) const;
    qint64 groesse() const; // of the file, where it is a record
    void beschaedigt(qint64 nachZeichen) const;

    int m_fd;
    QString m_fehler;
    std::atomic<qint64> m_zeichen = 0;
    std::atomic<qint64> m_heile = 0; // entries that follow each other from the start
    // What follows them, as of the last look: entries that do not follow,
    // part of an entry, or nothing.
    std::atomic<Zustand> m_ende = Zustand::Heil;
    // Where a reading met damage that the look had not (the record changed
    // under the reader); the letters before it are good. -1 where none did.
    mutable std::atomic<qint64> m_schadenNach = -1;
};
