#pragma once

// Pieces of the tests of the column layout file: its little-endian fields,
// an ordinary user (root ignores folder and file permissions) and a file
// size limit that makes writes fail.

#include <QByteArray>
#include <QtEndian>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

inline QByteArray le32(qint32 value)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian<qint32>(value, bytes.data());
    return bytes;
}

// Acts as the "nobody" user while alive when running as root, so that folder
// and file permissions apply; does nothing for an ordinary user.
class AsOrdinaryUser
{
public:
    AsOrdinaryUser()
    {
        if (::geteuid() == 0)
            m_switched = ::setegid(65534) == 0 && ::seteuid(65534) == 0;
        else
            m_switched = true;
    }
    ~AsOrdinaryUser()
    {
        if (::getuid() == 0) {
            [[maybe_unused]] const int u = ::seteuid(0);
            [[maybe_unused]] const int g = ::setegid(0);
        }
    }
    AsOrdinaryUser(const AsOrdinaryUser &) = delete;
    AsOrdinaryUser &operator=(const AsOrdinaryUser &) = delete;

    bool ok() const { return m_switched; }

private:
    bool m_switched = false;
};

// While alive, a write that would make a file larger than the limit fails
// (SIGXFSZ is ignored, so it fails with EFBIG instead of ending the test).
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        if (::getrlimit(RLIMIT_FSIZE, &m_saved) != 0)
            return;
        m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        m_active = true;
        rlimit small = m_saved;
        small.rlim_cur = bytes;
        m_limited = ::setrlimit(RLIMIT_FSIZE, &small) == 0;
    }
    ~FileSizeLimit()
    {
        if (!m_active)
            return;
        ::setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_previousHandler);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

    bool ok() const { return m_limited; }

private:
    rlimit m_saved{};
    void (*m_previousHandler)(int) = SIG_DFL;
    bool m_active = false;
    bool m_limited = false;
};
