#pragma once

#include <QString>
#include <QtGlobal>

// A size in bytes as a reader takes it in, here in German: "0 Byte", "999 Byte",
// "2,0 kB", "3,4 GB", in powers of 1000, one decimal, rounded to nearest;
// a value that would read 1.000 of a unit reads in the next ("1,0 MB").
QString groesse(quint64 bytes);
