#pragma once

#include <QtGlobal>

#include <csignal>

#include <sys/resource.h>

// While it stands, no file of the process grows past size bytes: a write
// that would fails part way, then with EFBIG, as on a disk that another
// program fills, and the signal that would end the test is ignored.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(qint64 size)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_unlimited);
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limited{rlim_t(size), m_unlimited.rlim_max};
        m_set = ::setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit() { lift(); }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

    bool isSet() const { return m_set; }
    void lift()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_unlimited);
        std::signal(SIGXFSZ, SIG_DFL);
        m_set = false;
    }

private:
    rlimit m_unlimited{};
    bool m_set = false;
};
