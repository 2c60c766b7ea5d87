#include "vortipper.h"

#include <pthread.h>
#include <sched.h>

Vortipper::Vortipper(Typing typing)
    : m_typing(std::move(typing)), m_blocks(std::make_unique_for_overwrite<char[]>(Blocks * BlockLetters * 3))
{
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

Vortipper::Block Vortipper::ready()
{
    std::lock_guard lock(m_mutex);
    if (m_taken == m_typed)
        return {nullptr, nullptr};
    return {m_blocks.get() + (m_taken % Blocks) * BlockLetters * 3, &m_strecken[m_taken % Blocks]};
}

void Vortipper::taken()
{
    {
        std::lock_guard lock(m_mutex);
        ++m_taken;
    }
    m_roomFreed.notify_one();
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
        char *const block = m_blocks.get() + (m_typed % Blocks) * BlockLetters * 3;
        std::vector<Aufzeichnung::Strecke> &strecken = m_strecken[m_typed % Blocks];
        lock.unlock();
        strecken.clear();
        m_typing(block, strecken);
        lock.lock();
        ++m_typed;
    }
}
