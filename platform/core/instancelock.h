#pragma once

#include <QLockFile>
#include <QString>

// Keeps a second copy of the program off the files of a running one: a lock
// file held while the program runs. The lock of a program that crashed is
// taken over.
class InstanceLock
{
public:
    explicit InstanceLock(const QString &path);
    ~InstanceLock();
    InstanceLock(const InstanceLock &) = delete;
    InstanceLock &operator=(const InstanceLock &) = delete;

    // True only where another running program holds the lock. A lock that
    // cannot be made at all (a read-only folder) keeps nobody from starting:
    // the program's first use of the folder reports what is wrong with it.
    bool isHeldElsewhere() const { return m_heldElsewhere; }

    // Removes the lock file as the program ends, whichever way it ends.
    static void releaseOnEnd() noexcept;

private:
    QLockFile m_lock;
    bool m_heldElsewhere = false;
};
