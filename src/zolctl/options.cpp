#include "zolctl/options.h"

#include "net/messages.h"

#include <QHostAddress>

#include <cmath>

namespace {

// A day: longer waits are a typing error, and the milliseconds fit an int.
constexpr double MaxWaitSeconds = 86400;

struct OptionRule
{
    const char *name;
    bool find, set, renew;
};

// Which command takes which option; every one of them takes a value.
constexpr OptionRule Rules[] = {
    {"wait", true, true, true},      {"to", true, true, true},       {"format", true, false, false},
    {"expect", true, false, false},  {"ip", false, true, false},     {"mask", false, true, false},
    {"gateway", false, true, false}, {"dhcp", false, true, false},   {"name", false, true, false},
    {"location", false, true, false},
};

const OptionRule *findRule(const QString &name, CtlCommand command)
{
    for (const OptionRule &rule : Rules) {
        if (name != QLatin1String(rule.name))
            continue;
        const bool taken = (command == CtlCommand::Find && rule.find) || (command == CtlCommand::Set && rule.set)
            || (command == CtlCommand::Renew && rule.renew);
        return taken ? &rule : nullptr;
    }
    return nullptr;
}

QString commandName(CtlCommand command)
{
    switch (command) {
    case CtlCommand::Find: return QStringLiteral("find");
    case CtlCommand::Set: return QStringLiteral("set");
    case CtlCommand::Renew: return QStringLiteral("renew");
    default: return QString();
    }
}

// Stores one option's value; the error line, or an empty text.
QString apply(CtlOptions &o, const QString &name, const QString &value)
{
    if (name == QLatin1String("wait")) {
        bool ok = false;
        const double seconds = value.toDouble(&ok);
        if (!ok || !std::isfinite(seconds) || seconds < 0 || seconds > MaxWaitSeconds)
            return QStringLiteral("--wait needs a number of seconds from 0 to 86400, not \"%1\"").arg(value);
        o.waitMs = int(std::lround(seconds * 1000));
    } else if (name == QLatin1String("to")) {
        QHostAddress address;
        if (!address.setAddress(value) || address.protocol() != QAbstractSocket::IPv4Protocol)
            return QStringLiteral("--to needs an IPv4 address, not \"%1\"").arg(value);
        o.to << address.toString();
    } else if (name == QLatin1String("format")) {
        if (value == QLatin1String("table"))
            o.format = OutputFormat::Table;
        else if (value == QLatin1String("csv"))
            o.format = OutputFormat::Csv;
        else if (value == QLatin1String("json"))
            o.format = OutputFormat::Json;
        else
            return QStringLiteral("--format takes table, csv or json, not \"%1\"").arg(value);
    } else if (name == QLatin1String("expect")) {
        bool ok = false;
        o.expect = value.toInt(&ok);
        if (!ok || o.expect < 0)
            return QStringLiteral("--expect needs a number of devices, not \"%1\"").arg(value);
    } else if (name == QLatin1String("dhcp")) {
        if (value != QLatin1String("on") && value != QLatin1String("off"))
            return QStringLiteral("--dhcp takes on or off, not \"%1\"").arg(value);
        o.dhcp = value == QLatin1String("on");
    } else if (name == QLatin1String("ip")) {
        o.ip = value;
    } else if (name == QLatin1String("mask")) {
        o.mask = value;
    } else if (name == QLatin1String("gateway")) {
        o.gateway = value;
    } else if (name == QLatin1String("name")) {
        o.name = value;
    } else if (name == QLatin1String("location")) {
        o.location = value;
    }
    return QString();
}

} // namespace

CtlParseResult ParseCtlArguments(const QStringList &arguments)
{
    CtlParseResult result;
    CtlOptions &o = result.options;
    if (arguments.isEmpty()) {
        result.error = QStringLiteral("no command given (find, set or renew); see zolctl --help");
        return result;
    }
    const QString &first = arguments.first();
    if (first == QLatin1String("--help") || first == QLatin1String("-h") || first == QLatin1String("help")) {
        o.command = CtlCommand::Help;
        return result;
    }
    if (first == QLatin1String("--version")) {
        o.command = CtlCommand::Version;
        return result;
    }
    if (first == QLatin1String("find"))
        o.command = CtlCommand::Find;
    else if (first == QLatin1String("set"))
        o.command = CtlCommand::Set;
    else if (first == QLatin1String("renew"))
        o.command = CtlCommand::Renew;
    else {
        result.error = QStringLiteral("unknown command \"%1\" (find, set or renew); see zolctl --help").arg(first);
        return result;
    }

    qsizetype i = 1;
    if (o.command != CtlCommand::Find) {
        if (i >= arguments.size() || arguments.at(i).startsWith(QLatin1String("--"))) {
            result.error = QStringLiteral("%1 needs the device's MAC address").arg(commandName(o.command));
            return result;
        }
        o.mac = arguments.at(i++);
        if (MacKey(o.mac).isEmpty()) {
            result.error = QStringLiteral("\"%1\" is not a MAC address (six hex pairs, such as 00:1A:2B:3C:4D:5E)")
                               .arg(o.mac);
            return result;
        }
    }
    for (; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            o.command = CtlCommand::Help;
            return result;
        }
        if (!argument.startsWith(QLatin1String("--"))) {
            result.error = QStringLiteral("unexpected argument \"%1\"").arg(argument);
            return result;
        }
        QString name = argument.mid(2);
        QString value;
        const qsizetype equals = name.indexOf(u'=');
        const bool hasInlineValue = equals >= 0;
        if (hasInlineValue) {
            value = name.mid(equals + 1);
            name.truncate(equals);
        }
        if (!findRule(name, o.command)) {
            result.error = QStringLiteral("unknown option \"--%1\" for %2").arg(name, commandName(o.command));
            return result;
        }
        if (!hasInlineValue) {
            if (i + 1 >= arguments.size()) {
                result.error = QStringLiteral("--%1 needs a value").arg(name);
                return result;
            }
            value = arguments.at(++i);
        }
        result.error = apply(o, name, value);
        if (!result.error.isEmpty())
            return result;
    }
    return result;
}

QString CtlUsage()
{
    return QStringLiteral(
        "Usage: zolctl find [--wait SECONDS] [--format table|csv|json] [--to ADDRESS]... [--expect N]\n"
        "  or:  zolctl set MAC [--ip A] [--mask M] [--gateway G] [--dhcp on|off] [--name N]\n"
        "                      [--location L] [--wait SECONDS] [--to ADDRESS]...\n"
        "  or:  zolctl renew MAC [--wait SECONDS] [--to ADDRESS]...\n"
        "Find ZOL devices on the local networks and change their network settings from a terminal.\n"
        "\n"
        "Commands:\n"
        "  find     broadcast the read query from every local IPv4 address (UDP port 2850 to\n"
        "           255.255.255.255:2850), listen on UDP port 2851 for SECONDS and print one\n"
        "           entry per MAC address, sorted by MAC address; a later answer replaces an\n"
        "           earlier one\n"
        "  set      find the device MAC, apply the options given to its current settings,\n"
        "           check them with the rules of ZOL Client's edit dialog, send the change and\n"
        "           wait for the device's verdict: \"updated\", or the device's refusal\n"
        "  renew    send the device MAC the Renew Lease query (its DHCP must be on), so that it\n"
        "           fetches a new address from its DHCP server, and wait for its verdict\n"
        "\n"
        "Options:\n"
        "  --wait SECONDS     how long to listen for answers (default 2; decimals allowed); set and\n"
        "                     renew wait this long for the device and again for its verdict\n"
        "  --format FORMAT    find's output: table (aligned columns, control characters shown as\n"
        "                     \\xNN), csv (RFC 4180, UTF-8, a header row) or json (an array of\n"
        "                     objects: type, serial, mac, ip, mask, gateway, dhcp true/false/null,\n"
        "                     name, location, from); default table on a terminal, csv otherwise\n"
        "  --expect N         find: exit with 1 when fewer than N devices answered\n"
        "  --to ADDRESS       also send every query to ADDRESS (repeatable): a directed broadcast\n"
        "                     such as 10.1.2.255, or one device's address. This only finds devices\n"
        "                     where the network passes the query on to them AND their answer\n"
        "                     comes back to UDP port 2851 of this computer\n"
        "  --ip A, --mask M, --gateway G\n"
        "                     set: new addresses (four decimal numbers 0-255, no leading zeros);\n"
        "                     only with DHCP off\n"
        "  --dhcp on|off      set: switch DHCP on or off\n"
        "  --name N           set: up to 12 ASCII letters, digits, underscores; a letter first\n"
        "  --location L       set: up to 31 ASCII letters, digits, underscores and blanks\n"
        "  -h, --help         show this help and exit\n"
        "  --version          show the version and exit\n"
        "\n"
        "MAC is six hex pairs, with ':' or '-' between them or nothing, in either case.\n"
        "\n"
        "Exit status:\n"
        "  0  success; for find also when nothing answered (unless --expect says otherwise)\n"
        "  1  the device refused the change or did not answer in time; find: fewer devices than\n"
        "     --expect\n"
        "  2  bad usage, or a value refused by the checks; no change was sent\n"
        "  3  the network could not be used, for instance UDP port 2851 held by another program\n"
        "     such as a running ZOL Client\n"
        "  4  the output could not be written (a full disk, for instance), said in one line on\n"
        "     standard error; the command may have done its work all the same (set: the device\n"
        "     may have taken the change)\n"
        "A reader that stops early (zolctl find | head) ends zolctl quietly by SIGPIPE, as it\n"
        "ends other tools (status 141 in a shell).\n"
        "\n"
        "Examples:\n"
        "  zolctl find --wait 3 --format json\n"
        "  zolctl set 00:1A:2B:3C:4D:5E --dhcp off --ip 10.0.0.20 --mask 255.255.255.0 --gateway 10.0.0.1\n"
        "  zolctl set 00:1A:2B:3C:4D:5E --name Pump_2 --location 'Hall B'\n"
        "  zolctl renew 00:1A:2B:3C:4D:5E\n");
}
