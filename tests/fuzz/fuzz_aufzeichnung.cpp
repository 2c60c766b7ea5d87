// Any bytes as a record: no crash, and the text given is whole lines of
// capitals, exactly the letters of the entries up to the first that is cut
// short, damaged or out of order, each what its entry says, and which of
// these stopped it; a file that is no record gives none. The first byte chooses whether the entries'
// checksums are made right first (so that the fuzzer reaches past them)
// and their counts kept small (so that a run stays short).
#include "aufzeichnung.h"
#include "aufzeichnungsleser.h"
#include "fuzz.h"

#include <QByteArray>
#include <QString>
#include <QtEndian>

#include <sys/mman.h>
#include <unistd.h>

namespace {

int memoryFile(const QByteArray &bytes)
{
    const int fd = memfd_create("record", MFD_CLOEXEC);
    check(fd >= 0 && write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size());
    return fd;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    QByteArray bytes(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    if (data[0] & 1) {
        // A good header, and good checksums on small counts after it.
        if (bytes.size() >= Aufzeichnung::Groesse && (data[0] & 2))
            Aufzeichnung::kopfSchreiben(bytes.data());
        for (qsizetype at = Aufzeichnung::Groesse; at + Aufzeichnung::Groesse <= bytes.size(); at += Aufzeichnung::Groesse) {
            char *entry = bytes.data() + at;
            qToLittleEndian(qFromLittleEndian<quint32>(entry + 24) % 4096, entry + 24);
            qToLittleEndian(Aufzeichnung::crc32(entry, Aufzeichnung::Groesse - 4), entry + 28);
        }
    }
    const int in = memoryFile(bytes);
    const int out = memoryFile({});
    Aufzeichnungsleser leser(in);
    const qint64 letters = leser.alsText(out);

    // What a plain reading of the entries gives: a header whose checksum
    // holds, of version 1 and entries of 32 bytes, then entries up to the
    // first that is cut short, damaged or out of order.
    qint64 expected = 0;
    QByteArray text;
    const bool record = bytes.size() >= Aufzeichnung::Groesse && bytes.startsWith(QByteArray(Aufzeichnung::Magic, 8))
        && Aufzeichnung::crc32(bytes.constData(), 28) == qFromLittleEndian<quint32>(bytes.constData() + 28)
        && qFromLittleEndian<quint16>(bytes.constData() + 8) == Aufzeichnung::Version
        && qFromLittleEndian<quint16>(bytes.constData() + 10) == Aufzeichnung::Groesse;
    bool whole = record, cut = false;
    for (qsizetype at = Aufzeichnung::Groesse; record && at < bytes.size(); at += Aufzeichnung::Groesse) {
        cut = at + Aufzeichnung::Groesse > bytes.size();
        const auto strecke = cut ? std::nullopt : Aufzeichnung::eintragLesen(bytes.constData() + at);
        if (!strecke || strecke->erstes != quint64(expected) || strecke->anzahl == 0 || strecke->anzahl > 4096) {
            whole = false;
            break;
        }
        for (quint32 i = 0; i < strecke->anzahl; ++i)
            text += QByteArray(1, strecke->buchstabe(i)) + "\r\n";
        expected += strecke->anzahl;
    }
    check(leser.fehler().isEmpty() == record);
    using Zustand = Aufzeichnungsleser::Zustand;
    check(leser.zustand() == (whole || !record ? Zustand::Heil : cut ? Zustand::Abgebrochen : Zustand::Beschaedigt));
    check(leser.schaden().isEmpty() == (whole || !record));
    QByteArray written(qsizetype(lseek(out, 0, SEEK_END)), Qt::Uninitialized);
    check(pread(out, written.data(), size_t(written.size()), 0) == written.size());
    check(letters == expected && written == text);
    // Any part of the text read at once is that part of the whole.
    if (record && text.size() > 0) {
        const qint64 offset = qint64(data[0] >> 2) * 7 % text.size();
        const qint64 length = qint64(data[size - 1]) % 40;
        QByteArray part(length, Qt::Uninitialized);
        part.truncate(leser.lesen(offset, part.data(), length));
        check(part == text.mid(offset, length));
    }
    close(in);
    close(out);
    return 0;
}
