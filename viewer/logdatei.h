#pragma once

#include "logzeile.h"

#include <QByteArray>
#include <QString>

#include <sys/types.h>

#include <atomic>
#include <memory>

class Aufzeichnungsleser;

// A log read where it lies. Line k (from 1) is bytes 3(k-1) to 3k-1, so any
// line is at hand at once, whatever the size, with no index. The file is
// read through its descriptor, never mapped: a file cut short under the
// viewer gives short reads, not SIGBUS, and a removed one stays readable
// until the viewer lets go of it. A run's record reads as the log of the
// same letters, each line computed where it is read.
class Logdatei
{
public:
    static constexpr int Zeilenlaenge = Logzeile::Laenge;

    // Opens the file; where that fails, fehler() says why in German.
    explicit Logdatei(const QString &path);
    ~Logdatei();

    // Where the file is a run's record, what reads it; else null.
    Aufzeichnungsleser *aufzeichnung() const { return m_aufzeichnung.get(); }
    Logdatei(const Logdatei &) = delete;
    Logdatei &operator=(const Logdatei &) = delete;

    bool isOpen() const { return m_fd >= 0; }
    const QString &fehler() const { return m_fehler; }
    const QString &path() const { return m_path; }

    // Whole lines, as of the last look at the file.
    qint64 zeichen() const { return m_bytes.load(std::memory_order_relaxed) / Zeilenlaenge; }
    // What the file takes on disk.
    qint64 bytes() const;
    // Bytes after the last whole line: a line cut short.
    int rest() const { return int(m_bytes.load(std::memory_order_relaxed) % Zeilenlaenge); }

    // Lines first to first + count - 1, as far as the file still has them.
    QByteArray zeilen(qint64 first, qint64 count) const;
    // Reads at a byte offset; how many bytes came.
    qint64 lesen(qint64 offset, char *buffer, qint64 size) const;
    // Whether three bytes are a line of a log: a capital, CR, LF.
    static bool istZeile(const char *line) { return Logzeile::ist(line); }
    // A letter's number as users read it, in German digit groups.
    static QString nummer(qint64 zeile);
    // The first of the lines first to first + count - 1 that is no log line,
    // or 0.
    qint64 ersteFremde(qint64 first, qint64 count) const;
    // The file's own bytes, a record's too, from offset; how many came.
    qint64 rohLesen(qint64 offset, char *buffer, qint64 size) const;

    // What keeps the file from being a whole log or record, as of the last
    // look: a line that is no letter, a last line or entry cut short, or
    // damage, after which a record gives no letter.
    enum class Befund { Heil, Fremd, Abgebrochen, Beschaedigt };
    Befund befund() const;
    // The same in the user's language, with where it lies; empty where whole.
    QString befundText() const;

    // What has become of the file since it was opened: a size that
    // changed stays said; its name now stands for another file or none.
    enum Veraenderung { Keine = 0, Groesse = 1, Ersetzt = 2, Geloescht = 4 };
    // Looks again and takes up the size of what it shows.
    int pruefen();
    int veraenderung() const { return m_veraenderung; }

private:
    qint64 fremdeSuchen() const;

    QString m_path;
    QString m_fehler;
    int m_fd = -1;
    std::atomic<qint64> m_bytes = 0; // read by the searches' threads too
    dev_t m_device = 0;
    ino_t m_inode = 0;
    int m_veraenderung = Keine;
    qint64 m_fremde = 0; // the first foreign line at the start or the end
    bool m_waechst = false; // the size changed at the last look
    std::unique_ptr<Aufzeichnungsleser> m_aufzeichnung;
};
