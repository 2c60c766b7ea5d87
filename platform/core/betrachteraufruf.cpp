#include "betrachteraufruf.h"

#include "qtcommandline.h"

#include <QCommandLineParser>
#include <QCoreApplication>

using QtCommandLine::print;
using namespace Betrachteraufruf;

namespace {

const QString Ziel = QStringLiteral("ziel");
const QString Gefunden = QStringLiteral("gefunden");
const QString Naehe = QStringLiteral("naehe");
const QString Text = QStringLiteral("text");

QString help()
{
    return QCoreApplication::translate("Betrachteraufruf",
        "Aufruf: dovevad-viewer [Optionen] LOGDATEI\n"
        "\n"
        "Zeigt eine Logdatei von Dovevad („Generated Chars.txt“) jeder Größe: jedes Zeichen\n"
        "mit seiner Nummer, die Suche nach Buchstaben und wie oft jeder Buchstabe vorkommt.\n"
        "\n"
        "Optionen:\n"
        "  -h, --help            Zeigt diese Hilfe an.\n"
        "  -v, --version         Zeigt die Version an.\n"
        "  --ziel TEXT           Die Zeichenfolge des Laufs; sie wird auch gesucht.\n"
        "  --gefunden N          Der Lauf fand sie; ihr letzter Buchstabe ist Zeichen N.\n"
        "  --naehe K:N           Der Lauf wurde angehalten; am nächsten kamen ihre ersten\n"
        "                        K Buchstaben, deren letzter Zeichen N ist.\n"
        "  --text AUFZEICHNUNG   Schreibt die Zeichen einer Aufzeichnung („Generated\n"
        "                        Chars.dovrec“) auf die Standardausgabe, Byte für Byte\n"
        "                        wie die Logdatei desselben Laufs, und zeigt nichts an.\n"
        "\n"
        "Dazu Qts eigene Optionen, etwa -platform NAME, -style NAME oder -reverse.\n");
}

QString version()
{
    return QCoreApplication::translate("Betrachteraufruf", "Dovevad-Logbetrachter") + QStringLiteral(" " DOVEVAD_VERSION_TEXT "\n");
}

int falsch(const QString &was)
{
    return QtCommandLine::wrong(Programm, was);
}

} // namespace

std::variant<Aufruf, int> Betrachteraufruf::auswerten(int argc, const char *const argv[])
{
    QCommandLineParser parser;
    QtCommandLine::addQtOptions(parser);
    const QCommandLineOption helpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption versionOption(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    const QCommandLineOption zielOption(Ziel, {}, QStringLiteral("text"));
    const QCommandLineOption gefundenOption(Gefunden, {}, QStringLiteral("n"));
    const QCommandLineOption naeheOption(Naehe, {}, QStringLiteral("k:n"));
    const QCommandLineOption textOption(Text, {}, QStringLiteral("aufzeichnung"));
    parser.addOptions({helpOption, versionOption, zielOption, gefundenOption, naeheOption, textOption});
    if (!parser.parse(QtCommandLine::arguments(argc, argv)))
        return falsch(QtCommandLine::parseError(parser));
    if (parser.isSet(helpOption)) {
        print(stdout, version() + help());
        return 0;
    }
    if (parser.isSet(versionOption)) {
        print(stdout, version());
        return 0;
    }
    if (parser.isSet(textOption)) {
        if (!parser.positionalArguments().isEmpty())
            return falsch(QCoreApplication::translate("Betrachteraufruf", "Unerwartetes Argument „%1“")
                              .arg(parser.positionalArguments().constFirst()));
        return Aufruf{parser.value(textOption), {}, true};
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() != 1)
        return falsch(files.isEmpty() ? QCoreApplication::translate("Betrachteraufruf", "Welche Logdatei?")
                                      : QCoreApplication::translate("Betrachteraufruf", "Unerwartetes Argument „%1“").arg(files.at(1)));
    Aufruf aufruf{files.constFirst(), {}};
    aufruf.ausgang.ziel = parser.value(zielOption);
    bool ok = true;
    if (parser.isSet(gefundenOption)) {
        aufruf.ausgang.gefunden = true;
        aufruf.ausgang.bis = parser.value(gefundenOption).toLongLong(&ok);
    } else if (parser.isSet(naeheOption)) {
        const QStringList teile = parser.value(naeheOption).split(u':');
        bool beide = teile.size() == 2;
        aufruf.ausgang.buchstaben = beide ? teile[0].toInt(&ok) : 0;
        aufruf.ausgang.bis = beide && ok ? teile[1].toLongLong(&ok) : 0;
        ok = ok && beide;
    }
    if (!ok || aufruf.ausgang.bis < 0 || aufruf.ausgang.buchstaben < 0)
        return falsch(QCoreApplication::translate("Betrachteraufruf", "Keine Zeichennummer: „%1“")
                          .arg(parser.value(parser.isSet(gefundenOption) ? gefundenOption : naeheOption)));
    return aufruf;
}

QStringList Betrachteraufruf::argumente(const QString &path, const Ausgang &ausgang)
{
    QStringList arguments{QStringLiteral("--") + Ziel, ausgang.ziel};
    if (ausgang.gefunden)
        arguments << QStringLiteral("--") + Gefunden << QString::number(ausgang.bis);
    else
        arguments << QStringLiteral("--") + Naehe << QStringLiteral("%1:%2").arg(ausgang.buchstaben).arg(ausgang.bis);
    return arguments << QStringLiteral("--") << path; // a path may start with a dash
}
