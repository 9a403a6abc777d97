// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>

// System-wide "one copy only" guard. An exclusive flock() on a file named after
// "ZOLConfig" in the user's runtime directory: the kernel drops it when the
// holder dies, however it dies. The folder can be moved with the environment
// variable ZOL_LOCK_DIR (tests use that).
class InstanceLock final
{
public:
    InstanceLock();
    ~InstanceLock();
    InstanceLock(const InstanceLock &) = delete;
    InstanceLock &operator=(const InstanceLock &) = delete;

    // Waits at most timeoutMs for the claim; true when this process holds it.
    // A claim, once obtained, is kept until the process ends.
    bool tryAcquire(int timeoutMs);

private:
    static QString lockFilePath();

    int m_fd = -1;
};
