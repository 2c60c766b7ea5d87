#include "aufzeichner.h"

#include "runtimeerror.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>
#include <limits>

#include <fcntl.h>
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
    m_fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (m_fd < 0)
        throw RuntimeError::fromErrno(QCoreApplication::translate("Laufzeit", "Die Datei konnte nicht zum Schreiben geöffnet werden."),
                                      path, errno);
    m_schreiber.beginne(m_fd);
    m_gesammelt.resize(Aufzeichnung::Groesse);
    Aufzeichnung::kopfSchreiben(m_gesammelt.data());
    schreiben();
}

void Aufzeichner::abschliessen(quint64 bis)
{
    constexpr quint64 Groesste = std::numeric_limits<quint32>::max();
    while (bis > m_laufend.erstes) {
        // A stretch longer than an entry holds goes on in the next one.
        m_laufend.anzahl = quint32(std::min(bis - m_laufend.erstes, Groesste));
        const size_t at = m_gesammelt.size();
        m_gesammelt.resize(at + Aufzeichnung::Groesse);
        Aufzeichnung::eintragSchreiben(m_laufend, m_gesammelt.data() + at);
        m_laufend.zaehler += m_laufend.anzahl * RandomGenerator::Increment;
        m_laufend.erstes += m_laufend.anzahl;
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
    const int result = ::close(m_fd);
    const int error = errno;
    m_fd = -1;
    if (result != 0 && error != EINTR)
        throw RuntimeError::fromErrno(QCoreApplication::translate("Laufzeit", "Die Datei konnte nicht geschlossen werden."), m_path, error);
}
