#include "vortipper.h"

#include <pthread.h>
#include <sched.h>

Vortipper::Vortipper(Typing typing)
    : m_typing(std::move(typing)), m_letters(std::make_unique_for_overwrite<char[]>(Blocks * BlockLetters * 3))
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
        block.strecken.clear();
        m_typing(block);
        lock.lock();
        ++m_typed;
    }
}
