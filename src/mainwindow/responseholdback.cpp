// SPDX-License-Identifier: Apache-2.0
#include "mainwindow/responseholdback.h"

#include "net/deviceresponseevent.h"

#include <QCoreApplication>

namespace {

// The posted event type that tells the hold-back to hand over its next answer.
QEvent::Type deliverNextEventType()
{
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

} // namespace

ResponseHoldBack::ResponseHoldBack(QObject *target)
    : QObject(target), m_target(target)
{
    target->installEventFilter(this);
}

void ResponseHoldBack::hold()
{
    m_holding = true;
    m_flowRunning = true;
}

void ResponseHoldBack::release()
{
    m_flowRunning = false;
    // Posted, not delivered here: answers already waiting in the queue reach
    // the filter first and keep their place behind those held so far.
    postDeliverNext();
}

void ResponseHoldBack::postDeliverNext()
{
    QCoreApplication::postEvent(this, new QEvent(deliverNextEventType()));
}

bool ResponseHoldBack::eventFilter(QObject *watched, QEvent *event)
{
    if (m_holding && watched == m_target && event != m_passing
        && event->type() == DeviceResponseEvent::eventType()) {
        // Kept as an answer event, so that it still counts as waiting: the
        // receiver then bounds held answers as it bounds queued ones.
        m_held.push_back(std::make_unique<DeviceResponseEvent>(static_cast<DeviceResponseEvent *>(event)->text()));
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void ResponseHoldBack::customEvent(QEvent *event)
{
    if (event->type() == deliverNextEventType())
        deliverNext();
}

void ResponseHoldBack::deliverNext()
{
    // A later flow started before the held answers were all handed over: its
    // own release carries on.
    if (m_flowRunning || !m_holding)
        return;
    if (m_held.empty()) {
        m_holding = false;
        return;
    }
    // One answer per turn of the event loop, as if it had waited in the
    // queue, and holding goes on meanwhile so that newer answers queue up
    // behind the held ones. The next turn is posted before this answer is
    // handled: a message box opened by it runs its own loop, which then goes
    // on with the answers after it.
    const std::unique_ptr<DeviceResponseEvent> answer = std::move(m_held.front());
    m_held.pop_front();
    postDeliverNext();
    const QEvent *outer = m_passing;
    m_passing = answer.get();
    QCoreApplication::sendEvent(m_target, answer.get());
    m_passing = outer;
}
