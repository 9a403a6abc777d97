// SPDX-License-Identifier: Apache-2.0
#include "zolctl/listener.h"

#include <QDeadlineTimer>

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <cstring>

Listener::Listener()
    : m_socket(ResponseSocket::open())
{
}

Listener::~Listener()
{
    if (m_socket >= 0)
        ::close(m_socket);
}

bool Listener::listen(int waitMs, const std::function<bool()> &done)
{
    if (m_socket < 0)
        return done && done();
    // The socket is read on this thread, in batches: no hand-over between
    // threads. Once answers come in, a short pause between batches lets the
    // next ones gather in the socket's queue: during a burst, waking up for
    // every answer would cost more than reading it.
    const QDeadlineTimer deadline(waitMs, Qt::PreciseTimer);
    for (;;) {
        int taken = 0;
        const bool more = takeQueued(&taken);
        if (done && done())
            return true;
        if (deadline.hasExpired())
            break;
        if (more)
            continue;
        // Rounded up: a wait that ends early would only spin.
        const qint64 remainingNs = deadline.remainingTimeNSecs();
        if (taken > 0) {
            const timespec pause{0, static_cast<long>(qMin(BusyPauseNs, remainingNs))};
            ::nanosleep(&pause, nullptr);
        } else {
            pollfd p{m_socket, POLLIN, 0};
            ::poll(&p, 1, static_cast<int>((remainingNs + 999999) / 1000000));
        }
    }
    // What is queued now arrived in time.
    const QDeadlineTimer drain(MaxDrainMs);
    int taken = 0;
    while (takeQueued(&taken) && !drain.hasExpired()) {
        if (done && done())
            return true;
    }
    return done && done();
}

bool Listener::takeQueued(int *taken)
{
    for (int batch = 0; batch < MaxBatchesPerTurn; ++batch) {
        const int received = m_batch.receive(m_socket);
        if (received < 0)
            return errno == EINTR;
        *taken += received;
        for (int i = 0; i < received; ++i)
            takeDatagram(m_batch.text(i), m_batch.source(i));
        if (received < ResponseSocket::Batch::Size)
            return false;
    }
    return true;
}

DeviceTexts DeviceEntry::texts() const
{
    ReadResponse response;
    ParseReadResponse(QString::fromLatin1(answer), &response);
    return DeviceDisplayTexts(response);
}

Listener::TextKey::TextKey(const char *data, qsizetype size)
    : data(data), size(quint32(size))
{
    // Qt's own hash of bytes was the larger part of looking up a device.
    // This multiply-and-mix hash is several times faster; starting from
    // Qt's random seed, it makes MACs that collide hard to choose in advance
    // (and MaxDevices bounds what a flood can cost).
    constexpr quint64 Multiplier = 0x9e3779b97f4a7c15ULL;
    quint64 h = quint64(QHashSeed::globalSeed()) ^ (quint64(size) * Multiplier);
    qsizetype i = 0;
    for (; i + 8 <= size; i += 8) {
        quint64 word;
        std::memcpy(&word, data + i, 8);
        h = (h ^ word) * Multiplier;
        h ^= h >> 29;
    }
    quint64 tail = 0;
    if (i < size)
        std::memcpy(&tail, data + i, size_t(size - i));
    h = (h ^ tail) * Multiplier;
    hash = quint32(h >> 32) ^ quint32(h);
}

std::optional<DeviceEntry> Listener::device(const QString &mac) const
{
    const QByteArray bytes = mac.toLatin1();
    // A character beyond Latin-1 can't be in a received text.
    if (QString::fromLatin1(bytes) != mac)
        return std::nullopt;
    const auto found = m_byMac.constFind(TextKey(bytes.constData(), bytes.size()));
    if (found == m_byMac.cend())
        return std::nullopt;
    return m_devices[*found];
}

void Listener::takeDatagram(QByteArrayView answer, quint32 from)
{
    if (answer.size() < 5)
        return;
    // Read in the received bytes: a new read response is decoded only when
    // its texts are wanted, a repeated one never.
    ByteFieldReader reader(answer);
    QByteArrayView keyword;
    reader.nextFieldView(&keyword);
    if (keyword == QByteArrayView(ZolProtocol::ReadResponseKeyword)) {
        // The MAC address is the fifth field, as the full reading finds it.
        QByteArrayView mac;
        for (int field = 1; field < 5; ++field)
            reader.nextFieldView(&mac);
        takeReadResponse(answer, mac, from);
    } else if (m_onWrite && keyword == QByteArrayView(ZolProtocol::WriteResponseKeyword)) {
        WriteResponse response;
        if (ParseWriteResponse(QString::fromLatin1(answer), &response))
            m_onWrite(response);
    }
}

void Listener::takeReadResponse(QByteArrayView answer, QByteArrayView mac, quint32 from)
{
    const auto known = m_byMac.constFind(TextKey(mac.data(), mac.size()));
    qsizetype index;
    if (known == m_byMac.cend()) {
        if (deviceCount() >= MaxDevices) {
            m_capped = true;
            return;
        }
        index = deviceCount();
        m_devices.emplace_back();
    } else {
        index = *known;
        DeviceEntry &device = m_devices[index];
        // The same device heard through two adapters, or answering again,
        // repeats itself word for word: then only where it came from is new.
        if (device.answer == answer) {
            device.from = from;
            if (m_onDevice)
                m_onDevice(device);
            return;
        }
        // Its key points into the answer about to be replaced.
        m_byMac.erase(known);
    }
    DeviceEntry &device = m_devices[index];
    const qsizetype macAt = mac.isEmpty() ? 0 : mac.data() - answer.data();
    device.answer = answer.toByteArray();
    device.macAt = quint16(macAt);
    device.macSize = quint16(mac.size());
    device.from = from;
    m_byMac.insert(TextKey(device.answer.constData() + macAt, mac.size()), index);
    if (m_onDevice)
        m_onDevice(device);
}
