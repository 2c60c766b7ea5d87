#include "ausgabe.h"

#include "reserve.h"

Ausgabe::Ausgabe(const QString &logPath, const QString &recordPath, bool nurAufzeichnung)
{
    if (!recordPath.isEmpty())
        m_aufzeichnung.oeffnen(recordPath);
    if (nurAufzeichnung && mitAufzeichnung()) {
        m_log.discard();
        m_imLog = 0;
    } else {
        m_log.open(logPath);
    }
}

void Ausgabe::sichern(quint64 bis)
{
    m_log.flush(); // the count shown is on disk, whatever fails later
    if (mitAufzeichnung()) {
        m_aufzeichnung.beende(bis);
        m_aufzeichnung.schreiben();
    }
}

Ausgabe::Platz Ausgabe::platz(quint64 bis)
{
    if (!mitAufzeichnung())
        return Reserve::eatenInto(m_log.space()) ? Platz::Voll : Platz::Genug;
    // The record grows by kilobytes a second: its last span before the
    // reserve lasts for hours.
    const OutputFile::Space space = m_aufzeichnung.space();
    if (Reserve::eatenInto(space, Reserve::RecordSpan))
        return Platz::Voll;
    if (m_imLog < 0 && Reserve::eatenInto(space)) {
        m_log.discard();
        m_imLog = qint64(bis);
    }
    return m_imLog >= 0 ? Platz::NurAufzeichnung : Platz::Genug;
}

void Ausgabe::schliessen(quint64 bis)
{
    if (mitAufzeichnung()) {
        m_aufzeichnung.beende(bis);
        m_aufzeichnung.schliessen();
    }
    m_log.close();
}
