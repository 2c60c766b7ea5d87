#include "variant.h"

#include "runtimeerror.h"

#include <QCoreApplication>
#include <QLocale>

#include <cmath>

Variant::Variant(const QString &text) : m_type(Type::String)
{
    if (text.size() > 1) {
        m_longText = text;
    } else {
        m_shortLength = quint8(text.size());
        m_shortText = text.isEmpty() ? 0 : text.front().unicode();
    }
}

double Variant::parsedString(QString longText, char16_t shortText, quint8 shortLength)
{
    const QString text = (longText.isEmpty() ? QString(reinterpret_cast<const QChar *>(&shortText), shortLength)
                                             : longText).trimmed();
    bool ok = false;
    double value = QLocale::system().toDouble(text, &ok);
    if (!ok)
        value = QLocale::c().toDouble(text, &ok);
    if (!ok)
        throw RuntimeError(QStringLiteral("Typen unverträglich: \"%1\" ist keine Zahl.").arg(text));
    return value;
}

qint16 Variant::roundedHalfToEven(double value)
{
    // nearbyint in the default rounding mode rounds half to even.
    const double rounded = std::nearbyint(value);
    if (!(rounded >= -32768.0 && rounded <= 32767.0))
        throw RuntimeError(QCoreApplication::translate("Laufzeit", "Überlauf: %1 passt in keine 16-Bit-Ganzzahl.").arg(value));
    return qint16(rounded);
}

QString Variant::toString() const
{
    switch (m_type) {
    case Type::Empty:
        return {};
    case Type::Integer:
    case Type::Long:
        return QString::number(m_integer);
    case Type::Single:
        return QString::number(m_real, 'g', 7);
    case Type::Double:
        return QString::number(m_real, 'g', 15);
    case Type::String:
        break;
    }
    return stringView().toString();
}

