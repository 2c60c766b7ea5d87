#include "aufzeichner.h"

#include "files.h"
#include "runtimeerror.h"

#include <QCoreApplication>

#include <utility>

#include <unistd.h>

Aufzeichner::~Aufzeichner()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

void Aufzeichner::oeffnen(const QString &path)
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_path = path;
    m_gesammelt.clear();
    m_offen = false;
    m_fd = Files::openForWriting(path);
    m_schreiber.beginne(m_fd);
    m_gesammelt.resize(Aufzeichnung::Groesse);
    Aufzeichnung::kopfSchreiben(m_gesammelt.data());
    schreiben();
}

void Aufzeichner::abschliessen(quint64 bis)
{
    while (bis > m_laufend.erstes) {
        // A stretch longer than an entry holds goes on in the next one.
        m_laufend.anzahl = std::min(bis - m_laufend.erstes, Aufzeichnung::HoechstensJeEintrag);
        const size_t at = m_gesammelt.size();
        m_gesammelt.resize(at + Aufzeichnung::Groesse);
        Aufzeichnung::eintragSchreiben(m_laufend, m_gesammelt.data() + at);
        m_laufend = m_laufend.ab(m_laufend.anzahl);
    }
    m_offen = false;
}

void Aufzeichner::schreiben()
{
    if (m_fd < 0)
        throw RuntimeError(QCoreApplication::translate("Laufzeit", "In eine geschlossene Datei kann nicht geschrieben werden."), m_path);
    const qint64 before = m_schreiber.size();
    const int error = m_schreiber.schreiben(m_gesammelt.data(), qsizetype(m_gesammelt.size()));
    m_gesammelt.erase(m_gesammelt.begin(), m_gesammelt.begin() + (m_schreiber.size() - before));
    if (error != 0)
        throw RuntimeError::fromErrno(QCoreApplication::translate("Laufzeit", "In die Datei konnte nicht geschrieben werden."),
                                      m_path, error);
}

void Aufzeichner::schliessen()
{
    if (m_fd < 0)
        return;
    schreiben();
    Files::closeWritten(std::exchange(m_fd, -1), m_path);
}
