#pragma once

#include <QtGlobal>

#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <utility>

// Writes full buffers on a thread of its own, in the order they come, so
// that whoever fills them goes on while the kernel copies the last one.
// The thread starts with the first buffer and ends with this object. The
// first failure stops the writing and comes back from the next call.
class WriteBehind
{
public:
    // Writes all of a buffer or throws; runs on the writing thread.
    using Write = std::function<void(const char *data, qsizetype size)>;

    explicit WriteBehind(Write write) : m_write(std::move(write)) {}
    // Waits for what is on its way; a failure is no longer anybody's news.
    ~WriteBehind();
    WriteBehind(const WriteBehind &) = delete;
    WriteBehind &operator=(const WriteBehind &) = delete;

    // Queues the first size bytes of buffer, which stays untouched until a
    // later handOver returns it; returns a buffer that is free, waiting
    // while all of the spare ones are on their way.
    char *handOver(char *buffer, qsizetype size);
    // Gives a buffer that handOver may return.
    void addSpare(char *buffer);
    // Returns once every buffer handed over is written; rethrows a failure.
    void drain();

private:
    void run();
    void rethrowFailure();

    const Write m_write;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::pair<char *, qsizetype>> m_queued;
    std::deque<char *> m_spare;
    bool m_writing = false;
    bool m_ending = false;
    std::exception_ptr m_failure;
    std::thread m_thread;
};
