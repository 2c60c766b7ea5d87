#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <cstdio>

class QCommandLineParser;

// What the program's command lines share: Qt's own options (-platform,
// -style, ...), which are left to Qt, and the words of a command line as
// the user typed them, read before Qt starts.
namespace QtCommandLine {

void addQtOptions(QCommandLineParser &parser);
QStringList arguments(int argc, const char *const argv[]);
void print(std::FILE *stream, const QString &text);
// Says on stderr what is wrong and where help is; the status to end with.
int wrong(const char *program, const QString &what);
// What the parser could not read, in the words of the program or of Qt.
QString parseError(const QCommandLineParser &parser);
// The platform chosen with -platform, or nothing.
QString platform(int argc, const char *const argv[]);

} // namespace QtCommandLine
