// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "plan/plan.h"
#include "plan/writeattempts.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

struct PlanRunOptions
{
    // Each write attempt's wait for its verdict, and the verification's wait.
    int waitMs = 2000;
    // How long the discovery before the checks lasts; -1: waitMs. It lasts
    // that long even when every device of the plan has answered: the address
    // check wants every device on the network. 0: no read query at all, the
    // devices handed to start() are all there is (a window's fresh list).
    int discoveryMs = -1;
    // Writes waiting for their verdict at once.
    int maxInFlight = 32;
    // Resends of a write whose verdict did not come.
    int retries = WriteAttempts::DefaultRetries;
    // Between read queries, while devices of the plan are still missing.
    int repeatMs = 250;
    // Ends after the checks, sending no write (a dry run: each row's check
    // holds what would change). With bare rows, or none, this is a discovery
    // alone, for a plan to be built from the devices found (assign).
    bool checkOnly = false;
};

// What became of a plan row. The first four are on the way; the rest final.
enum class RowStatus {
    Waiting,     // not sent yet
    Sent,        // the write is out, no verdict yet
    Retried,     // sent again (attempts says how often in all)
    SaidUpdated, // the device said updated; its new values not yet seen
    Unchanged,   // the device already reports the planned values: nothing sent
    Updated,     // said updated and reports the planned values
    Refused,     // the device refused (message: the window's refusal message)
    NotVerified, // said updated, but reported other values or did not answer the check
    NoAnswer,    // no verdict after every attempt
    NotFound,    // no device answered for the MAC
    NotSent,     // cancelled before its turn, or another row failed the checks
    CheckFailed, // the row failed the checks (errors): nothing was sent at all
};
bool IsFinal(RowStatus status);
// "waiting", "sent", "retried 2" (resends so far), "said updated", "unchanged",
// "updated", "refused", "not verified", "no answer", "not found", "not sent",
// "check failed". Shown: in the window's language.
QString RowStatusText(RowStatus status, int attempts = 0, Wording wording = Wording::Report);

struct PlanRowState
{
    RowStatus status = RowStatus::Waiting;
    int attempts = 0;  // write queries sent for the row
    QString mac;       // the device's own MAC text once found, else as planned
    QString message;   // why refused or not verified
};

// "38 updated, 1 refused, 1 no answer": the final results, most wanted first,
// in the words of RowStatusText().
QString PlanSummary(const QList<PlanRowState> &rows, Wording wording = Wording::Report);

// Carries out a plan: finds its devices, checks it, sends each row's write
// (as the edit dialog's OK would, a bounded number waiting at once, each
// resent until its verdict comes), then reads the devices again until each
// updated one reports the planned values. A state machine handed the time (in
// ms, from any steady clock) and the answers; it opens no socket and starts
// no timer. After each call the driver sends takeQueries() (each from every
// local address and to every extra destination) and wakes it with advance()
// at nextWakeMs().
class PlanRun final
{
    Q_DISABLE_COPY_MOVE(PlanRun)

public:
    enum class Phase { Idle, Discovering, Sending, Verifying, Finished };
    enum class Cancel {
        SettleInFlight, // writes out wait for their verdicts, then the check runs
        SettleNow,      // what has no verdict is "no answer", what is unchecked "not verified"
    };
    // A flood of made-up MAC addresses must not take all memory.
    static constexpr int MaxDevices = 100000;

    explicit PlanRun(Plan plan, PlanRunOptions options = {});
    ~PlanRun();

    // Devices already known (the window's list) count as found.
    void start(qint64 nowMs, const QList<DeviceSettings> &known = {});
    void takeReadResponse(const ReadResponse &response);
    void takeWriteResponse(const WriteResponse &response, qint64 nowMs);
    // Either response as received; any other text is ignored.
    void takeAnswer(const QString &text, qint64 nowMs);
    void advance(qint64 nowMs);
    // Sends nothing new from now on: no write, no resend. Rows not sent yet
    // are "not sent".
    void cancel(qint64 nowMs, Cancel how);
    // The driver could not send `unsent`, queries taken from the run, and can
    // send nothing more: a write among them counts as never made (a first one
    // leaves its row "not sent" with no attempt, a resend is not counted),
    // then the run ends as cancel(SettleNow) ends it.
    void sendFailed(qint64 nowMs, const QStringList &unsent);

    // The queries to send now, in order; taking them empties the list.
    QStringList takeQueries();
    // When advance() next has something to do; -1 when nothing.
    qint64 nextWakeMs() const;

    Phase phase() const { return m_phase; }
    bool finished() const { return m_phase == Phase::Finished; }
    bool cancelled() const { return m_cancelled; }
    // A row per plan row; filled once the discovery has ended.
    const PlanCheck &check() const { return m_check; }
    bool checksFailed() const { return m_check.failed(); }
    const Plan &plan() const { return m_plan; }
    const QList<DeviceSettings> &devices() const { return m_devices; }

    const QList<PlanRowState> &rows() const { return m_rows; }
    // True when a row of the plan is for the device of this MAC text (once
    // the discovery has found it).
    bool hasRowFor(const QString &deviceMac) const { return m_rowByDeviceMac.contains(deviceMac); }
    // The rows whose state changed since the last call, each once, in order
    // of their first change.
    QList<int> takeChangedRows();
    // For "n of m done".
    int doneCount() const { return m_done; }
    int rowCount() const { return int(m_rows.size()); }

private:
    struct Flight;

    void setStatus(int row, RowStatus status, const QString &message = QString());
    void takeDevice(const DeviceSettings &device);
    void sendReadQuery(qint64 nowMs);
    void endDiscovery(qint64 nowMs);
    void fillFlights(qint64 nowMs);
    void settleFlight(int flight);
    void afterSending(qint64 nowMs);
    void verify(int row);
    // uncheckedWhy: what a row that said updated is not verified for; empty:
    // it did not answer the check.
    void finish(const QString &uncheckedWhy = QString());
    bool readsWanted() const;

    Plan m_plan;
    PlanRunOptions m_options;
    Phase m_phase = Phase::Idle;
    bool m_cancelled = false;
    QList<DeviceSettings> m_devices;
    QHash<QString, int> m_deviceByMac;
    QSet<QString> m_missing; // MAC keys of plan rows no device answered for yet
    PlanCheck m_check;
    QList<PlanRowState> m_rows;
    std::vector<bool> m_changedFlag;
    QList<int> m_changed;
    int m_done = 0;
    QStringList m_queries;

    qint64 m_phaseEnd = -1;
    qint64 m_nextRead = -1;
    QList<int> m_queue;           // rows to send, in plan order
    qsizetype m_queued = 0;       // how many of them have gone
    std::vector<std::unique_ptr<Flight>> m_flights;
    QHash<QString, int> m_rowByDeviceMac; // rows found, by the device's MAC text
    int m_unverified = 0;
};
