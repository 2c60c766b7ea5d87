#include "ganzschreiber.h"

#include <cerrno>
#include <cstring>

#include <unistd.h>

int Ganzschreiber::schreiben(const char *data, qsizetype size) noexcept
{
    qsizetype written = 0;
    while (written < size) {
        const ssize_t result = ::pwrite(m_fd, data + written, size_t(size - written), m_size + written);
        if (result >= 0) {
            written += result;
            continue;
        }
        const int error = errno;
        if (error == EINTR)
            continue;
        m_size += ganze(data, written);
        // Where the cut fails, the next write still starts at the last
        // whole unit, over the part; the error is reported either way.
        [[maybe_unused]] const int cut = ::ftruncate(m_fd, m_size);
        return error;
    }
    m_size += size;
    return 0;
}

qsizetype Ganzschreiber::ganze(const char *data, qsizetype written) const noexcept
{
    if (m_groesse != Zeilen)
        return written / m_groesse * m_groesse;
    const void *lastEnd = ::memrchr(data, '\n', size_t(written));
    return lastEnd ? static_cast<const char *>(lastEnd) - data + 1 : 0;
}
