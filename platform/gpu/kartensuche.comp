#version 450

// Stellensuche's search forwards, on the graphics card: one lane an
// invocation, each over jeAufruf consecutive leading places, moved on by
// Horspool's skips. A letter is a function of its place, so a window may
// reach back before its lane's first place. Words of 32 bits only, which
// every card has.
layout(local_size_x = 64) in;

layout(push_constant) uniform Auftrag
{
    uvec2 summe;         // counter and key added up at the first leading place
    uvec2 aufrufSchritt; // the same from one lane's first place to the next's
    uvec2 zurueck;       // the counter one place back
    uvec2 mix;           // the generator's
    uint weit;           // leading places of the dispatch
    uint jeAufruf;       // of a lane
    uint hoechstens;     // places a lane goes at most: jeAufruf, less in tests
    uint laenge;         // of the pattern
} auftrag;

// How far the window moves on for a leading letter.
struct Sprung
{
    uvec2 schritt; // in the counter
    uint stellen;
};

layout(std430, set = 0, binding = 0) readonly buffer Muster
{
    Sprung sprung[26];
    uint buchstabe[]; // compared k-th: k places behind the leading one; 26 for none
} muster;

layout(std430, set = 0, binding = 1) buffer Ergebnis
{
    uint fund;      // from the dispatch's first place; ~0 for none
    uint abgedeckt; // the places that the lanes went through
} ergebnis;

// Where every step reads them.
shared Sprung s_sprung[26];

uvec2 plus(uvec2 a, uvec2 b)
{
    uint uebertrag;
    const uint unten = uaddCarry(a.x, b.x, uebertrag);
    return uvec2(unten, a.y + b.y + uebertrag);
}

// RandomGenerator::letter26 of a counter and key added up. The draw's upper
// word is word 3 ^ word 1 of the 128-bit product; word 2 gives only carries.
uint buchstabe(uvec2 x)
{
    const uvec2 y = x ^ auftrag.mix;
    uint h00, l00, h01, l01, h10, l10, h11, l11;
    umulExtended(x.x, y.x, h00, l00);
    umulExtended(x.x, y.y, h01, l01);
    umulExtended(x.y, y.x, h10, l10);
    umulExtended(x.y, y.y, h11, l11);
    uint c1, c2, c3, c4, c5;
    uint wort1 = uaddCarry(h00, l01, c1);
    wort1 = uaddCarry(wort1, l10, c2);
    uint wort2 = uaddCarry(h01, h10, c3);
    wort2 = uaddCarry(wort2, l11, c4);
    uaddCarry(wort2, c1 + c2, c5);
    const uint wort3 = h11 + c3 + c4 + c5;
    return (26u * ((wort3 ^ wort1) >> 8)) >> 24;
}

// Do the letters behind the leading one hold the rest of the pattern?
// Asked for one window in 26.
bool haelt(uvec2 summe)
{
    for (uint k = 1u; k < auftrag.laenge; ++k) {
        summe = plus(summe, auftrag.zurueck);
        if (buchstabe(summe) != muster.buchstabe[k])
            return false;
    }
    return true;
}

void main()
{
    if (gl_LocalInvocationIndex < 26u)
        s_sprung[gl_LocalInvocationIndex] = muster.sprung[gl_LocalInvocationIndex];
    barrier();

    const uint bahn = gl_GlobalInvocationID.x;
    if (bahn >= auftrag.weit / auftrag.jeAufruf + uint(auftrag.weit % auftrag.jeAufruf != 0u))
        return;
    const uint erste = bahn * auftrag.jeAufruf;
    const uint anteil = min(auftrag.jeAufruf, auftrag.weit - erste);
    const uint ende = min(anteil, auftrag.hoechstens);
    const uint vorn = muster.buchstabe[0];
    uint oben, unten;
    umulExtended(bahn, auftrag.aufrufSchritt.x, oben, unten);
    uvec2 summe = plus(auftrag.summe, uvec2(unten, oben + bahn * auftrag.aufrufSchritt.y));
    uint weg = 0u;
    while (weg < ende) {
        const uint x = buchstabe(summe);
        if (x == vorn && haelt(summe)) {
            atomicMin(ergebnis.fund, erste + weg);
            atomicAdd(ergebnis.abgedeckt, anteil);
            return;
        }
        weg += s_sprung[x].stellen;
        summe = plus(summe, s_sprung[x].schritt);
    }
    // Short of the lane's places only where the lane was stopped short.
    atomicAdd(ergebnis.abgedeckt, min(weg, anteil));
}
