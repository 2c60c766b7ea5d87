#include "aufzeichnungsleser.h"

#include "files.h"
#include "logzeile.h"
#include "zahlen.h"

#include <QLocale>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using Aufzeichnung::Groesse;
constexpr int L = Logzeile::Laenge;

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

Aufzeichnungsleser::Aufzeichnungsleser(int fd) : m_fd(fd)
{
    char kopf[Groesse];
    const qint64 gelesen = Files::readAt(fd, 0, kopf, Groesse);
    if (gelesen == 0)
        m_fehler = tr("Die Datei ist leer.");
    else if (!Aufzeichnung::beginntSo(kopf, gelesen))
        m_fehler = tr("Das ist keine Aufzeichnung von Dovevad.");
    else if (gelesen < Groesse)
        m_fehler = tr("Die Aufzeichnung bricht schon in ihrem Kopf ab.");
    else
        m_fehler = kopfText(kopf);
    pruefen();
}

QString Aufzeichnungsleser::kopfText(const char *kopf)
{
    switch (Aufzeichnung::kopfPruefen(kopf)) {
    case Aufzeichnung::Kopf::Gut:
        return {};
    case Aufzeichnung::Kopf::Neuer:
        return tr("Die Aufzeichnung ist von einer neueren Version von Dovevad (Format %1); diese liest Format %2.")
            .arg(Aufzeichnung::version(kopf))
            .arg(Aufzeichnung::Version);
    case Aufzeichnung::Kopf::Beschaedigt:
        break;
    }
    return tr("Der Kopf der Aufzeichnung ist beschädigt.");
}

Aufzeichnungsleser::Zustand Aufzeichnungsleser::zustand() const
{
    return m_schadenNach.load() >= 0 ? Zustand::Beschaedigt : m_ende.load();
}

QString Aufzeichnungsleser::schaden() const
{
    const Zustand zustand = this->zustand();
    if (zustand == Zustand::Heil)
        return {};
    return (zustand == Zustand::Abgebrochen ? tr("Die Aufzeichnung bricht nach Zeichen %1 ab; bis dahin ist sie gelesen.")
                                            : tr("Die Aufzeichnung ist nach Zeichen %1 beschädigt; bis dahin ist sie gelesen."))
        .arg(Zahlen::schreibweise().toString(zeichen()));
}

qint64 Aufzeichnungsleser::zeichen() const
{
    const qint64 geprueft = m_zeichen.load(std::memory_order_relaxed), schaden = m_schadenNach.load();
    return schaden >= 0 ? std::min(geprueft, schaden) : geprueft;
}

void Aufzeichnungsleser::beschaedigt(qint64 nachZeichen) const
{
    // The earliest damage met is the one to tell.
    qint64 bisher = m_schadenNach.load();
    while ((bisher < 0 || nachZeichen < bisher) && !m_schadenNach.compare_exchange_weak(bisher, nachZeichen)) {
    }
}

qint64 Aufzeichnungsleser::groesse() const
{
    struct stat info {};
    if (!m_fehler.isEmpty() || ::fstat(m_fd, &info) != 0 || info.st_size < Groesse)
        return 0;
    return qint64(info.st_size);
}

std::optional<Strecke> Aufzeichnungsleser::eintrag(qint64 j) const
{
    char bytes[Groesse];
    if (Files::readAt(m_fd, Groesse * (j + 1), bytes, Groesse) != Groesse)
        return std::nullopt;
    return Aufzeichnung::eintragLesen(bytes);
}

void Aufzeichnungsleser::pruefen()
{
    // The entries that follow each other from the start are what can be
    // read: checked once each, as far as the record has grown since the
    // last look. One being written as it is read is taken up at the next,
    // which says anew what follows them.
    constexpr qint64 Block = 4096;
    const qint64 groesse = this->groesse();
    const qint64 n = groesse > 0 ? (groesse - Groesse) / Groesse : 0; // whole entries
    if (n < m_heile) { // cut short under the reader: from the start again
        m_heile = 0;
        m_zeichen = 0;
        m_schadenNach = -1;
    }
    const auto bytes = std::make_unique_for_overwrite<char[]>(size_t(Groesse * Block));
    quint64 weiter = quint64(m_zeichen.load());
    qint64 heile = m_heile;
    for (bool heil = true; heil && heile < n;) {
        const qint64 stueck = Files::readAt(m_fd, Groesse * (heile + 1), bytes.get(), Groesse * std::min(Block, n - heile)) / Groesse;
        heil = stueck > 0;
        for (qint64 k = 0; heil && k < stueck; ++k) {
            const auto eintrag = Aufzeichnung::eintragLesen(bytes.get() + Groesse * k);
            heil = eintrag && eintrag->erstes == weiter;
            if (heil) {
                weiter = eintrag->ende();
                ++heile;
            }
        }
    }
    m_zeichen = qint64(weiter);
    m_heile = heile;
    // A run writes whole entries, so part of one at the end is a record
    // cut short, not one being written.
    const bool teil = groesse > 0 && (groesse - Groesse) % Groesse != 0;
    m_ende = heile < n ? Zustand::Beschaedigt : teil ? Zustand::Abgebrochen : Zustand::Heil;
}

qint64 Aufzeichnungsleser::lesen(qint64 offset, char *buffer, qint64 size) const
{
    qint64 schadenNach = -1;
    const qint64 gelesen = lesenIn(offset, buffer, size, schadenNach);
    if (schadenNach >= 0)
        beschaedigt(schadenNach); // changed under the reader
    return gelesen;
}

quint64 Aufzeichnungsleser::eintragMit(quint64 zeichen) const
{
    if (zeichen >= quint64(this->zeichen()))
        return KeinFund;
    // The last whose first is not after it.
    qint64 lo = 0, hi = m_heile - 1;
    while (lo < hi) {
        const qint64 mitte = lo + (hi - lo + 1) / 2;
        const auto strecke = eintrag(mitte);
        if (!strecke) {
            hi = mitte - 1; // what lies before damage is still read
            continue;
        }
        if (strecke->erstes <= zeichen)
            lo = mitte;
        else
            hi = mitte - 1;
    }
    return quint64(lo);
}

qint64 Aufzeichnungsleser::lesenIn(qint64 offset, char *buffer, qint64 size, qint64 &schadenNach) const
{
    const qint64 ende = std::min(offset + std::max<qint64>(size, 0), L * zeichen());
    if (offset < 0 || offset >= ende)
        return 0;
    const qint64 lo = qint64(eintragMit(quint64(offset / L))); // within the letters, so never past them
    char *out = buffer;
    qint64 at = offset; // the text's byte that comes next
    // The entry before must end where this one begins, so that entries that
    // hold but do not follow each other never pass for letters.
    std::optional<Strecke> vorige = lo > 0 ? eintrag(lo - 1) : std::nullopt;
    quint64 weiter = lo > 0 ? (vorige ? vorige->ende() : ~quint64(0)) : 0;
    for (qint64 j = lo; at < ende; ++j) {
        const auto strecke = eintrag(j);
        if (!strecke || strecke->erstes != weiter || quint64(at / L) < strecke->erstes) {
            schadenNach = qint64(std::min<quint64>(weiter, quint64(at / L)));
            break;
        }
        const qint64 bis = std::min<qint64>(ende, L * qint64(strecke->ende()));
        while (at < bis) {
            const quint64 i = quint64(at / L);
            const int innen = int(at % L);
            if (innen == 0 && bis - at >= L) {
                // Whole lines, straight into the buffer.
                const qint64 ganze = (bis - at) / L;
                for (qint64 k = 0; k < ganze; ++k)
                    Logzeile::schreiben(out + L * k, strecke->buchstabe(i - strecke->erstes + quint64(k)));
                out += L * ganze;
                at += L * ganze;
                continue;
            }
            char zeile[L];
            Logzeile::schreiben(zeile, strecke->buchstabe(i - strecke->erstes));
            const qint64 teil = std::min<qint64>(L - innen, bis - at);
            std::memcpy(out, zeile + innen, size_t(teil));
            out += teil;
            at += teil;
        }
        weiter = strecke->ende();
    }
    return out - buffer;
}

qint64 Aufzeichnungsleser::alsText(int fd)
{
    if (!m_fehler.isEmpty())
        return 0;
    pruefen();
    // The whole record, entry by entry, to its last whole entry; what lies
    // behind that, schaden() says.
    constexpr qint64 Block = (1 << 20) / L * L;
    const auto text = std::make_unique_for_overwrite<char[]>(Block);
    qint64 offset = 0;
    // How far it goes may change as damage is met on the way.
    while (offset < L * zeichen()) {
        const qint64 gelesen = lesen(offset, text.get(), std::min(Block, L * zeichen() - offset));
        if (!writeAll(fd, text.get(), gelesen))
            return -1;
        offset += gelesen;
        if (gelesen == 0 || m_schadenNach.load() >= 0)
            break;
    }
    return offset / L;
}
