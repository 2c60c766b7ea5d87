#pragma once

#include <QLocale>

// The conventions every number on the screen is written in: those of the
// language chosen for the program's texts once it is chosen, German
// before, as the program's own language.
namespace Zahlen {

QLocale schreibweise();
void waehlen(const QLocale &schreibweise);

} // namespace Zahlen
