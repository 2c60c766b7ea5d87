#include "aufzeichnungsleser.h"

#include "sprache.h"

#include <QCoreApplication>
#include <QtEndian>

#include <algorithm>

#include <cerrno>
#include <cstring>
#include <memory>

#include <unistd.h>

namespace {

using Aufzeichnung::Groesse;

bool writeAll(int fd, const char *data, qsizetype size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size_t(size));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        size -= written;
    }
    return true;
}

} // namespace

Aufzeichnungsleser::Aufzeichnungsleser(const QString &path) : m_datei(path)
{
    if (!m_datei.isOpen()) {
        m_fehler = m_datei.fehler();
        return;
    }
    char kopf[Groesse];
    const qint64 gelesen = m_datei.lesen(0, kopf, Groesse);
    const qsizetype magic = std::min<qsizetype>(gelesen, sizeof Aufzeichnung::Magic);
    if (gelesen == 0)
        m_fehler = tr("Die Datei ist leer.");
    else if (std::memcmp(kopf, Aufzeichnung::Magic, size_t(magic)) != 0)
        m_fehler = tr("Das ist keine Aufzeichnung von Dovevad.");
    else if (gelesen < Groesse)
        m_fehler = tr("Die Aufzeichnung bricht schon in ihrem Kopf ab.");
    else if (qFromLittleEndian<quint16>(kopf + 8) > Aufzeichnung::Version)
        m_fehler = tr("Die Aufzeichnung ist von einer neueren Version von Dovevad (Format %1); diese liest Format %2.")
                       .arg(qFromLittleEndian<quint16>(kopf + 8))
                       .arg(Aufzeichnung::Version);
    else if (Aufzeichnung::crc32(kopf, Groesse - 4) != qFromLittleEndian<quint32>(kopf + Groesse - 4))
        m_fehler = tr("Der Kopf der Aufzeichnung ist beschädigt.");
}

qint64 Aufzeichnungsleser::alsText(int fd)
{
    m_schaden.clear();
    if (!m_fehler.isEmpty())
        return 0;
    constexpr qsizetype Eintraege = 4096;
    constexpr qsizetype Zeilen = (1 << 20) / Logzeile::Laenge;
    const auto eintraege = std::make_unique_for_overwrite<char[]>(Eintraege * Groesse);
    const auto text = std::make_unique_for_overwrite<char[]>(Zeilen * Logzeile::Laenge);
    char *const textEnde = text.get() + Zeilen * Logzeile::Laenge;
    char *zeile = text.get();
    quint64 weiter = 0; // the next letter's number
    qint64 offset = Groesse;
    while (m_schaden.isEmpty()) {
        const qint64 gelesen = m_datei.lesen(offset, eintraege.get(), Eintraege * Groesse);
        for (qint64 i = 0; i + Groesse <= gelesen && m_schaden.isEmpty(); i += Groesse) {
            const auto strecke = Aufzeichnung::eintragLesen(eintraege.get() + i);
            if (!strecke || strecke->erstes != weiter || strecke->anzahl == 0) {
                m_schaden = tr("Die Aufzeichnung ist nach Zeichen %1 beschädigt; bis dahin ist sie gelesen.")
                                .arg(Sprache::zahlen().toString(weiter));
                break;
            }
            for (quint32 k = 0; k < strecke->anzahl; ++k) {
                if (zeile == textEnde) {
                    if (!writeAll(fd, text.get(), zeile - text.get()))
                        return -1;
                    zeile = text.get();
                }
                Logzeile::schreiben(zeile, strecke->buchstabe(k));
                zeile += Logzeile::Laenge;
            }
            weiter = strecke->ende();
        }
        if (gelesen < Eintraege * Groesse) {
            if (gelesen % Groesse != 0 && m_schaden.isEmpty())
                m_schaden = tr("Die Aufzeichnung bricht nach Zeichen %1 ab; bis dahin ist sie gelesen.")
                                .arg(Sprache::zahlen().toString(weiter));
            break;
        }
        offset += gelesen;
    }
    if (!writeAll(fd, text.get(), zeile - text.get()))
        return -1;
    return qint64(weiter);
}
