#pragma once

#include "net/devicetexts.h"
#include "net/messages.h"

#include <QByteArray>
#include <QHash>

#include <functional>
#include <optional>

// One device as the window's table would show it after the answers so far.
struct DeviceEntry
{
    DeviceTexts texts;
    quint32 from = 0;   // where its latest answer came from (IPv4, host order)
    QByteArray answer;  // that answer's bytes, to recognise a repetition cheaply
};

// Collects the devices' answers on UDP port 2851 for one run of zolctl: read
// responses into one entry per MAC address, write responses for one device
// into its verdict.
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

    const QHash<QString, DeviceEntry> &devices() const { return m_devices; }
    bool devicesCapped() const { return m_capped; }

    // From now on, the first success or refusal from this MAC (exact text)
    // is kept as the verdict; other status words are ignored.
    void expectVerdictFrom(const QString &mac);
    const std::optional<WriteResponse> &verdict() const { return m_verdict; }

private:
    // Reads what the socket holds, a bounded number of datagrams at the most;
    // false once it is empty.
    bool takeQueued();
    void takeDatagram(const char *data, qsizetype length, quint32 from);
    void takeReadResponse(const QByteArray &bytes, const QString &text, quint32 from);
    void takeWriteResponse(const QString &text);

    int m_socket = -1;
    QHash<QString, DeviceEntry> m_devices;
    // Each device's latest read response, byte for byte, to its MAC text: a
    // device heard through two adapters, or answering again, repeats itself
    // word for word, and then only where it came from may be new.
    QHash<QByteArray, QString> m_macOfAnswer;
    bool m_capped = false;
    QString m_verdictMac;
    std::optional<WriteResponse> m_verdict;
};
