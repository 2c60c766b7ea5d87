#include "writebehind.h"

WriteBehind::~WriteBehind()
{
    {
        std::lock_guard lock(m_mutex);
        m_ending = true;
    }
    m_changed.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

char *WriteBehind::handOver(char *buffer, qsizetype size)
{
    std::unique_lock lock(m_mutex);
    rethrowFailure();
    m_queued.emplace_back(buffer, size);
    if (!m_thread.joinable())
        m_thread = std::thread(&WriteBehind::run, this);
    m_changed.notify_all();
    m_changed.wait(lock, [this] { return !m_spare.empty() || m_failure; });
    rethrowFailure();
    char *spare = m_spare.front();
    m_spare.pop_front();
    return spare;
}

void WriteBehind::addSpare(char *buffer)
{
    std::lock_guard lock(m_mutex);
    m_spare.push_back(buffer);
}

void WriteBehind::drain()
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return (m_queued.empty() && !m_writing) || m_failure; });
    rethrowFailure();
}

void WriteBehind::rethrowFailure()
{
    if (m_failure)
        std::rethrow_exception(m_failure);
}

void WriteBehind::run()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        // Whatever is queued is written before the end, so that a close
        // loses nothing that was handed over.
        m_changed.wait(lock, [this] { return !m_queued.empty() || m_ending; });
        if (m_queued.empty())
            return;
        const auto [buffer, size] = m_queued.front();
        m_queued.pop_front();
        m_writing = true;
        lock.unlock();
        std::exception_ptr failure;
        try {
            m_write(buffer, size);
        } catch (...) {
            failure = std::current_exception();
        }
        lock.lock();
        m_writing = false;
        m_spare.push_back(buffer);
        if (failure) {
            // Nothing after a failed write may reach the file.
            m_failure = failure;
            for (const auto &queued : m_queued)
                m_spare.push_back(queued.first);
            m_queued.clear();
        }
        m_changed.notify_all();
        if (failure)
            return;
    }
}
