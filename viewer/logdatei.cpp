#include "logdatei.h"

#include "aufzeichnungsleser.h"
#include "files.h"
#include "zahlen.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

Logdatei::Logdatei(const QString &path) : m_path(path)
{
    const QByteArray name = QFile::encodeName(path);
    m_fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    struct stat info {};
    if (m_fd < 0) {
        m_fehler = errno == ENOENT ? QCoreApplication::translate("Logdatei", "Die Datei gibt es nicht.")
            : errno == EACCES      ? QCoreApplication::translate("Logdatei", "Die Datei darf nicht gelesen werden.")
                                   : QCoreApplication::translate("Logdatei", "Die Datei lässt sich nicht öffnen: %1.")
                                    .arg(QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
    if (::fstat(m_fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        m_fehler = S_ISDIR(info.st_mode) ? QCoreApplication::translate("Logdatei", "Das ist ein Ordner, keine Logdatei.")
                                         : QCoreApplication::translate("Logdatei", "Das ist keine gewöhnliche Datei.");
        ::close(m_fd);
        m_fd = -1;
        return;
    }
    m_bytes = info.st_size;
    m_device = info.st_dev;
    m_inode = info.st_ino;
    char anfang[sizeof Aufzeichnung::Magic];
    if (lesen(0, anfang, sizeof anfang) == sizeof anfang && Aufzeichnung::beginntSo(anfang, sizeof anfang)) {
        m_aufzeichnung = std::make_unique<Aufzeichnungsleser>(m_fd);
        m_fehler = m_aufzeichnung->fehler();
        m_bytes = Zeilenlaenge * m_aufzeichnung->zeichen();
        if (!m_fehler.isEmpty()) {
            m_aufzeichnung.reset();
            ::close(m_fd);
            m_fd = -1;
        }
        return;
    }
    m_fremde = fremdeSuchen();
}

qint64 Logdatei::bytes() const
{
    struct stat info {};
    return m_fd >= 0 && ::fstat(m_fd, &info) == 0 ? qint64(info.st_size) : 0;
}

Logdatei::~Logdatei()
{
    m_aufzeichnung.reset();
    if (m_fd >= 0)
        ::close(m_fd);
}

qint64 Logdatei::lesen(qint64 offset, char *buffer, qint64 size) const
{
    if (m_aufzeichnung)
        return m_aufzeichnung->lesen(offset, buffer, size);
    return Files::readAt(m_fd, offset, buffer, size);
}

QByteArray Logdatei::zeilen(qint64 first, qint64 count) const
{
    if (first < 1 || count <= 0 || !isOpen())
        return {};
    QByteArray bytes(count * Zeilenlaenge, Qt::Uninitialized);
    bytes.truncate(lesen((first - 1) * Zeilenlaenge, bytes.data(), bytes.size()));
    return bytes;
}

QString Logdatei::nummer(qint64 zeile)
{
    return Zahlen::schreibweise().toString(zeile);
}

qint64 Logdatei::ersteFremde(qint64 first, qint64 count) const
{
    const QByteArray bytes = zeilen(first, count);
    for (qsizetype i = 0; i + Zeilenlaenge <= bytes.size(); i += Zeilenlaenge)
        if (!istZeile(bytes.constData() + i))
            return first + i / Zeilenlaenge;
    return 0;
}

qint64 Logdatei::rohLesen(qint64 offset, char *buffer, qint64 size) const
{
    return Files::readAt(m_fd, offset, buffer, size);
}

// The start and the end tell a file that is no log, or a log that ends in
// something else; a foreign line in between shows where it is drawn and in
// the letters' count.
qint64 Logdatei::fremdeSuchen() const
{
    constexpr qint64 Stichprobe = 4096;
    const qint64 alle = zeichen();
    const qint64 vorn = ersteFremde(1, std::min(alle, Stichprobe));
    return vorn || alle <= Stichprobe ? vorn : ersteFremde(std::max(Stichprobe + 1, alle - Stichprobe + 1), Stichprobe);
}

Logdatei::Befund Logdatei::befund() const
{
    if (m_aufzeichnung) {
        switch (m_aufzeichnung->zustand()) {
        case Aufzeichnungsleser::Zustand::Heil: return Befund::Heil;
        case Aufzeichnungsleser::Zustand::Abgebrochen: return Befund::Abgebrochen;
        case Aufzeichnungsleser::Zustand::Beschaedigt: return Befund::Beschaedigt;
        }
    }
    if (m_fremde)
        return Befund::Fremd;
    // A log that grows ends in part of a line now and then, between two writes.
    return rest() > 0 && !m_waechst ? Befund::Abgebrochen : Befund::Heil;
}

QString Logdatei::befundText() const
{
    if (m_aufzeichnung)
        return m_aufzeichnung->schaden();
    switch (befund()) {
    case Befund::Fremd:
        return QCoreApplication::translate("Logdatei", "Zeile %1 ist kein Buchstabe mit Zeilenende: Das ist wohl keine "
                                                       "Logdatei von Dovevad. Gezeigt wird, was darin steht.")
            .arg(nummer(m_fremde));
    case Befund::Abgebrochen:
        return QCoreApplication::translate("Logdatei", "Die letzte Zeile bricht ab: Die Datei endet mitten in einer Zeile.");
    default:
        return {};
    }
}

int Logdatei::pruefen()
{
    if (!isOpen())
        return m_veraenderung;
    struct stat own {}, named {};
    if (m_aufzeichnung) {
        m_aufzeichnung->pruefen();
        if (const qint64 bytes = Zeilenlaenge * m_aufzeichnung->zeichen(); bytes != m_bytes) {
            m_bytes = bytes;
            m_veraenderung |= Groesse;
        }
    } else if (::fstat(m_fd, &own) == 0) {
        m_waechst = own.st_size != m_bytes;
        if (m_waechst) {
            m_bytes = own.st_size;
            m_veraenderung |= Groesse;
            m_fremde = fremdeSuchen();
        }
    }
    m_veraenderung &= ~(Ersetzt | Geloescht); // what stands under the name now
    if (::stat(QFile::encodeName(m_path).constData(), &named) != 0)
        m_veraenderung |= Geloescht;
    else if (named.st_dev != m_device || named.st_ino != m_inode)
        m_veraenderung |= Ersetzt;
    return m_veraenderung;
}
