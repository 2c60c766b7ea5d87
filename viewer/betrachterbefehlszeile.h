#pragma once

#include "logbetrachter.h"

#include <QString>

#include <variant>

// The viewer's command line, read before Qt starts, as Dovevad's is: a log
// and, from Dovevad, what its run came to.
namespace BetrachterBefehlszeile {

struct Aufruf
{
    QString path;
    Logbetrachter::Ausgang ausgang;
};

// The log to show, or the status to end with once what was asked for, or
// what is wrong, is printed.
std::variant<Aufruf, int> auswerten(int argc, const char *const argv[]);
} // namespace BetrachterBefehlszeile
