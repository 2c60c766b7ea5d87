#pragma once

// The bare work of a letter in a loop of its own, with none of the
// program's structure: read the clock, fold the reading into the
// generator and step it, make a letter of 24 random bits, put it and CR LF
// into a 1 MiB buffer written out with write(), and follow the target's
// matching automaton as the run does. What a run could do at most on this machine.
namespace Limit {

// The letters such a loop makes in the given time, writing to the file.
long long bareLetters(const char *path, const char *target, int milliseconds);

} // namespace Limit
