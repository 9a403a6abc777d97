#pragma once

#include "net/devicetexts.h"
#include "net/messages.h"
#include "net/receivethread.h"

#include <QHash>
#include <QObject>

#include <functional>
#include <optional>

// One device as the window's table would show it after the answers so far.
struct DeviceEntry
{
    DeviceTexts texts;
    quint32 from = 0; // where its latest answer came from (IPv4, host order)
    QString answer;   // that answer's text, to recognise a repetition cheaply
};

// Collects the devices' answers on UDP port 2851 for one run of zolctl: read
// responses into one entry per MAC address, write responses for one device
// into its verdict.
class Listener final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Listener)

public:
    // A flood of made-up MAC addresses must not take all memory; far above
    // any real network's devices.
    static constexpr int MaxDevices = 100000;
    // Sleeps between batches of answers: short while answers come in, longer
    // while none do. After the wait, answers already on their way are still
    // taken for at most MaxDrainMs.
    static constexpr qint64 BusyPauseMs = 1;
    static constexpr qint64 IdlePauseMs = 5;
    static constexpr qint64 MaxDrainMs = 500;

    Listener();
    ~Listener() override;

    // False when port 2851 could not be had (nothing will arrive).
    bool isBound() const { return m_receiver.isBound(); }

    // Handles answers until `done` holds or waitMs have passed; true when
    // `done` held.
    bool listen(int waitMs, const std::function<bool()> &done = {});

    const QHash<QString, DeviceEntry> &devices() const { return m_devices; }
    bool devicesCapped() const { return m_capped; }

    // From now on, the first success or refusal from this MAC (exact text)
    // is kept as the verdict; other status words are ignored.
    void expectVerdictFrom(const QString &mac);
    const std::optional<WriteResponse> &verdict() const { return m_verdict; }

protected:
    void customEvent(QEvent *event) override;

private:
    void takeReadResponse(const QString &text, quint32 from);
    void takeWriteResponse(const QString &text);

    QHash<QString, DeviceEntry> m_devices;
    bool m_capped = false;
    QString m_verdictMac;
    std::optional<WriteResponse> m_verdict;
    qint64 m_handled = 0;
    // Last member: it is stopped before anything it posts to is gone.
    ReceiveThread m_receiver;
};
