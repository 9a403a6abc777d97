// SPDX-License-Identifier: Apache-2.0
#include "plan/planrun.h"

#include <algorithm>
#include <iterator>
#include <utility>

bool IsFinal(RowStatus status)
{
    switch (status) {
    case RowStatus::Waiting:
    case RowStatus::Sent:
    case RowStatus::Retried:
    case RowStatus::SaidUpdated:
        return false;
    default:
        return true;
    }
}

namespace {

// In the order of RowStatus.
constexpr const char *StatusWords[] = {
    QT_TRANSLATE_NOOP("PlanEngine", "waiting"),      QT_TRANSLATE_NOOP("PlanEngine", "sent"),
    QT_TRANSLATE_NOOP("PlanEngine", "retried %1"),   QT_TRANSLATE_NOOP("PlanEngine", "said updated"),
    QT_TRANSLATE_NOOP("PlanEngine", "unchanged"),    QT_TRANSLATE_NOOP("PlanEngine", "updated"),
    QT_TRANSLATE_NOOP("PlanEngine", "refused"),      QT_TRANSLATE_NOOP("PlanEngine", "not verified"),
    QT_TRANSLATE_NOOP("PlanEngine", "no answer"),    QT_TRANSLATE_NOOP("PlanEngine", "not found"),
    QT_TRANSLATE_NOOP("PlanEngine", "not sent"),     QT_TRANSLATE_NOOP("PlanEngine", "check failed"),
};
static_assert(std::size(StatusWords) == size_t(RowStatus::CheckFailed) + 1);

} // namespace

QString RowStatusText(RowStatus status, int attempts, Wording wording)
{
    const char *word = StatusWords[int(status)];
    QString text = wording == Wording::Report ? QLatin1String(word) : PlanEngine::tr(word);
    if (status == RowStatus::Retried)
        text = text.arg(std::max(1, attempts - 1));
    return text;
}

QString PlanSummary(const QList<PlanRowState> &rows, Wording wording)
{
    static constexpr RowStatus order[] = {RowStatus::Updated,  RowStatus::Unchanged,  RowStatus::Refused,
                                          RowStatus::NotVerified, RowStatus::NoAnswer, RowStatus::NotFound,
                                          RowStatus::NotSent,  RowStatus::CheckFailed};
    QStringList parts;
    for (RowStatus status : order) {
        const auto count = std::count_if(rows.cbegin(), rows.cend(),
                                         [status](const PlanRowState &row) { return row.status == status; });
        if (count)
            parts << QStringLiteral("%1 %2").arg(count).arg(RowStatusText(status, 0, wording));
    }
    return parts.join(QLatin1String(", "));
}

// A row's write waiting for its verdict.
struct PlanRun::Flight
{
    int row;
    WriteAttempts attempts;
    QString query; // the last one handed out
};

PlanRun::PlanRun(Plan plan, PlanRunOptions options)
    : m_plan(std::move(plan)), m_options(options)
{
    if (m_options.discoveryMs < 0)
        m_options.discoveryMs = m_options.waitMs;
    m_options.maxInFlight = std::max(1, m_options.maxInFlight);
    m_options.repeatMs = std::max(1, m_options.repeatMs);
    m_rows.resize(m_plan.size());
    m_check.rows.resize(m_plan.size());
    m_changedFlag.assign(size_t(m_plan.size()), false);
    for (qsizetype i = 0; i < m_plan.size(); ++i) {
        m_rows[i].mac = m_plan[i].mac;
        const QString key = MacKey(m_plan[i].mac);
        if (!key.isEmpty())
            m_missing.insert(key);
    }
}

PlanRun::~PlanRun() = default;

void PlanRun::setStatus(int row, RowStatus status, const QString &message)
{
    PlanRowState &state = m_rows[row];
    if (!IsFinal(state.status) && IsFinal(status))
        ++m_done;
    state.status = status;
    if (!message.isEmpty())
        state.message = message;
    if (!m_changedFlag[size_t(row)]) {
        m_changedFlag[size_t(row)] = true;
        m_changed << row;
    }
}

QList<int> PlanRun::takeChangedRows()
{
    for (int row : std::as_const(m_changed))
        m_changedFlag[size_t(row)] = false;
    return std::exchange(m_changed, {});
}

QStringList PlanRun::takeQueries()
{
    return std::exchange(m_queries, {});
}

void PlanRun::start(qint64 nowMs, const QList<DeviceSettings> &known)
{
    if (m_phase != Phase::Idle)
        return;
    m_phase = Phase::Discovering;
    for (const DeviceSettings &device : known)
        takeDevice(device);
    if (m_options.discoveryMs <= 0) {
        endDiscovery(nowMs);
        return;
    }
    m_phaseEnd = nowMs + m_options.discoveryMs;
    sendReadQuery(nowMs);
}

void PlanRun::takeDevice(const DeviceSettings &device)
{
    if (const auto it = m_deviceByMac.constFind(device.mac); it != m_deviceByMac.cend()) {
        m_devices[*it] = device;
        return;
    }
    if (m_devices.size() >= MaxDevices)
        return;
    m_deviceByMac.insert(device.mac, int(m_devices.size()));
    m_devices << device;
    m_missing.remove(MacKey(device.mac));
}

void PlanRun::sendReadQuery(qint64 nowMs)
{
    m_queries << NextReadQuery();
    m_nextRead = nowMs + m_options.repeatMs;
}

bool PlanRun::readsWanted() const
{
    return m_phase == Phase::Discovering ? !m_missing.isEmpty() : m_unverified > 0;
}

void PlanRun::takeReadResponse(const ReadResponse &response)
{
    if (m_phase == Phase::Discovering) {
        takeDevice(DeviceSettings::fromResponse(response));
    } else if (m_phase == Phase::Verifying) {
        takeDevice(DeviceSettings::fromResponse(response));
        if (const auto it = m_rowByDeviceMac.constFind(response.mac); it != m_rowByDeviceMac.cend())
            verify(*it);
        if (m_unverified == 0)
            finish();
    }
}

void PlanRun::takeWriteResponse(const WriteResponse &response, qint64 nowMs)
{
    if (m_phase != Phase::Sending)
        return;
    const auto row = m_rowByDeviceMac.constFind(response.mac);
    if (row == m_rowByDeviceMac.cend())
        return;
    for (size_t i = 0; i < m_flights.size(); ++i) {
        if (m_flights[i]->row == *row && m_flights[i]->attempts.take(response)) {
            settleFlight(int(i));
            fillFlights(nowMs);
            afterSending(nowMs);
            return;
        }
    }
}

void PlanRun::takeAnswer(const QString &text, qint64 nowMs)
{
    if (ReadResponse read; ParseReadResponse(text, &read))
        takeReadResponse(read);
    else if (WriteResponse write; ParseWriteResponse(text, &write))
        takeWriteResponse(write, nowMs);
}

void PlanRun::advance(qint64 nowMs)
{
    switch (m_phase) {
    case Phase::Discovering:
        if (nowMs >= m_phaseEnd)
            endDiscovery(nowMs);
        else if (!m_missing.isEmpty() && nowMs >= m_nextRead)
            sendReadQuery(nowMs);
        break;
    case Phase::Sending:
        for (size_t i = 0; i < m_flights.size();) {
            Flight &flight = *m_flights[i];
            const QString query = flight.attempts.advance(nowMs);
            if (!query.isEmpty()) {
                m_queries << (flight.query = query);
                m_rows[flight.row].attempts = flight.attempts.attempts();
                setStatus(flight.row, RowStatus::Retried);
            }
            if (flight.attempts.settled())
                settleFlight(int(i));
            else
                ++i;
        }
        fillFlights(nowMs);
        afterSending(nowMs);
        break;
    case Phase::Verifying:
        if (nowMs >= m_phaseEnd)
            finish();
        else if (m_unverified > 0 && nowMs >= m_nextRead)
            sendReadQuery(nowMs);
        break;
    case Phase::Idle:
    case Phase::Finished:
        break;
    }
}

qint64 PlanRun::nextWakeMs() const
{
    switch (m_phase) {
    case Phase::Discovering:
    case Phase::Verifying:
        return readsWanted() ? std::min(m_phaseEnd, m_nextRead) : m_phaseEnd;
    case Phase::Sending: {
        qint64 wake = -1;
        for (const auto &flight : m_flights) {
            const qint64 deadline = flight->attempts.deadline();
            if (deadline >= 0 && (wake < 0 || deadline < wake))
                wake = deadline;
        }
        return wake;
    }
    default:
        return -1;
    }
}

void PlanRun::endDiscovery(qint64 nowMs)
{
    m_check = CheckPlan(m_plan, m_devices);
    const bool failed = m_check.failed();
    for (int i = 0; i < int(m_rows.size()); ++i) {
        const RowCheck &check = m_check.rows[i];
        PlanRowState &state = m_rows[i];
        if (check.found()) {
            state.mac = m_devices[check.device].mac;
            m_rowByDeviceMac.insert(state.mac, i);
        }
        if (failed)
            setStatus(i, check.errors.isEmpty() ? RowStatus::NotSent : RowStatus::CheckFailed);
        else if (!check.found())
            setStatus(i, RowStatus::NotFound);
        else if (check.unchanged())
            setStatus(i, RowStatus::Unchanged);
        else
            m_queue << i;
    }
    if (failed || m_options.checkOnly) {
        finish();
        return;
    }
    m_phase = Phase::Sending;
    fillFlights(nowMs);
    afterSending(nowMs);
}

void PlanRun::fillFlights(qint64 nowMs)
{
    while (!m_cancelled && m_queued < m_queue.size() && int(m_flights.size()) < m_options.maxInFlight) {
        const int row = m_queue[m_queued++];
        const QString mac = m_rows[row].mac;
        const EditFields values = m_check.rows[row].values;
        auto flight = std::make_unique<Flight>(Flight{
            row, WriteAttempts(
                     mac,
                     [mac, values] {
                         return NextWriteQuery(mac, values.ip, values.mask, values.gateway, values.dhcp,
                                               values.name, values.location);
                     },
                     m_options.waitMs, m_options.retries),
            QString()});
        flight->query = flight->attempts.start(nowMs);
        m_queries << flight->query;
        m_rows[row].attempts = 1;
        setStatus(row, RowStatus::Sent);
        m_flights.push_back(std::move(flight));
    }
}

void PlanRun::settleFlight(int index)
{
    const Flight &flight = *m_flights[size_t(index)];
    switch (flight.attempts.state()) {
    case WriteAttempts::State::Accepted:
        ++m_unverified;
        setStatus(flight.row, RowStatus::SaidUpdated);
        break;
    case WriteAttempts::State::Refused:
        setStatus(flight.row, RowStatus::Refused, WriteRefusalMessage(flight.attempts.status()));
        break;
    default:
        setStatus(flight.row, RowStatus::NoAnswer);
        break;
    }
    m_flights.erase(m_flights.begin() + index);
}

void PlanRun::afterSending(qint64 nowMs)
{
    if (m_phase != Phase::Sending || !m_flights.empty())
        return;
    if (!m_cancelled && m_queued < m_queue.size())
        return;
    if (m_unverified == 0) {
        finish();
        return;
    }
    m_phase = Phase::Verifying;
    m_phaseEnd = nowMs + m_options.waitMs;
    sendReadQuery(nowMs);
}

void PlanRun::verify(int row)
{
    const auto device = m_deviceByMac.constFind(m_rows[row].mac);
    if (m_rows[row].status != RowStatus::SaidUpdated || device == m_deviceByMac.cend())
        return;
    const EditFields reported = m_devices[*device].fields();
    const EditFields &planned = m_check.rows[row].values;
    QStringList differ;
    const auto compare = [&differ](PlanField field, const QString &is, const QString &wanted) {
        if (is != wanted)
            differ << PlanEngine::tr("%1 %2 (not %3)").arg(PlanFieldText(field, Wording::Shown), is, wanted);
    };
    compare(PlanField::Dhcp, ShownDhcpText(reported.dhcp), ShownDhcpText(planned.dhcp));
    // With DHCP on the addresses are the DHCP server's to choose.
    if (!planned.dhcp) {
        compare(PlanField::Ip, reported.ip, planned.ip);
        compare(PlanField::Mask, reported.mask, planned.mask);
        compare(PlanField::Gateway, reported.gateway, planned.gateway);
    }
    compare(PlanField::Name, reported.name, planned.name);
    compare(PlanField::Location, reported.location, planned.location);
    if (differ.isEmpty()) {
        --m_unverified;
        setStatus(row, RowStatus::Updated);
    } else {
        // Perhaps an answer sent before the change: a later one may match.
        m_rows[row].message = PlanEngine::tr("reports %1").arg(differ.join(QLatin1String(", ")));
    }
}

void PlanRun::finish(const QString &uncheckedWhy)
{
    const QString why = uncheckedWhy.isEmpty() ? PlanEngine::tr("did not answer the check") : uncheckedWhy;
    for (int i = 0; i < int(m_rows.size()); ++i) {
        switch (m_rows[i].status) {
        case RowStatus::Waiting:
            setStatus(i, RowStatus::NotSent);
            break;
        case RowStatus::Sent:
        case RowStatus::Retried:
            setStatus(i, RowStatus::NoAnswer);
            break;
        case RowStatus::SaidUpdated:
            setStatus(i, RowStatus::NotVerified, m_rows[i].message.isEmpty() ? why : QString());
            break;
        default:
            break;
        }
    }
    m_flights.clear();
    m_unverified = 0;
    m_phase = Phase::Finished;
}

void PlanRun::cancel(qint64 nowMs, Cancel how)
{
    if (m_phase == Phase::Finished)
        return;
    m_cancelled = true;
    if (m_phase == Phase::Idle || m_phase == Phase::Discovering) {
        finish();
        return;
    }
    for (qsizetype i = m_queued; i < m_queue.size(); ++i)
        setStatus(m_queue[i], RowStatus::NotSent);
    m_queued = m_queue.size();
    if (how == Cancel::SettleNow) {
        finish(PlanEngine::tr("cancelled before the check"));
        return;
    }
    for (const auto &flight : m_flights)
        flight->attempts.stopRetrying();
    afterSending(nowMs);
}

void PlanRun::sendFailed(qint64 nowMs, const QStringList &unsent)
{
    for (const auto &flight : m_flights) {
        if (!unsent.contains(flight->query))
            continue;
        PlanRowState &state = m_rows[flight->row];
        --state.attempts;
        setStatus(flight->row, state.attempts == 0 ? RowStatus::Waiting
                               : state.attempts == 1 ? RowStatus::Sent
                                                     : RowStatus::Retried);
    }
    cancel(nowMs, Cancel::SettleNow);
}
