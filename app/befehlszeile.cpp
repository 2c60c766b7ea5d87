#include "befehlszeile.h"

#include <QCommandLineParser>
#include <QStringList>

#include <cstdio>

namespace {

void print(std::FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

QString help()
{
    return QStringLiteral(
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
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument = QByteArray(argv[i]).replace("--", "-");
        if (argument == "-platform" && i + 1 < argc)
            return QString::fromLocal8Bit(argv[i + 1]);
        if (argument.startsWith("-platform="))
            return QString::fromLocal8Bit(argument.mid(10));
    }
    return {};
}

std::optional<int> Befehlszeile::auswerten(int argc, const char *const argv[])
{
    QCommandLineParser parser;
    // Qt writes its options with one dash, as "-platform xcb".
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption helpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption versionOption(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOption(helpOption);
    parser.addOption(versionOption);
    for (const char *name : {"platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
                             "qwindowicon", "qwindowtitle", "qmljsdebugger", "session", "display", "geometry",
                             "style", "stylesheet", "title", "name", "visual"})
        parser.addOption(QCommandLineOption(QLatin1String(name), {}, QStringLiteral("wert")));
    for (const char *name : {"reverse", "widgetcount", "nograb", "dograb", "sync"})
        parser.addOption(QCommandLineOption(QLatin1String(name)));

    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const QString version = QStringLiteral("Dovevad " DOVEVAD_VERSION_TEXT "\n");
    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        print(stderr, QStringLiteral("dovevad: %1; dovevad --help sagt, was geht.\n")
                          .arg(unknown.isEmpty() ? parser.errorText()
                                                 : QStringLiteral("Unbekannte Option „%1“").arg(unknown.constFirst())));
        return 2;
    }
    if (parser.isSet(helpOption)) {
        print(stdout, version + help());
        return 0;
    }
    if (parser.isSet(versionOption)) {
        print(stdout, version);
        return 0;
    }
    if (!parser.positionalArguments().isEmpty()) {
        print(stderr, QStringLiteral("dovevad: Unerwartetes Argument „%1“; dovevad --help sagt, was geht.\n")
                          .arg(parser.positionalArguments().constFirst()));
        return 2;
    }
    return std::nullopt;
}
