// SPDX-License-Identifier: Apache-2.0
#include "app/instancelock.h"

#include <QDir>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

InstanceLock::InstanceLock() = default;

InstanceLock::~InstanceLock()
{
    // Closing the descriptor drops the claim; a copy that obtained it keeps
    // the object alive until the process ends.
    if (m_fd >= 0)
        ::close(m_fd);
}

QString InstanceLock::lockFilePath()
{
    QString folder = qEnvironmentVariable("ZOL_LOCK_DIR");
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::tempPath();
    return QDir(folder).filePath(QStringLiteral("ZOLConfig.lock"));
}

bool InstanceLock::tryAcquire(int timeoutMs)
{
    if (m_fd < 0) {
        const QByteArray path = QFile::encodeName(lockFilePath());
        m_fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (m_fd < 0) {
            // Without a lock file there is nothing to share with another
            // copy; refusing to start would lock the user out for good.
            qWarning("Single-instance lock unavailable: %s", qPrintable(QString::fromLocal8Bit(path)));
            return true;
        }
    }
    QElapsedTimer timer;
    timer.start();
    for (;;) {
        if (::flock(m_fd, LOCK_EX | LOCK_NB) == 0)
            return true;
        if (errno != EWOULDBLOCK && errno != EINTR)
            return true;
        if (timer.elapsed() >= timeoutMs)
            return false;
        QThread::msleep(10);
    }
}
