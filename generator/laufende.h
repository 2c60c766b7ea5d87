#pragma once

#include "naehe.h"

#include <QString>
#include <QtGlobal>

// What a finished run came to, for the window to put into words and to
// hand to the desktop: its files, where its letters are, how it ended.
struct Laufende
{
    enum class Wie { Gefunden, Angehalten, Voll, Grenze };
    Wie wie = Wie::Angehalten;
    QString ziel; // in capitals
    qint64 zeichen = 0;
    Naehe naehe;
    QString logPath;
    QString recordPath;
    // The letters in the log, where the rest are in the record only; else
    // -1: every letter is in the log, and the record is no news.
    qint64 imLog = -1;
    // Of what filled the disk: the record where the log had stopped.
    qint64 groesse = 0;
    bool aufzeichnungVoll = false;
};
