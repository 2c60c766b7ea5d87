#pragma once

#include <QString>
#include <QStringList>

#include <variant>

// The viewer's command line, defined once for the two programs: Dovevad
// builds it at the end of a run, the viewer reads it before Qt starts.
namespace Betrachteraufruf {

// The viewer's name, in the program's folder.
inline constexpr char Programm[] = "dovevad-viewer";

// What the run that wrote the file came to: the target, and the letter at
// which the marked letters end, which are the whole target where it was
// found, else its first buchstaben.
struct Ausgang
{
    QString ziel;
    bool gefunden = false;
    int buchstaben = 0;
    qint64 bis = 0;
};

// A file to show, in a window (with what its run came to) or as text on
// standard output.
struct Aufruf
{
    QString path;
    Ausgang ausgang;
    bool alsText = false;
};

// What shows the file with its run's end marked.
QStringList argumente(const QString &path, const Ausgang &ausgang);
// What the command line asks for, or the status to end with once what was
// asked for (--help, --version), or what is wrong, is printed.
std::variant<Aufruf, int> auswerten(int argc, const char *const argv[]);

} // namespace Betrachteraufruf
