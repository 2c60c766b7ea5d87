#include "qtcommandline.h"

#include <QCommandLineParser>
#include <QCoreApplication>

void QtCommandLine::addQtOptions(QCommandLineParser &parser)
{
    // Qt writes its options with one dash, as "-platform xcb".
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const char *name : {"platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
                             "qwindowicon", "qwindowtitle", "qmljsdebugger", "session", "display", "geometry",
                             "style", "stylesheet", "title", "name", "visual"})
        parser.addOption(QCommandLineOption(QLatin1String(name), {}, QStringLiteral("wert")));
    for (const char *name : {"reverse", "widgetcount", "nograb", "dograb", "sync"})
        parser.addOption(QCommandLineOption(QLatin1String(name)));
}

QStringList QtCommandLine::arguments(int argc, const char *const argv[])
{
    QStringList words;
    for (int i = 0; i < argc; ++i)
        words << QString::fromLocal8Bit(argv[i]);
    return words;
}

void QtCommandLine::print(std::FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

int QtCommandLine::wrong(const char *program, const QString &what)
{
    print(stderr, QCoreApplication::translate("QtCommandLine", "%1: %2; %1 --help sagt, was geht.\n").arg(QLatin1String(program), what));
    return 2;
}

QString QtCommandLine::parseError(const QCommandLineParser &parser)
{
    const QStringList unknown = parser.unknownOptionNames();
    if (!unknown.isEmpty())
        return QCoreApplication::translate("QtCommandLine", "Unbekannte Option „%1“").arg(unknown.constFirst());
    QString text = parser.errorText();
    if (text.endsWith(u'.'))
        text.chop(1); // the sentence goes on after it
    return text;
}

QString QtCommandLine::platform(int argc, const char *const argv[])
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
