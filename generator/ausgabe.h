#pragma once

#include "aufzeichner.h"
#include "outputfile.h"

#include <QString>

// Where a run's letters go: its log, a line a letter, and its record beside
// it; from the disk's reserve on, or for a compact run from the start, the
// record alone. Failures throw RuntimeError.
class Ausgabe
{
public:
    // Opens the log, unless the run writes its record alone, and the record
    // where there is one (a test's letters from elsewhere have none).
    Ausgabe(const QString &logPath, const QString &recordPath, bool nurAufzeichnung);

    OutputFile &log() { return m_log; }
    Aufzeichner &aufzeichnung() { return m_aufzeichnung; }
    bool mitAufzeichnung() const { return m_aufzeichnung.isOpen(); }
    // The letters in the log where the rest are in the record only; else -1.
    qint64 imLog() const { return m_imLog; }

    // Everything typed so far on disk: the log's letters, and the record's
    // stretches up to its letter bis.
    void sichern(quint64 bis);

    enum class Platz { Genug, NurAufzeichnung, Voll };
    // Whether the disk's reserve is near: for the log, after which the
    // letters from bis on go to the record alone, or for the record too.
    Platz platz(quint64 bis);
    // The bytes of what fills the disk: the record's where the log has
    // stopped taking letters.
    qint64 groesse() const { return m_log.discards() ? m_aufzeichnung.size() : m_log.size(); }

    void schliessen(quint64 bis);

private:
    OutputFile m_log;
    Aufzeichner m_aufzeichnung;
    qint64 m_imLog = -1;
};
