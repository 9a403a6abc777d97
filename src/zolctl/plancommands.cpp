// SPDX-License-Identifier: Apache-2.0
#include "zolctl/plancommands.h"

#include "zolctl/commands.h"
#include "zolctl/common.h"
#include "zolctl/listener.h"
#include "zolctl/output.h"

#include "plan/assign.h"
#include "plan/planfile.h"
#include "plan/planrun.h"

#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <optional>
#include <unistd.h>
#include <utility>

namespace {

volatile std::sig_atomic_t interrupted = 0;

void onInterrupt(int)
{
    interrupted = 1;
}

// While a plan runs, Ctrl+C stops it rather than the program, so that the
// report still tells what became of each row; a second one ends the program.
class InterruptCatcher final
{
    Q_DISABLE_COPY_MOVE(InterruptCatcher)

public:
    InterruptCatcher()
    {
        interrupted = 0;
        struct sigaction action = {};
        action.sa_handler = onInterrupt;
        action.sa_flags = SA_RESETHAND; // and no SA_RESTART: a wait in poll() ends at once
        sigemptyset(&action.sa_mask);
        sigaction(SIGINT, &action, &m_previous);
        // Left ignored where the parent ignores it (a shell's background job).
        if (m_previous.sa_handler == SIG_IGN)
            sigaction(SIGINT, &m_previous, nullptr);
    }
    ~InterruptCatcher() { sigaction(SIGINT, &m_previous, nullptr); }

private:
    struct sigaction m_previous = {};
};

// The longest the driver listens before it looks at Ctrl+C again (the signal
// may land on a thread other than the one waiting) and at its progress line.
constexpr int SliceMs = 100;

// "sending: 12 of 40 done" on a terminal's standard error, written over
// itself as rows change.
class Progress final
{
    Q_DISABLE_COPY_MOVE(Progress)

public:
    Progress() : m_shown(::isatty(STDERR_FILENO)) {}
    ~Progress() { show(QString()); }

    void show(const PlanRun &run)
    {
        if (!m_shown)
            return;
        switch (run.phase()) {
        case PlanRun::Phase::Discovering:
            return show(QStringLiteral("finding the devices: %1 answered").arg(run.devices().size()));
        case PlanRun::Phase::Sending:
        case PlanRun::Phase::Verifying:
            return show(QStringLiteral("%1: %2 of %3 done")
                            .arg(run.phase() == PlanRun::Phase::Sending ? QStringLiteral("sending")
                                                                        : QStringLiteral("reading the new settings"))
                            .arg(run.doneCount())
                            .arg(run.rowCount()));
        default:
            return show(QString());
        }
    }

private:
    void show(const QString &text)
    {
        if (!m_shown || text == m_last)
            return;
        QString line = u'\r' + text.leftJustified(m_last.size());
        if (text.isEmpty())
            line += u'\r';
        const QByteArray bytes = line.toUtf8();
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
        m_last = text;
    }

    bool m_shown;
    QString m_last;
};

enum class DriveEnd { Finished, Interrupted, SendFailed };

// Runs the engine to its end: the listener's answers handed to it as they
// arrive, its queries sent as find and set send theirs, the time from a
// steady clock, and woken when it asks.
DriveEnd drive(PlanRun &run, Listener &listener, const QStringList &to, const QList<DeviceSettings> &known)
{
    InterruptCatcher catcher;
    Progress progress;
    QElapsedTimer clock;
    clock.start();
    QStringList queries;
    // Repeats too: a device that says "updated" and keeps its old settings
    // answers the check word for word as before.
    listener.setDeviceHandler(
        [&](const DeviceEntry &device) {
            run.takeAnswer(QString::fromLatin1(device.answer), clock.elapsed());
            queries += run.takeQueries();
        });
    listener.setWriteHandler([&](const WriteResponse &response) {
        run.takeWriteResponse(response, clock.elapsed());
        queries += run.takeQueries();
    });
    DriveEnd end = DriveEnd::Finished;
    run.start(clock.elapsed(), known);
    queries += run.takeQueries();
    while (true) {
        const QStringList batch = std::exchange(queries, {});
        for (qsizetype i = 0; i < batch.size(); ++i) {
            if (const QString failure = SendQuery(batch[i], to); !failure.isEmpty()) {
                Complain(failure);
                end = DriveEnd::SendFailed;
                run.sendFailed(clock.elapsed(), batch.mid(i));
                break;
            }
        }
        if (run.finished())
            break;
        if (interrupted) {
            end = DriveEnd::Interrupted;
            run.cancel(clock.elapsed(), PlanRun::Cancel::SettleNow);
            continue;
        }
        progress.show(run);
        const qint64 wake = run.nextWakeMs();
        const qint64 wait = wake < 0 ? SliceMs : std::clamp<qint64>(wake - clock.elapsed(), 0, SliceMs);
        if (wait > 0)
            listener.listen(int(wait), [&] { return !queries.isEmpty() || run.finished() || interrupted; });
        run.advance(clock.elapsed());
        queries += run.takeQueries();
    }
    listener.setDeviceHandler({});
    listener.setWriteHandler({});
    return end;
}

QList<PlanReportEntry> report(const PlanRun &run, bool dryRun)
{
    // A dry run's rows that pass are "not sent" to the engine: they are the
    // ones that would be.
    const bool wouldSend = dryRun && !run.cancelled() && !run.checksFailed();
    QList<PlanReportEntry> entries;
    entries.reserve(run.rowCount());
    for (int i = 0; i < run.rowCount(); ++i) {
        const PlanRowState &row = run.rows()[i];
        const RowCheck &check = run.check().rows[i];
        entries << PlanReportEntry{run.plan()[i].line,
                                   row.mac,
                                   wouldSend && row.status == RowStatus::NotSent ? QStringLiteral("would update")
                                                                                 : RowStatusText(row.status, row.attempts),
                                   row.attempts,
                                   check.changes,
                                   check.errors.isEmpty() ? row.message : check.errors.join(u'\n'),
                                   check.warning};
    }
    return entries;
}

// Runs the plan and prints its report: the devices found first, unless they
// are known already.
int runPlan(const Plan &plan, const std::optional<QList<DeviceSettings>> &known, const CtlOptions &options,
            Listener &listener, OutputStream &out)
{
    PlanRunOptions runOptions;
    runOptions.waitMs = options.waitMs;
    runOptions.retries = options.retries;
    runOptions.checkOnly = options.dryRun;
    if (known)
        runOptions.discoveryMs = 0;
    PlanRun run(plan, runOptions);
    const DriveEnd end = drive(run, listener, options.to, known.value_or(QList<DeviceSettings>()));

    int code = ExitSuccess;
    if (end == DriveEnd::SendFailed) {
        code = ExitNetwork;
    } else if (end == DriveEnd::Interrupted) {
        Complain(QStringLiteral("stopped: what was sent stays sent, the rest was not sent"));
        code = ExitInterrupted;
    } else if (run.checksFailed()) {
        const QStringList errors = run.check().errorLines(run.plan());
        Complain(QStringLiteral("the plan fails its checks; nothing was sent:"));
        for (const QString &error : errors)
            PrintError(error);
        code = ExitUsage;
    } else {
        for (const PlanRowState &row : run.rows()) {
            if (row.status == RowStatus::Refused || row.status == RowStatus::NotVerified
                || row.status == RowStatus::NoAnswer || row.status == RowStatus::NotFound)
                code = ExitNoVerdict;
        }
        if (!options.dryRun)
            PrintError(PlanSummary(run.rows()));
    }
    WritePlanReport(out, report(run, options.dryRun), ChosenFormat(options));
    return code;
}

} // namespace

int RunApply(const CtlOptions &options, OutputStream &out)
{
    const bool standardInput = options.plan == QLatin1String("-");
    QFile file;
    // Through the descriptor: Qt reads a FILE * without waiting for more.
    const bool opened = standardInput ? file.open(STDIN_FILENO, QIODevice::ReadOnly)
                                      : (file.setFileName(options.plan), file.open(QIODevice::ReadOnly));
    if (!opened) {
        Complain(QStringLiteral("cannot read %1: %2").arg(options.plan, file.errorString()));
        return ExitUsage;
    }
    const QString source = standardInput ? QStringLiteral("standard input") : options.plan;
    const PlanFileResult read = ReadPlanFile(file);
    if (!read.ok()) {
        Complain(QStringLiteral("%1: %2").arg(source, read.errorText()));
        return ExitUsage;
    }
    Listener listener;
    if (!OpenListener(listener))
        return ExitNetwork;
    return runPlan(read.plan, std::nullopt, options, listener, out);
}

namespace {

// Tells what is wrong with the request; true when nothing is. `typed`: only
// the values typed, before any device is known.
bool assignFine(const AssignResult &result, const CtlOptions &options, bool typed)
{
    static const char *const names[AssignFieldCount] = {"--first", "--mask", "--gateway", "--name-pattern",
                                                        "--location"};
    const bool given[AssignFieldCount] = {true, options.mask.has_value(), options.gateway.has_value(), true, true};
    bool fine = true;
    for (int f = 0; f < AssignFieldCount; ++f) {
        if (!result.fieldErrors[size_t(f)].isEmpty() && (!typed || given[f])) {
            Complain(QStringLiteral("%1: %2").arg(QLatin1String(names[f]), result.fieldErrors[size_t(f)].trimmed()));
            fine = false;
        }
    }
    for (qsizetype i = 0; !typed && i < result.rowErrors.size(); ++i) {
        if (!result.rowErrors[i].isEmpty()) {
            Complain(QStringLiteral("%1: %2").arg(result.plan[i].mac, result.rowErrors[i].trimmed()));
            fine = false;
        }
    }
    return fine;
}

} // namespace

int RunAssign(const CtlOptions &options, OutputStream &out)
{
    AssignRequest request{options.macs, options.first, options.mask, options.gateway, options.namePattern,
                          options.location};
    // The values typed are checked before anything is sent; for --all the
    // name pattern's first name stands for the rest.
    AssignRequest typed = request;
    if (options.all)
        typed.macs = QStringList{QStringLiteral("00:00:00:00:00:00")};
    if (!assignFine(BuildAssignPlan({}, typed), options, true))
        return ExitUsage;

    Listener listener;
    if (!OpenListener(listener))
        return ExitNetwork;
    // The whole wait, as apply's discovery: the addresses other devices show
    // are skipped. The read query is repeated while a chosen device is missing.
    Plan chosen;
    for (const QString &mac : options.macs) {
        chosen << PlanRow{};
        chosen.last().line = int(chosen.size());
        chosen.last().mac = mac;
    }
    PlanRunOptions findOptions;
    findOptions.waitMs = options.waitMs;
    findOptions.checkOnly = true;
    PlanRun discovery(chosen, findOptions);
    switch (drive(discovery, listener, options.to, {})) {
    case DriveEnd::Interrupted:
        Complain(QStringLiteral("stopped; nothing was sent"));
        return ExitInterrupted;
    case DriveEnd::SendFailed:
        return ExitNetwork;
    case DriveEnd::Finished:
        break;
    }
    QList<DeviceSettings> found = discovery.devices();
    if (options.all) {
        std::sort(found.begin(), found.end(),
                  [](const DeviceSettings &a, const DeviceSettings &b) { return a.mac < b.mac; });
        for (const DeviceSettings &device : std::as_const(found))
            request.macs << device.mac;
        if (found.isEmpty()) {
            Complain(QStringLiteral("no device answered within %1").arg(SecondsText(options.waitMs)));
            return ExitNoVerdict;
        }
    }
    if (!options.all && DeviceIndex(found).find(request.macs.first()) < 0 && !(options.mask && options.gateway)) {
        Complain(QStringLiteral("no device %1 answered within %2: the mask and gateway are the first device's "
                                "unless --mask and --gateway are given")
                     .arg(request.macs.first(), SecondsText(options.waitMs)));
        return ExitNoVerdict;
    }
    const AssignResult assigned = BuildAssignPlan(found, request);
    if (!assignFine(assigned, options, false))
        return ExitUsage;

    const OutputFormat format = ChosenFormat(options);
    if (options.dryRun && format != OutputFormat::Table) {
        // The plan itself, for apply.
        out.write(format == OutputFormat::Csv ? PlanCsv(assigned.plan) : PlanJson(assigned.plan));
        const DeviceIndex index(found);
        int code = ExitSuccess;
        for (const PlanRow &row : assigned.plan) {
            if (index.find(row.mac) < 0) {
                Complain(QStringLiteral("no device %1 answered within %2").arg(row.mac, SecondsText(options.waitMs)));
                code = ExitNoVerdict;
            }
        }
        return code;
    }
    return runPlan(assigned.plan, found, options, listener, out);
}
