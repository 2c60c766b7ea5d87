#pragma once

#include <QtGlobal>

// The most letters of the target, from its start, that a run has typed in
// a row, and after how many letters it first did.
struct Naehe
{
    int buchstaben = 0;
    qint64 nachZeichen = 0;
};
