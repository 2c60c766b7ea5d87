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
