#include "instancelock.h"

namespace {

QLockFile *s_held = nullptr;

} // namespace

InstanceLock::InstanceLock(const QString &path) : m_lock(path)
{
    // Only a dead holder makes a lock stale, however old it is.
    m_lock.setStaleLockTime(0);
    if (m_lock.tryLock(0))
        s_held = &m_lock;
    else
        m_heldElsewhere = m_lock.error() == QLockFile::LockFailedError;
}

InstanceLock::~InstanceLock()
{
    if (s_held == &m_lock)
        s_held = nullptr;
}

void InstanceLock::releaseOnEnd() noexcept
{
    if (s_held)
        s_held->unlock();
    s_held = nullptr;
}
