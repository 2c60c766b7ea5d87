#include "befehlszeile.h"

#include "qtcommandline.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <algorithm>

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
        "  --kompakt        Schreibt keine Logdatei, nur die Aufzeichnung daneben\n"
        "                   („Generated Chars.dovrec“): Sie hält jedes Zeichen fest,\n"
        "                   braucht aber nur ein Tausendstel des Platzes, und\n"
        "                   „dovevad-viewer --text“ macht daraus wieder den Text.\n"
        "\n"
        "Dazu Qts eigene Optionen, etwa -platform NAME, -style NAME oder -reverse.\n"
        "\n"
        "Umgebung:\n"
        "  DOVEVAD_VULKAN=NAME  Ein kompakter Lauf sucht auch auf der Grafikkarte, über\n"
        "                       Vulkan: ohne die Variable auf der schnellsten echten\n"
        "                       Grafikkarte, mit NAME auf dem Gerät, dessen Name NAME\n"
        "                       enthält (auch einem auf dem Prozessor wie „llvmpipe“),\n"
        "                       mit 0 auf keiner.\n");
}

} // namespace

bool Befehlszeile::kompakt(int argc, const char *const argv[])
{
    return std::any_of(argv + 1, argv + argc, [](const char *argument) { return qstrcmp(argument, "--kompakt") == 0; });
}

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
    parser.addOption(QCommandLineOption(QStringLiteral("kompakt")));
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
