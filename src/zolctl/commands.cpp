#include "zolctl/commands.h"

#include "zolctl/listener.h"
#include "zolctl/output.h"

#include "net/messages.h"
#include "net/sender.h"
#include "net/validation.h"

#include <QHostAddress>
#include <QUdpSocket>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <optional>
#include <unistd.h>

namespace {

// Standard error: where a failure is told, so nothing is left to tell of its
// own failure.
void printError(const QString &text)
{
    QByteArray bytes = text.toUtf8();
    if (!bytes.endsWith('\n'))
        bytes += '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
}

void complain(const QString &line)
{
    printError(QStringLiteral("zolctl: ") + line);
}

QString seconds(int ms)
{
    return QString::number(ms / 1000.0, 'g', 6) + QStringLiteral(" s");
}

// The query from every local IPv4 address to 255.255.255.255, then to each
// extra destination. Empty, or the line that says why nothing could be sent.
QString sendQuery(const QString &query, const QStringList &to)
{
    // No window waits for a verdict here, so the write latch is left alone.
    const QString failure = SendToAllAdapters(query, false);
    if (!failure.isEmpty())
        return failure.trimmed();
    if (to.isEmpty())
        return QString();
    QUdpSocket socket;
    // From the query port like every other query when it is free; devices
    // answer to port 2851 whatever the source port.
    if (!socket.bind(QHostAddress::AnyIPv4, QueryPort) && !socket.bind(QHostAddress::AnyIPv4, 0))
        return QStringLiteral("no UDP socket for --to: %1").arg(socket.errorString());
    const QByteArray bytes = query.toLatin1();
    for (const QString &address : to) {
        if (socket.writeDatagram(bytes, QHostAddress(address), QueryPort) != bytes.size())
            complain(QStringLiteral("could not send to %1: %2").arg(address, socket.errorString()));
    }
    return QString();
}

// A listener on port 2851, or the reason on stderr.
bool openListener(const Listener &listener)
{
    if (listener.isBound())
        return true;
    complain(QStringLiteral("UDP port %1 is taken (by a running ZOL Client?): no answer could be received")
                 .arg(ResponsePort));
    return false;
}

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
    const QString failure = sendQuery(NextReadQuery(), options.to);
    if (!failure.isEmpty())
        complain(failure);
    return failure.isEmpty();
}

// Sends the read query and waits for the device; its texts, or nothing (said
// why, with the exit code set) if the port is taken, the query cannot be sent
// or the device does not answer in time.
std::optional<DeviceTexts> discoverDevice(Listener &listener, const CtlOptions &options, int *exitCode)
{
    if (!openListener(listener) || !sendReadQuery(options)) {
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
        complain(QStringLiteral("no device %1 answered within %2").arg(options.mac, seconds(options.waitMs)));
        *exitCode = ExitNoVerdict;
    }
    return device;
}

// Sends a write query and prints the device's verdict.
int sendAndAwaitVerdict(Listener &listener, OutputStream &out, const CtlOptions &options, const QString &mac,
                        const QString &query, const QString &success)
{
    // The first success or refusal from the device (its MAC text exactly);
    // other status words are ignored. Taken from before the query leaves.
    std::optional<WriteResponse> verdict;
    listener.setWriteHandler([&](const WriteResponse &response) {
        if (!verdict && response.mac == mac
            && (IsWriteAccepted(response) || !WriteRefusalMessage(response.status).isEmpty()))
            verdict = response;
    });
    const QString failure = sendQuery(query, options.to);
    const bool answered = failure.isEmpty() && listener.listen(options.waitMs, [&] { return verdict.has_value(); });
    listener.setWriteHandler({});
    if (!failure.isEmpty()) {
        complain(failure);
        return ExitNetwork;
    }
    if (!answered) {
        complain(QStringLiteral("no answer from %1 within %2").arg(mac, seconds(options.waitMs)));
        return ExitNoVerdict;
    }
    if (IsWriteAccepted(*verdict)) {
        out.writeLine(success);
        return ExitSuccess;
    }
    printError(WriteRefusalMessage(verdict->status));
    return ExitNoVerdict;
}

int runFind(const CtlOptions &options, OutputStream &out)
{
    Listener listener;
    if (!openListener(listener) || !sendReadQuery(options))
        return ExitNetwork;
    listener.listen(options.waitMs);
    if (listener.devicesCapped())
        complain(QStringLiteral("more than %1 devices answered; the rest are left out").arg(Listener::MaxDevices));
    const OutputFormat format = options.format.value_or(::isatty(STDOUT_FILENO) ? OutputFormat::Table
                                                                                 : OutputFormat::Csv);
    WriteDevices(out, SortedByMac(listener.devices()), format);
    if (listener.deviceCount() < options.expect) {
        complain(QStringLiteral("%1 devices answered, %2 expected").arg(listener.deviceCount()).arg(options.expect));
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
        complain(addressesNeedDhcpOff());
        return ExitUsage;
    }
    if (const QString failure = checkGivenFields(options); !failure.isEmpty()) {
        printError(failure);
        return ExitUsage;
    }
    Listener listener;
    int exitCode = ExitSuccess;
    const std::optional<DeviceTexts> device = discoverDevice(listener, options, &exitCode);
    if (!device)
        return exitCode;
    const DeviceTexts &current = *device;

    // The dialog opened on this device, then the options typed into it.
    const bool initialDhcp = current[DeviceColumn::Dhcp] == DhcpEnabledText();
    EditFields fields;
    fields.dhcp = options.dhcp.value_or(initialDhcp);
    if (addressesGiven(options) && fields.dhcp) {
        complain(QStringLiteral("DHCP is on on %1: ").arg(current[DeviceColumn::Mac]) + addressesNeedDhcpOff());
        return ExitUsage;
    }
    fields.ip = options.ip.value_or(current[DeviceColumn::Ip]);
    fields.mask = options.mask.value_or(current[DeviceColumn::Mask]);
    fields.gateway = options.gateway.value_or(current[DeviceColumn::Gateway]);
    fields.name = options.name.value_or(current[DeviceColumn::Name]);
    fields.location = options.location.value_or(current[DeviceColumn::Location]);

    const bool changed = fields.ip != current[DeviceColumn::Ip] || fields.mask != current[DeviceColumn::Mask]
        || fields.gateway != current[DeviceColumn::Gateway] || fields.dhcp != initialDhcp
        || fields.name != current[DeviceColumn::Name] || fields.location != current[DeviceColumn::Location];
    if (!changed) {
        out.writeLine(QStringLiteral("unchanged"));
        return ExitSuccess;
    }
    const QString &mac = current[DeviceColumn::Mac];
    const QString query = NextWriteQuery(mac, fields.ip, fields.mask, fields.gateway, fields.dhcp,
                                         fields.name, fields.location);
    return sendAndAwaitVerdict(listener, out, options, mac, query, QStringLiteral("updated"));
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
        complain(QStringLiteral("DHCP is off on %1: a lease can only be renewed with DHCP on "
                                "(zolctl set %1 --dhcp on)").arg(mac));
        return ExitUsage;
    }
    // The dialog's comma check needs no asking here: the device's name and
    // location come from its answer, split at the commas.
    const QString query = RenewLeaseQuery(mac, true, current[DeviceColumn::Name], current[DeviceColumn::Location]);
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
    complain(QStringLiteral("the output could not be written: %1").arg(QString::fromLocal8Bit(std::strerror(error))));
    return ExitOutput;
}
