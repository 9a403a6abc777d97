// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "net/deviceresponseevent.h"

#include <QObject>

#include <deque>
#include <memory>

// Holds back the device answers posted to one window while the modify flow
// runs without returning to the event loop (it only lets the progress dialog
// get exposed), and hands them over afterwards in arrival order, from the
// event loop.
class ResponseHoldBack final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ResponseHoldBack)

public:
    // Becomes a child and an event filter of target.
    explicit ResponseHoldBack(QObject *target);

    void hold();
    // Ends the hold: once the event loop runs again the held answers are
    // handed over one per turn, and answers arriving until the last of them
    // is through queue up behind them.
    void release();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void customEvent(QEvent *event) override;

private:
    void postDeliverNext();
    void deliverNext();

    QObject *m_target;
    bool m_holding = false;
    bool m_flowRunning = false;
    const QEvent *m_passing = nullptr;
    std::deque<std::unique_ptr<DeviceResponseEvent>> m_held;
};
