#pragma once

#include "abgleich.h"
#include "richtung.h"

#include <QtGlobal>

// Where a target's windows reach over the edge of two stretches, which no
// search inside one stretch sees: the target's matching automaton followed
// over the letters there, from the state that the letters before them
// leave. The run carries that state on from piece to piece; the viewer's
// find makes it from the letters before the edge.
namespace Kante {

// Follows the automaton from zustand over the places von to bis - 1, in the
// direction given (backwards from bis - 1 down, with the automaton of the
// reversed target), buchstabe(platz) giving each letter. After each,
// melde(platz, zustand) may end it by returning true. The state reached.
template <typename Buchstabe, typename Melden>
uint32_t folgen(Abgleich::Schritt schritt, uint32_t zustand, quint64 von, quint64 bis, Richtung richtung,
                Buchstabe &&buchstabe, Melden &&melde)
{
    for (quint64 k = von; k < bis; ++k) {
        const quint64 platz = richtung == Richtung::Vorwaerts ? k : bis - 1 - (k - von);
        zustand = schritt(zustand, char16_t(buchstabe(platz)));
        if (melde(platz, zustand))
            break;
    }
    return zustand;
}

} // namespace Kante
