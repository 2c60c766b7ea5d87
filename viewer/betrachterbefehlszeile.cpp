#include "betrachterbefehlszeile.h"

#include "aufzeichnungsleser.h"
#include "logdatei.h"
#include "qtcommandline.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cerrno>
#include <cstring>

#include <unistd.h>

using QtCommandLine::print;

namespace {

const char Name[] = "dovevad-viewer";

QString help()
{
    return QCoreApplication::translate("BetrachterBefehlszeile",
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
    return QCoreApplication::translate("BetrachterBefehlszeile", "Dovevad-Logbetrachter") + QStringLiteral(" " DOVEVAD_VERSION_TEXT "\n");
}

int falsch(const QString &was)
{
    return QtCommandLine::wrong(Name, was);
}

// Every letter of the record as text on standard output; what kept it from
// the end, on standard error.
int alsText(const QString &path)
{
    const Logdatei datei(path);
    const auto scheitern = [&path](const QString &warum) {
        print(stderr, QStringLiteral("%1: %2: %3\n").arg(QLatin1String(Name), path, warum));
        return 1;
    };
    if (!datei.fehler().isEmpty())
        return scheitern(datei.fehler());
    Aufzeichnungsleser *leser = datei.aufzeichnung();
    if (!leser)
        return scheitern(Aufzeichnungsleser::tr("Das ist keine Aufzeichnung von Dovevad."));
    if (leser->alsText(STDOUT_FILENO) < 0)
        return scheitern(QCoreApplication::translate("BetrachterBefehlszeile", "Die Standardausgabe nimmt nichts mehr an: %1")
                             .arg(QString::fromLocal8Bit(std::strerror(errno))));
    return leser->schaden().isEmpty() ? 0 : scheitern(leser->schaden());
}

} // namespace

std::variant<BetrachterBefehlszeile::Aufruf, int> BetrachterBefehlszeile::auswerten(int argc, const char *const argv[])
{
    QCommandLineParser parser;
    QtCommandLine::addQtOptions(parser);
    const QCommandLineOption helpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption versionOption(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    const QCommandLineOption zielOption(QStringLiteral("ziel"), {}, QStringLiteral("text"));
    const QCommandLineOption gefundenOption(QStringLiteral("gefunden"), {}, QStringLiteral("n"));
    const QCommandLineOption naeheOption(QStringLiteral("naehe"), {}, QStringLiteral("k:n"));
    const QCommandLineOption textOption(QStringLiteral("text"), {}, QStringLiteral("aufzeichnung"));
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
            return falsch(QCoreApplication::translate("BetrachterBefehlszeile", "Unerwartetes Argument „%1“")
                              .arg(parser.positionalArguments().constFirst()));
        return alsText(parser.value(textOption));
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() != 1)
        return falsch(files.isEmpty() ? QCoreApplication::translate("BetrachterBefehlszeile", "Welche Logdatei?")
                                      : QCoreApplication::translate("BetrachterBefehlszeile", "Unerwartetes Argument „%1“").arg(files.at(1)));
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
        return falsch(QCoreApplication::translate("BetrachterBefehlszeile", "Keine Zeichennummer: „%1“")
                          .arg(parser.value(parser.isSet(gefundenOption) ? gefundenOption : naeheOption)));
    return aufruf;
}
