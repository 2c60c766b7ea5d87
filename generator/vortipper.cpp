#include "vortipper.h"

#include "auskunft.h"
#include "logzeile.h"
#include "tipper.h"

#include <pthread.h>
#include <sched.h>

Vortipper::Vortipper(TimerRandom::Draws random, Abgleich::Schritt step)
    : m_random(random), m_step(step), m_letters(std::make_unique_for_overwrite<char[]>(Blocks * BlockLetters * 3))
{
    for (int i = 0; i < Blocks; ++i)
        m_blocks[i].letters = m_letters.get() + i * BlockLetters * 3;
    m_thread = std::thread(&Vortipper::run, this);
}

Vortipper::~Vortipper()
{
    {
        std::lock_guard lock(m_mutex);
        m_ending = true;
    }
    m_roomFreed.notify_one();
    m_thread.join();
}

const Vortipper::Block *Vortipper::ready()
{
    std::lock_guard lock(m_mutex);
    return m_taken < m_typed ? &m_blocks[m_taken % Blocks] : nullptr;
}

void Vortipper::taken()
{
    {
        std::lock_guard lock(m_mutex);
        ++m_taken;
    }
    m_roomFreed.notify_one();
}

Vortipper::Uebernahme Vortipper::folgen(const Block &block, Abgleich::Schritt step, uint32_t state, uint32_t found,
                                         uint32_t closest)
{
    Uebernahme u{0, state, closest};
    const auto mark = [&u](uint32_t reached, int i) {
        if (reached > u.hoechster)
            u.hoechster = reached, u.hoechsterBei = i;
    };
    const Vorschau &vorschau = block.vorschau;
    bool met = false;
    int &i = u.genommen;
    for (; i < BlockLetters && u.zustand != found && !met; ++i) {
        mark(u.zustand = step(u.zustand, char16_t(block.letters[3 * i])), i);
        met = i < Vorschau::Anfang && u.zustand == vorschau.zustaende[i];
    }
    if (!met || u.zustand == found)
        return u;
    // The closest match first ends where a state first rises above it, and
    // the target is found where the state is its highest.
    for (; i < Vorschau::Anfang && u.zustand != found; ++i)
        mark(u.zustand = vorschau.zustaende[i], i);
    if (u.zustand == found)
        return u;
    mark(vorschau.hoechster, int(vorschau.hoechsterBei));
    u.zustand = vorschau.hoechster == found ? found : vorschau.ende;
    i = u.zustand == found ? int(vorschau.hoechsterBei) + 1 : BlockLetters;
    return u;
}

void Vortipper::run()
{
    // Only what no one else wants of the processor: the writing of the log,
    // the window and the user's other programs go first.
    const sched_param idle{};
    pthread_setschedparam(pthread_self(), SCHED_IDLE, &idle);
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_roomFreed.wait(lock, [this] { return m_ending || m_typed - m_taken < Blocks; });
        if (m_ending)
            return;
        Block &block = m_blocks[m_typed % Blocks];
        lock.unlock();
        tippen(m_random, m_step, block);
        lock.lock();
        ++m_typed;
    }
}

void Vortipper::tippen(TimerRandom::Draws &random, Abgleich::Schritt step, Block &block)
{
    static_assert(BlockLetters % Tipper::Schub == 0);
    static_assert(BlockLetters == Auskunft::BlockDesZweiten, "the tooltip reckons the record's entries by the block");
    block.strecken.clear();
    RandomGenerator &g = random.generator();
    uint32_t state = step.zustand(0), highest = state, highestAt = 0;
    for (uint32_t i = 0; i != BlockLetters;) {
        // A look at the clock a batch at a time; a new reading, folded into
        // the key, starts a stretch.
        const quint64 reading = random.timer();
        random.randomize();
        if (i == 0 || random.timer() != reading)
            block.strecken.push_back({i, g.key(), g.counter(), 0});
        for (const uint32_t ende = i + uint32_t(Tipper::Schub); i != ende; ++i) {
            const char letter = char('A' + g.nextLetter26());
            Logzeile::schreiben(block.letters + Logzeile::Laenge * i, letter);
            state = step(state, char16_t(letter));
            if (i < Vorschau::Anfang)
                block.vorschau.zustaende[i] = state;
            else if (Q_UNLIKELY(state > highest))
                highest = state, highestAt = i;
        }
    }
    block.vorschau.ende = state;
    block.vorschau.hoechster = highest;
    block.vorschau.hoechsterBei = highestAt;
}

double Vortipper::zeichenProSekunde(std::chrono::nanoseconds dauer)
{
    TimerRandom::Draws random(nullptr, TimerRandom::freshKey()); // never the run's
    const auto letters = std::make_unique_for_overwrite<char[]>(BlockLetters * Logzeile::Laenge);
    Block block{letters.get(), {}, {}};
    // The run's own matching; the automaton goes on past a full match.
    const Abgleich abgleich(u"ZEICHENFOLGE");
    quint64 getippt = 0;
    const auto anfang = std::chrono::steady_clock::now();
    std::chrono::nanoseconds vergangen{};
    for (; vergangen < dauer; vergangen = std::chrono::steady_clock::now() - anfang) {
        tippen(random, abgleich.schritt(), block);
        getippt += BlockLetters;
    }
    return double(getippt) * 1e9 / double(vergangen.count());
}
