// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QEvent>
#include <QString>

#include <atomic>

// One received datagram's text, posted by the receiver thread to its owner.
class DeviceResponseEvent final : public QEvent
{
public:
    static constexpr int TypeNumber = 12345;
    static QEvent::Type eventType();

    // The most answers that wait to be handled at one time, whatever the
    // kernel's queue holds. Beyond it the receiver leaves datagrams to the
    // socket's buffer, which drops what does not fit, so a flood can neither
    // fill the memory with queued answers nor hold the GUI thread in one
    // endless batch. Far above the answers of the largest network to one
    // discovery.
    static constexpr int MaxWaiting = 20000;

    explicit DeviceResponseEvent(QString text)
        : QEvent(eventType()), m_text(std::move(text))
    {
        s_alive.fetch_add(1);
    }
    ~DeviceResponseEvent() override
    {
        if (s_alive.fetch_sub(1) - 1 < s_wakeBelow.load())
            wakeWaiting();
    }

    // A copy would be counted out without being counted in.
    DeviceResponseEvent(const DeviceResponseEvent &) = delete;
    DeviceResponseEvent &operator=(const DeviceResponseEvent &) = delete;

    const QString &text() const { return m_text; }

    // Answers made and not yet handled and destroyed, in any thread: what
    // the receiver has handed over and the GUI thread has still to go through.
    static int alive() { return s_alive.load(); }
    // Returns once fewer than `count` are alive, or after timeoutMs.
    static void waitUntilFewerAlive(int count, int timeoutMs);

private:
    static void wakeWaiting();

    QString m_text;
    static inline std::atomic<int> s_alive{0};
    static inline std::atomic<int> s_wakeBelow{0};
};
