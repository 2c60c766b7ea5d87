#pragma once

#include <QString>

// The target reduced to what a run can type: the letters A to Z and a to z
// alone, in their order and case; everything else, umlauts too, is dropped.
// The caller turns the result into capitals.
QString Stringbereinigen(const QString &Zeile);
