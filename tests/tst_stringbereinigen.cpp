#include "stringbereinigen.h"

#include <QTest>

class tst_Stringbereinigen : public QObject
{
    Q_OBJECT

private slots:
    void keepsOnlyBasicLatinLetters_data();
    void keepsOnlyBasicLatinLetters();
    void handlesLongTexts();
    void keepsTheLettersOfALargePaste();
};

void tst_Stringbereinigen::keepsOnlyBasicLatinLetters_data()
{
    QTest::addColumn<QString>("zeile");
    QTest::addColumn<QString>("cleaned");
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("letters unchanged") << QStringLiteral("AbCxyZ") << QStringLiteral("AbCxyZ");
    QTest::newRow("mixed") << QStringLiteral(" he1lo, W0rld!\t42 ") << QStringLiteral("heloWrld");
    QTest::newRow("borders of the ranges") << QStringLiteral("@A Z[`a z{") << QStringLiteral("AZaz");
    QTest::newRow("umlauts and sharp s") << QStringLiteral("GrÜße äöü Öl") << QStringLiteral("Grel");
    QTest::newRow("beyond Latin-1") << QStringLiteral("€Ωж中A😀") << QStringLiteral("A");
    QTest::newRow("nothing left") << QStringLiteral("123 !?ß") << QString();
}

void tst_Stringbereinigen::keepsOnlyBasicLatinLetters()
{
    QFETCH(QString, zeile);
    QFETCH(QString, cleaned);
    const QString before = zeile;
    QCOMPARE(Stringbereinigen(zeile), cleaned);
    QCOMPARE(zeile, before);
}

void tst_Stringbereinigen::handlesLongTexts()
{
    // Longer than a 16-bit counter reaches.
    const QString zeile = QStringLiteral("a1").repeated(50000) + QStringLiteral("Z");
    const QString cleaned = Stringbereinigen(zeile);
    QCOMPARE(cleaned.size(), 50001);
    QCOMPARE(cleaned, QStringLiteral("a").repeated(50000) + QStringLiteral("Z"));
}

void tst_Stringbereinigen::keepsTheLettersOfALargePaste()
{
    // Digits, umlauts, the euro, Greek, combining marks, an emoji and a
    // lone surrogate around five letters.
    const QString block = QStringLiteral("aZ9 äÖß€Ωλe\u0301😀") + QChar(char16_t(0xD800)) + QStringLiteral("m\u0308.x");
    const int repeats = (1 << 20) / int(block.size());
    QCOMPARE(Stringbereinigen(block.repeated(repeats)), QStringLiteral("aZemx").repeated(repeats));
}

QTEST_GUILESS_MAIN(tst_Stringbereinigen)
#include "tst_stringbereinigen.moc"
