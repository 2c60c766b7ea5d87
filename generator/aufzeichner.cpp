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
    m_size = 0;
    m_gesammelt.clear();
    m_offen = false;
    m_fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (m_fd < 0)
        throw RuntimeError::fromErrno(QCoreApplication::translate("Laufzeit", "Die Datei konnte nicht zum Schreiben geöffnet werden."),
                                      path, errno);
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
    const char *data = m_gesammelt.data();
    qsizetype left = qsizetype(m_gesammelt.size());
    while (left > 0) {
        const ssize_t written = ::write(m_fd, data, size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0) {
            const int error = errno;
            // A reader never meets a torn entry.
            const qint64 whole = (m_size + (data - m_gesammelt.data())) / Aufzeichnung::Groesse * Aufzeichnung::Groesse;
            if (::ftruncate(m_fd, whole) == 0)
                m_size = whole;
            m_gesammelt.clear();
            throw RuntimeError::fromErrno(QCoreApplication::translate("Laufzeit", "In die Datei konnte nicht geschrieben werden."),
                                          m_path, error);
        }
        data += written;
        left -= written;
    }
    m_size += qint64(m_gesammelt.size());
    m_gesammelt.clear();
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
