#include "aufzeichnung.h"

#include <QtEndian>

#include <array>
#include <cstring>

namespace {

constexpr int Inhalt = Aufzeichnung::Groesse - 4; // what the checksum covers

// The CRC-32 of zlib, gzip and PNG, so that any tool can check it.
constexpr std::array<quint32, 256> crcTable()
{
    std::array<quint32, 256> table{};
    for (quint32 n = 0; n < 256; ++n) {
        quint32 c = n;
        for (int k = 0; k < 8; ++k)
            c = c & 1 ? 0xedb88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

void sign(char *out)
{
    qToLittleEndian(Aufzeichnung::crc32(out, Inhalt), out + Inhalt);
}

} // namespace

quint32 Aufzeichnung::crc32(const char *data, qsizetype size)
{
    static constexpr std::array<quint32, 256> Table = crcTable();
    quint32 c = 0xffffffffu;
    for (qsizetype i = 0; i < size; ++i)
        c = Table[(c ^ quint8(data[i])) & 0xff] ^ (c >> 8);
    return c ^ 0xffffffffu;
}

void Aufzeichnung::kopfSchreiben(char *out)
{
    std::memset(out, 0, Groesse);
    std::memcpy(out, Magic, sizeof Magic);
    qToLittleEndian(Version, out + 8);
    qToLittleEndian(quint16(Groesse), out + 10);
    sign(out);
}

void Aufzeichnung::eintragSchreiben(const Strecke &strecke, char *out)
{
    qToLittleEndian(strecke.erstes, out);
    qToLittleEndian(strecke.schluessel, out + 8);
    qToLittleEndian(strecke.zaehler, out + 16);
    qToLittleEndian(strecke.anzahl, out + 24);
    sign(out);
}

std::optional<Aufzeichnung::Strecke> Aufzeichnung::eintragLesen(const char *in)
{
    if (crc32(in, Inhalt) != qFromLittleEndian<quint32>(in + Inhalt))
        return std::nullopt;
    const Strecke strecke{qFromLittleEndian<quint64>(in), qFromLittleEndian<quint64>(in + 8),
                          qFromLittleEndian<quint64>(in + 16), qFromLittleEndian<quint32>(in + 24)};
    if (strecke.erstes > HoechstensZeichen - strecke.anzahl)
        return std::nullopt;
    return strecke;
}
