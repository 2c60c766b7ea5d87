#pragma once

// The bare work of a letter in a loop of its own, with none of the
// program's structure: read the clock, fold the reading into the
// generator where it changed and step it, make a letter of 24 random bits,
// put it and CR LF into the log's buffer, which is written behind the
// loop's back as the run's is, and follow the target's matching automaton
// as the run does. What a run could do at most on this machine.
namespace Limit {

// The letters such a loop makes in the given time, writing to the file.
long long bareLetters(const char *path, const char *target, int milliseconds);

// The floor of a letter that has a clock reading of its own: the loop reads
// the clock as the run does and puts 3 bytes a reading into a 1 MiB buffer
// written to the file, and nothing else.
long long clockFloor(const char *path, int milliseconds);

// The floor of a letter that writes nothing: the loop only reads the clock
// as the run does.
long long clockOnly(int milliseconds);

// Every letter of one key computed in turn, with one step of the target's
// automaton each, on one core and with no clock: what a run that looked at
// every letter would do at most.
long long letterAll(const char *target, int milliseconds);

} // namespace Limit
