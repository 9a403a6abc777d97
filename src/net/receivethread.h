// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QThread>

#include <atomic>

// Listens on UDP 0.0.0.0:2851 (bound when the object is made, so nothing sent
// before the thread runs is lost) and posts one DeviceResponseEvent per datagram
// to its owner, in arrival order. It neither answers nor filters.
class ReceiveThread final : public QThread
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ReceiveThread)

public:
    explicit ReceiveThread(QObject *owner);

    // False when port 2851 could not be had; the thread then ends at once
    // after emitting bindFailed().
    bool isBound() const { return m_socket.load() >= 0; }
    // Asks the loop to stop and waits for it (about 2 s at the most).
    ~ReceiveThread() override;

signals:
    // Emitted from the thread when it starts without a socket, so that the
    // owner can tell the user (connected to an object of the GUI thread, it
    // arrives there).
    void bindFailed();

protected:
    void run() override;

private:
    QObject *owner;
    std::atomic<bool> stopRequested{false};
    std::atomic<int> m_socket{-1};
};
