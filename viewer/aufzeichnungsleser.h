#pragma once

#include "aufzeichnung.h"
#include "logdatei.h"

#include <QCoreApplication>
#include <QString>

// A run's record read where it lies, through the same file access as a log.
// Every entry is checked as it is read: a record that is cut short or
// damaged gives its letters up to there and says so, never a wrong one.
class Aufzeichnungsleser
{
    Q_DECLARE_TR_FUNCTIONS(Aufzeichnungsleser)

public:
    explicit Aufzeichnungsleser(const QString &path);

    // Why the file gives no letters at all, in the user's language; empty
    // where it is a record (perhaps of no letters).
    const QString &fehler() const { return m_fehler; }
    // What kept the last reading from the end of the record, or empty.
    const QString &schaden() const { return m_schaden; }

    // Writes every readable letter to the descriptor, each as its line of
    // the log; returns how many, or -1 where the descriptor failed.
    qint64 alsText(int fd);

private:
    Logdatei m_datei;
    QString m_fehler;
    QString m_schaden;
};
