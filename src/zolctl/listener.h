// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "net/devicetexts.h"
#include "net/messages.h"
#include "net/responsesocket.h"

#include <QByteArray>
#include <QHash>
#include <QLatin1String>
#include <QList>

#include <cstring>
#include <functional>
#include <optional>
#include <utility>

// One device heard during the run: its latest read response as received.
// Its texts are made from it when they are wanted, so that answers coming in
// cost no more than their reading.
struct DeviceEntry
{
    QByteArray answer;     // the response's text (Latin-1, at most 512 bytes)
    quint16 macAt = 0;     // where its MAC address text is in it
    quint16 macSize = 0;
    quint32 from = 0;      // where the response came from (IPv4, host order)

    QLatin1String mac() const { return QLatin1String(answer.constData() + macAt, macSize); }
    // What the window's table shows for the device.
    DeviceTexts texts() const;
};
// Moved as bytes: a growing list is enlarged in place, its pages not copied.
Q_DECLARE_TYPEINFO(DeviceEntry, Q_RELOCATABLE_TYPE);

// Collects the devices' answers on UDP port 2851 for one run of zolctl: read
// responses into one entry per MAC address; each answer that is news can be
// handed on as it arrives, for a caller to act on at once.
class Listener final
{
    Q_DISABLE_COPY_MOVE(Listener)

public:
    // A flood of made-up MAC addresses must not take all memory; far above
    // any real network's devices.
    static constexpr int MaxDevices = 100000;
    // After the wait, answers that arrived in time are still taken from the
    // socket's queue, for at most MaxDrainMs (a flood would never end it).
    static constexpr qint64 MaxDrainMs = 500;

    Listener();
    ~Listener();

    // False when port 2851 could not be had (nothing will arrive).
    bool isBound() const { return m_socket >= 0; }

    // Handles answers until `done` holds or waitMs have passed; true when
    // `done` held.
    bool listen(int waitMs, const std::function<bool()> &done = {});

    // In the order first heard.
    const QList<DeviceEntry> &devices() const { return m_devices; }
    qsizetype deviceCount() const { return m_devices.size(); }
    // The device whose MAC text is exactly `mac`, if one answered.
    std::optional<DeviceEntry> device(const QString &mac) const;
    bool devicesCapped() const { return m_capped; }

    // Called during listen() for each read response taken, repeated word for
    // word or not, with the device's entry as it now stands: copy what is
    // kept. An empty function, the default, costs the answers nothing.
    using DeviceHandler = std::function<void(const DeviceEntry &)>;
    void setDeviceHandler(DeviceHandler handler) { m_onDevice = std::move(handler); }
    // Called during listen() for every write response, whatever its MAC or
    // status word.
    using WriteHandler = std::function<void(const WriteResponse &)>;
    void setWriteHandler(WriteHandler handler) { m_onWrite = std::move(handler); }

    // Bytes inside a kept answer, looked up without copying them. The hash
    // is taken once: looking keys up and growing the table then compare
    // hashes, not the bytes elsewhere in memory.
    struct TextKey
    {
        TextKey(const char *data, qsizetype size);
        const char *data;
        quint32 size;
        quint32 hash;
        friend bool operator==(const TextKey &a, const TextKey &b)
        {
            return a.hash == b.hash && a.size == b.size && (a.size == 0 || std::memcmp(a.data, b.data, a.size) == 0);
        }
    };

private:
    // Batches read at the most before the caller looks at its deadline and
    // condition again.
    static constexpr int MaxBatchesPerTurn = 16;
    // The pause after answers came in before the queue is read again.
    static constexpr qint64 BusyPauseNs = 1000000;

    // Reads what the socket holds, a bounded number of datagrams at the most,
    // adding their count to *taken; false once it is empty.
    bool takeQueued(int *taken);
    void takeDatagram(QByteArrayView answer, quint32 from);
    void takeReadResponse(QByteArrayView answer, QByteArrayView mac, quint32 from);

    int m_socket = -1;
    ResponseSocket::Batch m_batch;
    QList<DeviceEntry> m_devices;
    // Indexes into m_devices by MAC text; the keys point into the entries'
    // answers.
    QHash<TextKey, qsizetype> m_byMac;
    bool m_capped = false;
    DeviceHandler m_onDevice;
    WriteHandler m_onWrite;
};

// The hash the key was made with (from Qt's random seed).
inline size_t qHash(const Listener::TextKey &key, size_t = 0) noexcept
{
    return key.hash;
}
