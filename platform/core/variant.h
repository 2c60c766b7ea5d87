#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>

// The general-purpose value: a number of one of the runtime's types, or a
// string. Strings of up to one character live inside the value, so the
// letters of a run never touch the heap.
class Variant
{
public:
    enum class Type : quint8 { Empty, Integer, Long, Single, Double, String };

    Variant() = default;
    Variant(qint16 value) : m_type(Type::Integer), m_integer(value) {}
    Variant(qint32 value) : m_type(Type::Long), m_integer(value) {}
    Variant(float value) : m_type(Type::Single), m_real(value) {}
    Variant(double value) : m_type(Type::Double), m_real(value) {}
    Variant(QChar character) : m_type(Type::String), m_shortLength(1), m_shortText(character.unicode()) {}
    Variant(const QString &text);

    Type type() const { return m_type; }
    // Of the runtime's whole-number types, Integer and Long.
    bool isWholeNumber() const { return m_type == Type::Integer || m_type == Type::Long; }
    qint64 wholeNumber() const { return m_integer; }

    // Conversions throw RuntimeError where the runtime raises an error:
    // a string that is no number, a value outside the target type.
    double toDouble() const;
    qint16 toInteger() const; // rounds half to even, as the runtime does
    QString toString() const;

    // A string's characters without copying them, valid while the value
    // lives; empty for a number (toString converts those).
    QStringView stringView() const;

private:
    // Takes copies, so that no value's address leaves the code that uses
    // it and the compiler can keep a value whole in registers.
    static double parsedString(QString longText, char16_t shortText, quint8 shortLength);
    static qint16 roundedHalfToEven(double value);

    Type m_type = Type::Empty;
    quint8 m_shortLength = 0;
    char16_t m_shortText = 0;
    union {
        qint64 m_integer = 0;
        double m_real;
    };
    QString m_longText; // only for strings of two or more characters
};

inline QStringView Variant::stringView() const
{
    if (m_type != Type::String)
        return {};
    if (!m_longText.isEmpty())
        return m_longText;
    return QStringView(&m_shortText, m_shortLength);
}

inline double Variant::toDouble() const
{
    switch (m_type) {
    case Type::Integer:
    case Type::Long:
        return double(m_integer);
    case Type::Single:
    case Type::Double:
        return m_real;
    case Type::Empty:
        return 0.0;
    case Type::String:
        break;
    }
    return parsedString(m_longText, m_shortText, m_shortLength);
}

inline qint16 Variant::toInteger() const
{
    // Whole numbers in range, the usual case, need no conversion at all.
    if ((m_type == Type::Integer || m_type == Type::Long) && m_integer >= -32768 && m_integer <= 32767)
        return qint16(m_integer);
    const double value = toDouble();
    // Whole numbers in range, the usual case, need no call into libm.
    if (value >= -32768.0 && value <= 32767.0 && value == double(qint32(value)))
        return qint16(value);
    return roundedHalfToEven(value);
}
