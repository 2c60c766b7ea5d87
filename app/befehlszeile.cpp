#include "befehlszeile.h"

#include "qtcommandline.h"

#include <QCommandLineParser>
#include <QCoreApplication>

using QtCommandLine::print;

namespace {

QString help()
{
    return QCoreApplication::translate("Befehlszeile",
        "Aufruf: dovevad [Optionen]\n"
        "\n"
        "Tippt zufällige Großbuchstaben A bis Z in die Logdatei „Generated Chars.txt“,\n"
        "bis die zuletzt getippten die eingegebene Zeichenfolge ergeben.\n"
        "\n"
        "Optionen:\n"
        "  -h, --help       Zeigt diese Hilfe an.\n"
        "  -v, --version    Zeigt die Version an.\n"
        "\n"
        "Dazu Qts eigene Optionen, etwa -platform NAME, -style NAME oder -reverse.\n");
}

} // namespace

QString Befehlszeile::plattform(int argc, const char *const argv[])
{
    return QtCommandLine::platform(argc, argv);
}

std::optional<int> Befehlszeile::auswerten(int argc, const char *const argv[])
{
    QCommandLineParser parser;
    QtCommandLine::addQtOptions(parser);
    const QCommandLineOption helpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption versionOption(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOption(helpOption);
    parser.addOption(versionOption);
    const QStringList arguments = QtCommandLine::arguments(argc, argv);
    const QString version = QStringLiteral("Dovevad " DOVEVAD_VERSION_TEXT "\n");
    if (!parser.parse(arguments))
        return QtCommandLine::wrong("dovevad", QtCommandLine::parseError(parser));
    if (parser.isSet(helpOption)) {
        print(stdout, version + help());
        return 0;
    }
    if (parser.isSet(versionOption)) {
        print(stdout, version);
        return 0;
    }
    if (!parser.positionalArguments().isEmpty())
        return QtCommandLine::wrong(
            "dovevad", QCoreApplication::translate("Befehlszeile", "Unerwartetes Argument „%1“").arg(parser.positionalArguments().constFirst()));
    return std::nullopt;
}
