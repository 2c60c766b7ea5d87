#include "zahlen.h"

namespace {

QLocale &gewaehlt()
{
    static QLocale schreibweise(QLocale::German, QLocale::Germany);
    return schreibweise;
}

} // namespace

QLocale Zahlen::schreibweise()
{
    return gewaehlt();
}

void Zahlen::waehlen(const QLocale &schreibweise)
{
    gewaehlt() = schreibweise;
}
