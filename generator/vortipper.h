#pragma once

#include "abgleich.h"
#include "strecke.h"
#include "timerrandom.h"

#include <QtGlobal>

#include <cstdint>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// A second typist: types blocks of letters ahead, in the log's format, on
// a thread of its own while the run types on its own. The run takes a
// block where one is ready, follows the target through it and puts it into
// the log in its turn, so that the log, the count and the match read as
// one typist's; a block never taken is dropped. The thread starts with the
// object and ends with it, and sleeps while every block waits to be taken.
class Vortipper
{
public:
    static constexpr int BlockLetters = 1 << 16;
    static constexpr int Blocks = 4;
    // The target followed through a block from the matching automaton's
    // first state: once the run's own state meets it, which takes a few
    // letters, the rest of the block is known without a step a letter.
    struct Vorschau
    {
        static constexpr int Anfang = 64;
        uint32_t zustaende[Anfang]; // after each of the first letters
        uint32_t ende;              // after the last letter
        uint32_t hoechster;         // the highest after the first Anfang letters
        uint32_t hoechsterBei;      // the first letter it follows
    };
    // A block's letters, three bytes each; where in it each stretch of one
    // key begins (erstes counts from the block's first letter); its preview.
    struct Block
    {
        char *letters;
        std::vector<Strecke> strecken;
        Vorschau vorschau;
    };

    // What the run takes of a block, following the target from its own
    // state: letter by letter until that state meets the block's own from
    // the automaton's start, which takes a few letters, then from the
    // preview; up to the whole target where it ends in the block.
    struct Uebernahme
    {
        int genommen;          // letters taken, from the block's first
        uint32_t zustand;      // the run's state after them
        uint32_t hoechster;    // the highest state, where above the run's closest so far
        int hoechsterBei = -1; // the letter it first follows; -1 where none rose above
    };
    static Uebernahme folgen(const Block &block, Abgleich::Schritt step, uint32_t state, uint32_t found,
                             uint32_t closest);

    // Types with a generator of its own, which looks at the clock a batch
    // of letters at a time as the run's does, and follows the target by step.
    Vortipper(TimerRandom::Draws random, Abgleich::Schritt step);
    // Waits for the block being typed, a fraction of a millisecond.
    ~Vortipper();
    Vortipper(const Vortipper &) = delete;
    Vortipper &operator=(const Vortipper &) = delete;

    // Letters a second of such a typist on this machine, its blocks going
    // nowhere, measured for the time given on the calling thread.
    static double zeichenProSekunde(std::chrono::nanoseconds dauer);

    // The oldest block typed and not yet taken, or null; never waits.
    const Block *ready();
    // Gives back the block that ready() returned.
    void taken();

private:
    void run();
    // BlockLetters letters into the block, and the rest of what it says.
    static void tippen(TimerRandom::Draws &random, Abgleich::Schritt step, Block &block);

    TimerRandom::Draws m_random; // the thread's alone
    const Abgleich::Schritt m_step;
    const std::unique_ptr<char[]> m_letters;
    Block m_blocks[Blocks];
    std::mutex m_mutex;
    std::condition_variable m_roomFreed;
    quint64 m_typed = 0;
    quint64 m_taken = 0;
    bool m_ending = false;
    std::thread m_thread;
};
