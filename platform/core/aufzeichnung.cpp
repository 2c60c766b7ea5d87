#include "aufzeichnung.h"

#include <QtEndian>

#include <array>
#include <cstring>

namespace {

constexpr int Inhalt = Aufzeichnung::Groesse - 4; // what the checksum covers
// Where the header keeps its version and its size.
constexpr int BeiVersion = 8;
constexpr int BeiGroesse = 10;

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

bool gezeichnet(const char *in)
{
    return Aufzeichnung::crc32(in, Inhalt) == qFromLittleEndian<quint32>(in + Inhalt);
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

bool Aufzeichnung::beginntSo(const char *anfang, qsizetype size)
{
    return size > 0 && std::memcmp(anfang, Magic, size_t(std::min<qsizetype>(size, sizeof Magic))) == 0;
}

void Aufzeichnung::kopfSchreiben(char *out)
{
    std::memset(out, 0, Groesse);
    std::memcpy(out, Magic, sizeof Magic);
    qToLittleEndian(Version, out + BeiVersion);
    qToLittleEndian(quint16(Groesse), out + BeiGroesse);
    sign(out);
}

quint16 Aufzeichnung::version(const char *kopf)
{
    return qFromLittleEndian<quint16>(kopf + BeiVersion);
}

Aufzeichnung::Kopf Aufzeichnung::kopfPruefen(const char *kopf)
{
    // A header whose checksum holds says its version truly; only a version
    // this reader knows says what its sizes mean.
    if (!gezeichnet(kopf))
        return Kopf::Beschaedigt;
    if (version(kopf) > Version)
        return Kopf::Neuer;
    if (version(kopf) == 0 || qFromLittleEndian<quint16>(kopf + BeiGroesse) != Groesse)
        return Kopf::Beschaedigt;
    return Kopf::Gut;
}

void Aufzeichnung::eintragSchreiben(const Strecke &strecke, char *out)
{
    Q_ASSERT(strecke.anzahl <= HoechstensJeEintrag);
    qToLittleEndian(strecke.erstes, out);
    qToLittleEndian(strecke.schluessel, out + 8);
    qToLittleEndian(strecke.zaehler, out + 16);
    qToLittleEndian(quint32(strecke.anzahl), out + 24);
    sign(out);
}

std::optional<Strecke> Aufzeichnung::eintragLesen(const char *in)
{
    if (!gezeichnet(in))
        return std::nullopt;
    const Strecke strecke{qFromLittleEndian<quint64>(in), qFromLittleEndian<quint64>(in + 8),
                          qFromLittleEndian<quint64>(in + 16), qFromLittleEndian<quint32>(in + 24)};
    if (strecke.anzahl == 0 || strecke.erstes > HoechstensZeichen - strecke.anzahl)
        return std::nullopt;
    return strecke;
}
