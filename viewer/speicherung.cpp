#include "speicherung.h"

#include <QSaveFile>

#include <algorithm>

bool Speicherung::schreiben(const QString &ziel, qint64 groesse, const Quelle &quelle)
{
    m_abgebrochen = false;
    m_fehler.clear();
    QSaveFile datei(ziel);
    if (!datei.open(QIODevice::WriteOnly)) {
        m_fehler = datei.errorString();
        return false;
    }
    for (qint64 at = 0; at < groesse && m_fehler.isEmpty();) {
        const qint64 teil = std::min(Block, groesse - at);
        const QByteArray bytes = quelle(at, teil);
        if (bytes.size() != teil)
            m_fehler = tr("die gezeigte Datei ist kürzer geworden");
        else if (datei.write(bytes) != teil)
            m_fehler = datei.errorString();
        at += teil;
        emit geschrieben(at, groesse);
        if (m_abgebrochen)
            m_fehler = tr("abgebrochen");
    }
    if (!m_fehler.isEmpty()) {
        datei.cancelWriting(); // what was written goes with the object, never to ziel
        return false;
    }
    if (!datei.commit()) {
        m_fehler = datei.errorString();
        return false;
    }
    return true;
}
