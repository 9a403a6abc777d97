// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "net/messages.h"

#include <QString>

#include <functional>

// One write waiting for its device's verdict. When none has come within the
// wait, the write goes out again as a new query (a write tells the device
// absolute values, so a resend after a lost verdict does no harm), up to a
// number of resends. The first success or refusal from the device's MAC
// (exact text) is the verdict; other status words are ignored. Handed the
// time; it sends nothing itself, it says what to send.
class WriteAttempts
{
public:
    enum class State { Idle, Waiting, Accepted, Refused, NoAnswer };
    // Builds the query of each attempt by its own sequence rule, such as
    // NextWriteQuery() for OK's write or RenewLeaseQuery().
    using MakeQuery = std::function<QString()>;

    static constexpr int DefaultRetries = 3;

    WriteAttempts(QString mac, MakeQuery makeQuery, int waitMs, int retries = DefaultRetries);

    // The first attempt's query, to be sent now.
    QString start(qint64 nowMs);
    // Once the wait of an attempt has ended without a verdict: the next
    // attempt's query to send now, or, after the last one, an empty text and
    // the state NoAnswer. An empty text too while there is nothing to do.
    QString advance(qint64 nowMs);
    // True when the answer settles the write.
    bool take(const WriteResponse &response);
    // No further attempts: the one under way still waits for its verdict
    // until its wait ends.
    void stopRetrying() { m_retriesLeft = 0; }

    State state() const { return m_state; }
    bool settled() const { return m_state != State::Idle && m_state != State::Waiting; }
    // Queries sent so far (2 after one resend).
    int attempts() const { return m_attempts; }
    // The verdict's status word (Accepted or Refused).
    const QString &status() const { return m_status; }
    // When advance() next has something to do; -1 when settled or not started.
    qint64 deadline() const { return m_state == State::Waiting ? m_deadline : -1; }

private:
    QString m_mac;
    MakeQuery m_makeQuery;
    int m_waitMs;
    int m_retriesLeft;
    State m_state = State::Idle;
    int m_attempts = 0;
    qint64 m_deadline = -1;
    QString m_status;
};
