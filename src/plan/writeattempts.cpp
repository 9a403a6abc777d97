// SPDX-License-Identifier: Apache-2.0
#include "plan/writeattempts.h"

#include <utility>

WriteAttempts::WriteAttempts(QString mac, MakeQuery makeQuery, int waitMs, int retries)
    : m_mac(std::move(mac)), m_makeQuery(std::move(makeQuery)), m_waitMs(waitMs), m_retriesLeft(retries)
{
}

QString WriteAttempts::start(qint64 nowMs)
{
    if (m_state != State::Idle)
        return QString();
    m_state = State::Waiting;
    m_attempts = 1;
    m_deadline = nowMs + m_waitMs;
    return m_makeQuery();
}

QString WriteAttempts::advance(qint64 nowMs)
{
    if (m_state != State::Waiting || nowMs < m_deadline)
        return QString();
    if (m_retriesLeft <= 0) {
        m_state = State::NoAnswer;
        return QString();
    }
    --m_retriesLeft;
    ++m_attempts;
    m_deadline = nowMs + m_waitMs;
    return m_makeQuery();
}

bool WriteAttempts::take(const WriteResponse &response)
{
    if (m_state != State::Waiting || response.mac != m_mac)
        return false;
    if (IsWriteAccepted(response))
        m_state = State::Accepted;
    else if (response.hasStatus && !WriteRefusalMessage(response.status).isEmpty())
        m_state = State::Refused;
    else
        return false;
    m_status = response.status;
    return true;
}
