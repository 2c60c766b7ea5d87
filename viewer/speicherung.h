#pragma once

#include <QObject>
#include <QString>

#include <functional>

// Writes a file beside its target, a block at a time, and puts it in the
// target's place by a rename only once all of it is there: a save that
// fails or is cancelled leaves whatever stood there as it was, and nothing
// of its own. A save onto the file that is shown replaces it so too, while
// what was opened stays readable.
class Speicherung : public QObject
{
    Q_OBJECT

public:
    // At most size bytes from offset on; fewer where the source has no more.
    using Quelle = std::function<QByteArray(qint64 offset, qint64 size)>;
    // 3 MiB: whole lines of a log, and never a selection held in memory.
    static constexpr qint64 Block = qint64(3) << 20;

    using QObject::QObject;

    // The source's bytes 0 to groesse - 1 into ziel; whether all got there.
    bool schreiben(const QString &ziel, qint64 groesse, const Quelle &quelle);
    // Why the last save did not get there, in the user's language.
    const QString &fehler() const { return m_fehler; }

public slots:
    // Stops the save after the block it is at.
    void abbrechen() { m_abgebrochen = true; }

signals:
    // After each block: how far.
    void geschrieben(qint64 bytes, qint64 groesse);

private:
    QString m_fehler;
    bool m_abgebrochen = false;
};
