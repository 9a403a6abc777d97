// SPDX-License-Identifier: Apache-2.0
#include "zolctl/commands.h"

#include "zolctl/common.h"
#include "zolctl/listener.h"
#include "zolctl/output.h"
#include "zolctl/plancommands.h"

#include "net/messages.h"
#include "net/validation.h"
#include "plan/plan.h"
#include "plan/writeattempts.h"

#include <QElapsedTimer>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <optional>

namespace {

// The device's texts: those of the one whose MAC text is exactly as typed,
// else of the first (by MAC text) that is the same six hex pairs.
std::optional<DeviceTexts> findDevice(const Listener &listener, const QString &mac)
{
    if (const std::optional<DeviceEntry> exact = listener.device(mac))
        return exact->texts();
    const QString key = MacKey(mac);
    const DeviceEntry *found = nullptr;
    for (const DeviceEntry &device : listener.devices()) {
        if (MacKey(QString(device.mac())) == key && (!found || QString(device.mac()) < QString(found->mac())))
            found = &device;
    }
    if (!found)
        return std::nullopt;
    return found->texts();
}

// Sends a read query; false (said why) if it could not be sent.
bool sendReadQuery(const CtlOptions &options)
{
    const QString failure = SendQuery(NextReadQuery(), options.to);
    if (!failure.isEmpty())
        Complain(failure);
    return failure.isEmpty();
}

// Sends the read query and waits for the device; its texts, or nothing (said
// why, with the exit code set) if the port is taken, the query cannot be sent
// or the device does not answer in time.
std::optional<DeviceTexts> discoverDevice(Listener &listener, const CtlOptions &options, int *exitCode)
{
    if (!OpenListener(listener) || !sendReadQuery(options)) {
        *exitCode = ExitNetwork;
        return std::nullopt;
    }
    // Each batch of answers looks only at the devices it added: an entry keeps
    // its MAC when a later answer replaces it.
    const QString key = MacKey(options.mac);
    qsizetype seen = 0;
    listener.listen(options.waitMs, [&] {
        if (listener.device(options.mac))
            return true;
        const QList<DeviceEntry> &devices = listener.devices();
        for (; seen < devices.size(); ++seen) {
            if (MacKey(QString(devices[seen].mac())) == key)
                return true;
        }
        return false;
    });
    std::optional<DeviceTexts> device = findDevice(listener, options.mac);
    if (!device) {
        Complain(QStringLiteral("no device %1 answered within %2").arg(options.mac, SecondsText(options.waitMs)));
        *exitCode = ExitNoVerdict;
    }
    return device;
}

// Sends a write query, again as a new query while no verdict comes within
// the wait (--retries), and prints the device's verdict.
int sendAndAwaitVerdict(Listener &listener, OutputStream &out, const CtlOptions &options, const QString &mac,
                        const WriteAttempts::MakeQuery &makeQuery, const QString &success)
{
    WriteAttempts write(mac, makeQuery, options.waitMs, options.retries);
    // Taken from before the query leaves.
    listener.setWriteHandler([&write](const WriteResponse &response) { write.take(response); });
    QElapsedTimer clock;
    clock.start();
    QString failure;
    for (QString query = write.start(0); !write.settled(); query = write.advance(clock.elapsed())) {
        if (!query.isEmpty() && !(failure = SendQuery(query, options.to)).isEmpty())
            break;
        if (const qint64 left = write.deadline() - clock.elapsed(); left > 0)
            listener.listen(int(left), [&write] { return write.settled(); });
    }
    listener.setWriteHandler({});
    if (!failure.isEmpty()) {
        Complain(failure);
        return ExitNetwork;
    }
    switch (write.state()) {
    case WriteAttempts::State::Accepted:
        out.writeLine(success);
        return ExitSuccess;
    case WriteAttempts::State::Refused:
        PrintError(WriteRefusalMessage(write.status()));
        return ExitNoVerdict;
    default:
        Complain(QStringLiteral("no answer from %1 within %2, sent %3 times")
                     .arg(mac, SecondsText(options.waitMs))
                     .arg(write.attempts()));
        return ExitNoVerdict;
    }
}

int runFind(const CtlOptions &options, OutputStream &out)
{
    Listener listener;
    if (!OpenListener(listener) || !sendReadQuery(options))
        return ExitNetwork;
    listener.listen(options.waitMs);
    if (listener.devicesCapped())
        Complain(QStringLiteral("more than %1 devices answered; the rest are left out").arg(Listener::MaxDevices));
    WriteDevices(out, SortedByMac(listener.devices()), ChosenFormat(options));
    if (listener.deviceCount() < options.expect) {
        Complain(QStringLiteral("%1 devices answered, %2 expected").arg(listener.deviceCount()).arg(options.expect));
        return ExitNoVerdict;
    }
    return ExitSuccess;
}

// The edit dialog's check sequence on the options given alone, before
// anything is sent; the values not given stand in with ones that pass. Only
// these are checked: what is kept from the device goes back to it exactly as
// it reported it (a hyphen another tool put in its name is no reason to
// refuse a new address).
QString checkGivenFields(const CtlOptions &o)
{
    EditFields fields;
    fields.name = o.name.value_or(QStringLiteral("A"));
    fields.location = o.location.value_or(QString());
    const QString any = QStringLiteral("0.0.0.0");
    fields.ip = o.ip.value_or(any);
    fields.mask = o.mask.value_or(any);
    fields.gateway = o.gateway.value_or(any);
    return CheckEditFields(fields);
}

bool addressesGiven(const CtlOptions &o)
{
    return o.ip || o.mask || o.gateway;
}

QString addressesNeedDhcpOff()
{
    return QStringLiteral("--ip, --mask and --gateway apply only with DHCP off (add --dhcp off)");
}

int runSet(const CtlOptions &options, OutputStream &out)
{
    if (addressesGiven(options) && options.dhcp.value_or(false)) {
        Complain(addressesNeedDhcpOff());
        return ExitUsage;
    }
    if (const QString failure = checkGivenFields(options); !failure.isEmpty()) {
        PrintError(failure);
        return ExitUsage;
    }
    Listener listener;
    int exitCode = ExitSuccess;
    const std::optional<DeviceTexts> device = discoverDevice(listener, options, &exitCode);
    if (!device)
        return exitCode;
    const DeviceSettings current = DeviceSettings::fromTexts(*device);
    if (addressesGiven(options) && options.dhcp.value_or(current.dhcp)) {
        Complain(QStringLiteral("DHCP is on on %1: ").arg(current.mac) + addressesNeedDhcpOff());
        return ExitUsage;
    }
    // The dialog opened on this device, then the options typed into it: the
    // addresses it holds become fixed ones with DHCP turned off, and are
    // checked then.
    const PlanRow row{0, current.mac, options.ip, options.mask, options.gateway, options.name, options.location,
                      options.dhcp};
    const RowCheck check = CheckPlan({row}, {current}).rows.constFirst();
    for (const QString &error : check.errors)
        PrintError(error);
    if (!check.errors.isEmpty())
        return ExitUsage;
    if (check.unchanged()) {
        out.writeLine(QStringLiteral("unchanged"));
        return ExitSuccess;
    }
    // Each attempt a new query by OK's rule.
    const auto query = [mac = current.mac, fields = check.values] {
        return NextWriteQuery(mac, fields.ip, fields.mask, fields.gateway, fields.dhcp, fields.name, fields.location);
    };
    return sendAndAwaitVerdict(listener, out, options, current.mac, query, QStringLiteral("updated"));
}

int runRenew(const CtlOptions &options, OutputStream &out)
{
    Listener listener;
    int exitCode = ExitSuccess;
    const std::optional<DeviceTexts> device = discoverDevice(listener, options, &exitCode);
    if (!device)
        return exitCode;
    const DeviceTexts &current = *device;
    const QString &mac = current[DeviceColumn::Mac];
    // The dialog offers Renew Lease only while its DHCP box is checked.
    if (current[DeviceColumn::Dhcp] != DhcpEnabledText()) {
        Complain(QStringLiteral("DHCP is off on %1: a lease can only be renewed with DHCP on "
                                "(zolctl set %1 --dhcp on)").arg(mac));
        return ExitUsage;
    }
    // The dialog's comma check needs no asking here: the device's name and
    // location come from its answer, split at the commas.
    const auto query = [mac, name = current[DeviceColumn::Name], location = current[DeviceColumn::Location]] {
        return RenewLeaseQuery(mac, true, name, location);
    };
    return sendAndAwaitVerdict(listener, out, options, mac, query, RenewLeaseSentMessage());
}

int runCommand(const CtlOptions &options, OutputStream &out)
{
    switch (options.command) {
    case CtlCommand::Help:
        out.writeLine(CtlUsage());
        return ExitSuccess;
    case CtlCommand::Version:
        out.writeLine(QStringLiteral("zolctl (ZOL Client) " ZOL_VERSION_TEXT));
        return ExitSuccess;
    case CtlCommand::Find:
        return runFind(options, out);
    case CtlCommand::Set:
        return runSet(options, out);
    case CtlCommand::Renew:
        return runRenew(options, out);
    case CtlCommand::Apply:
        return RunApply(options, out);
    case CtlCommand::Assign:
        return RunAssign(options, out);
    }
    return ExitUsage;
}

} // namespace

int RunCtlCommand(const CtlOptions &options)
{
    OutputStream out(stdout);
    const int code = runCommand(options, out);
    const int error = out.finish();
    if (!error)
        return code;
    if (error == EPIPE) {
        // The reader has gone (zolctl find | head -1): end as other tools
        // do, by SIGPIPE and without a word. Reached only when the signal
        // was ignored, as it may be by the parent.
        std::signal(SIGPIPE, SIG_DFL);
        std::raise(SIGPIPE);
        return 128 + SIGPIPE;
    }
    Complain(QStringLiteral("the output could not be written: %1").arg(QString::fromLocal8Bit(std::strerror(error))));
    return ExitOutput;
}
