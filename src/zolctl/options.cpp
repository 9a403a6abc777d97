// SPDX-License-Identifier: Apache-2.0
#include "zolctl/options.h"

#include "net/messages.h"

#include <QHostAddress>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <utility>

namespace {

// A day: longer waits are a typing error, and the milliseconds fit an int.
constexpr double MaxWaitSeconds = 86400;

enum CommandBit : unsigned {
    Find = 1u << int(CtlCommand::Find),
    Set = 1u << int(CtlCommand::Set),
    Renew = 1u << int(CtlCommand::Renew),
    Apply = 1u << int(CtlCommand::Apply),
    Assign = 1u << int(CtlCommand::Assign),
};

struct OptionRule
{
    const char *name;
    unsigned commands; // CommandBit of each command that takes it
    bool takesValue = true;
};

constexpr OptionRule Rules[] = {
    {"wait", Find | Set | Renew | Apply | Assign},
    {"to", Find | Set | Renew | Apply | Assign},
    {"retries", Set | Renew | Apply | Assign},
    {"format", Find | Apply | Assign},
    {"expect", Find},
    {"ip", Set},
    {"mask", Set | Assign},
    {"gateway", Set | Assign},
    {"dhcp", Set},
    {"name", Set},
    {"location", Set | Assign},
    {"dry-run", Apply | Assign, false},
    {"first", Assign},
    {"name-pattern", Assign},
    {"all", Assign, false},
};

const OptionRule *findRule(const QString &name, CtlCommand command)
{
    for (const OptionRule &rule : Rules) {
        if (name == QLatin1String(rule.name))
            return rule.commands & (1u << int(command)) ? &rule : nullptr;
    }
    return nullptr;
}

QString commandName(CtlCommand command)
{
    switch (command) {
    case CtlCommand::Find: return QStringLiteral("find");
    case CtlCommand::Set: return QStringLiteral("set");
    case CtlCommand::Renew: return QStringLiteral("renew");
    case CtlCommand::Apply: return QStringLiteral("apply");
    case CtlCommand::Assign: return QStringLiteral("assign");
    default: return QString();
    }
}

QString notAMac(const QString &text)
{
    return QStringLiteral("\"%1\" is not a MAC address (six hex pairs, such as 00:1A:2B:3C:4D:5E)").arg(text);
}

// A resend count beyond this is a typing error.
constexpr int MaxRetries = 100;

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
    } else if (name == QLatin1String("retries")) {
        bool ok = false;
        o.retries = value.toInt(&ok);
        if (!ok || o.retries < 0 || o.retries > MaxRetries)
            return QStringLiteral("--retries needs a number from 0 to %1, not \"%2\"").arg(MaxRetries).arg(value);
    } else if (name == QLatin1String("dry-run") || name == QLatin1String("all")) {
        (name == QLatin1String("all") ? o.all : o.dryRun) = true;
    } else {
        // The rest are texts taken as they are, checked where they are used.
        static const std::pair<const char *, std::optional<QString> CtlOptions::*> texts[] = {
            {"ip", &CtlOptions::ip},     {"mask", &CtlOptions::mask},          {"gateway", &CtlOptions::gateway},
            {"name", &CtlOptions::name}, {"location", &CtlOptions::location},
        };
        for (const auto &[key, member] : texts) {
            if (name == QLatin1String(key))
                o.*member = value;
        }
        if (name == QLatin1String("first"))
            o.first = value;
        else if (name == QLatin1String("name-pattern"))
            o.namePattern = value;
    }
    return QString();
}

// The positional argument of each command; the error line, or an empty text.
QString takePositional(CtlOptions &o, const QString &argument)
{
    if (o.command == CtlCommand::Apply && o.plan.isEmpty()) {
        o.plan = argument;
        return QString();
    }
    if (o.command == CtlCommand::Assign) {
        if (MacKey(argument).isEmpty())
            return notAMac(argument);
        o.macs << argument;
        return QString();
    }
    return QStringLiteral("unexpected argument \"%1\"").arg(argument);
}

// What the arguments as a whole lack; an empty text when nothing.
QString missing(const CtlOptions &o)
{
    if (o.command == CtlCommand::Apply && o.plan.isEmpty())
        return QStringLiteral("apply needs a plan file (or - for standard input)");
    if (o.command == CtlCommand::Assign) {
        if (o.first.isEmpty())
            return QStringLiteral("assign needs --first ADDRESS");
        if (o.macs.isEmpty() == !o.all)
            return QStringLiteral("assign takes the devices' MAC addresses or --all (one of the two)");
    }
    return QString();
}

} // namespace

CtlParseResult ParseCtlArguments(const QStringList &arguments)
{
    CtlParseResult result;
    CtlOptions &o = result.options;
    if (arguments.isEmpty()) {
        result.error = QStringLiteral("no command given (find, set, renew, apply or assign); see zolctl --help");
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
    const CtlCommand commands[] = {CtlCommand::Find, CtlCommand::Set, CtlCommand::Renew, CtlCommand::Apply,
                                   CtlCommand::Assign};
    const auto named = std::find_if(std::begin(commands), std::end(commands),
                                    [&first](CtlCommand command) { return first == commandName(command); });
    if (named == std::end(commands)) {
        result.error =
            QStringLiteral("unknown command \"%1\" (find, set, renew, apply or assign); see zolctl --help").arg(first);
        return result;
    }
    o.command = *named;

    qsizetype i = 1;
    if (o.command == CtlCommand::Set || o.command == CtlCommand::Renew) {
        if (i >= arguments.size() || arguments.at(i).startsWith(QLatin1String("--"))) {
            result.error = QStringLiteral("%1 needs the device's MAC address").arg(commandName(o.command));
            return result;
        }
        o.mac = arguments.at(i++);
        if (MacKey(o.mac).isEmpty()) {
            result.error = notAMac(o.mac);
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
            result.error = takePositional(o, argument);
            if (!result.error.isEmpty())
                return result;
            continue;
        }
        QString name = argument.mid(2);
        QString value;
        const qsizetype equals = name.indexOf(u'=');
        const bool hasInlineValue = equals >= 0;
        if (hasInlineValue) {
            value = name.mid(equals + 1);
            name.truncate(equals);
        }
        const OptionRule *rule = findRule(name, o.command);
        if (!rule) {
            result.error = QStringLiteral("unknown option \"--%1\" for %2").arg(name, commandName(o.command));
            return result;
        }
        if (!rule->takesValue && hasInlineValue) {
            result.error = QStringLiteral("--%1 takes no value").arg(name);
            return result;
        }
        if (rule->takesValue && !hasInlineValue) {
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
    result.error = missing(o);
    return result;
}

QString CtlUsage()
{
    // One line per form: the man page's synopsis is made from these.
    return QStringLiteral(
        "Usage: zolctl find [--wait SECONDS] [--format table|csv|json] [--to ADDRESS]... [--expect N]\n"
        "  or:  zolctl set MAC [--ip A] [--mask M] [--gateway G] [--dhcp on|off] [--name N] [--location L] [OPTION]...\n"
        "  or:  zolctl renew MAC [OPTION]...\n"
        "  or:  zolctl apply PLAN|- [--dry-run] [--format table|csv|json] [OPTION]...\n"
        "  or:  zolctl assign --first A [--mask M] [--gateway G] [--name-pattern P] [--location L] (MAC...|--all) [--dry-run] [--format table|csv|json] [OPTION]...\n"
        "Find ZOL devices on the local networks and change their network settings from a terminal,\n"
        "one device at a time or a whole site from a plan.\n"
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
        "  apply    carry out a plan: a file in the CSV or JSON that find writes (- reads it from\n"
        "           standard input), one row per device, an empty cell keeping the device's\n"
        "           value, the columns that are no settings ignored. Finds the devices, checks\n"
        "           every row (nothing is sent when any row fails), sends each change as set\n"
        "           does (32 waiting at once), resends what gets no verdict, reads the devices\n"
        "           again until each shows its new settings, and prints one entry per row:\n"
        "           unchanged, updated, refused, not verified, no answer, not found or not sent\n"
        "  assign   give the devices MAC... (in that order) or every device found (--all, by\n"
        "           MAC address) consecutive fixed addresses from A with DHCP off, skipping\n"
        "           addresses other devices show, then carry that plan out as apply does\n"
        "\n"
        "Options:\n"
        "  --wait SECONDS     how long to listen for answers (default 2; decimals allowed); set and\n"
        "                     renew wait this long for the device and again for each verdict;\n"
        "                     apply and assign listen this long for the devices, for each verdict\n"
        "                     and for the devices' new settings\n"
        "  --retries N        set, renew, apply, assign: send a write again, up to N times, when\n"
        "                     its verdict has not come within the wait (default 3)\n"
        "  --format FORMAT    find's devices, or apply's and assign's report: table (aligned\n"
        "                     columns, control characters shown as \\xNN), csv (RFC 4180, UTF-8, a\n"
        "                     header row) or json (find: an array of objects: type, serial, mac,\n"
        "                     ip, mask, gateway, dhcp true/false/null, name, location, from; the\n"
        "                     report: line, mac, result, sent, changes, message, warning); default\n"
        "                     table on a terminal, csv otherwise\n"
        "  --expect N         find: exit with 1 when fewer than N devices answered\n"
        "  --to ADDRESS       also send every query to ADDRESS (repeatable): a directed broadcast\n"
        "                     such as 10.1.2.255, or one device's address. This only finds devices\n"
        "                     where the network passes the query on to them AND their answer\n"
        "                     comes back to UDP port 2851 of this computer\n"
        "  --ip A, --mask M, --gateway G\n"
        "                     set: new addresses (four decimal numbers 0-255, no leading zeros);\n"
        "                     only with DHCP off. assign: the mask and gateway given (default: the\n"
        "                     first chosen device's)\n"
        "  --dhcp on|off      set: switch DHCP on or off\n"
        "  --name N           set: up to 12 ASCII letters, digits, underscores; a letter first\n"
        "  --location L       set, assign: up to 31 ASCII letters, digits, underscores and blanks\n"
        "  --dry-run          apply, assign: find and check, send no change, and show what would\n"
        "                     change (field old -> new); assign with --format csv or json prints\n"
        "                     the plan itself, which apply reads\n"
        "  --first A          assign: the first address given\n"
        "  --name-pattern P   assign: names with a running number: Cam_{n} gives Cam_1, Cam_2 ...,\n"
        "                     {n:03} pads it to three digits\n"
        "  --all              assign: every device found\n"
        "  -h, --help         show this help and exit\n"
        "  --version          show the version and exit\n"
        "\n"
        "OPTION is --wait, --to or --retries. MAC is six hex pairs, with ':' or '-' between them or\n"
        "nothing, in either case.\n"
        "\n"
        "Exit status:\n"
        "  0  success; for find also when nothing answered (unless --expect says otherwise); for\n"
        "     apply and assign every device unchanged or updated and seen with its new settings\n"
        "  1  the device refused the change or did not answer in time; find: fewer devices than\n"
        "     --expect; apply, assign: a device refused, not verified, not answering or not found\n"
        "  2  bad usage, a value refused by the checks, or a plan that cannot be read or fails its\n"
        "     checks; no change was sent\n"
        "  3  the network could not be used, for instance UDP port 2851 held by another program\n"
        "     such as a running ZOL Client\n"
        "  4  the output could not be written (a full disk, for instance), said in one line on\n"
        "     standard error; the command may have done its work all the same (set: the device\n"
        "     may have taken the change)\n"
        "  130  apply, assign: stopped by Ctrl+C; what was sent stays sent, the report shows\n"
        "       the rest as not sent\n"
        "A reader that stops early (zolctl find | head) ends zolctl quietly by SIGPIPE, as it\n"
        "ends other tools (status 141 in a shell).\n"
        "\n"
        "Examples:\n"
        "  List the devices as JSON:\n"
        "    zolctl find --wait 3 --format json\n"
        "  Give one device a fixed address:\n"
        "    zolctl set 00:1A:2B:3C:4D:5E --dhcp off --ip 10.0.0.20 --mask 255.255.255.0 --gateway 10.0.0.1\n"
        "  Name it and say where it is:\n"
        "    zolctl set 00:1A:2B:3C:4D:5E --name Pump_2 --location 'Hall B'\n"
        "  Ask its DHCP server for a new address:\n"
        "    zolctl renew 00:1A:2B:3C:4D:5E\n"
        "  Export the site for a spreadsheet:\n"
        "    zolctl find --format csv > site.csv\n"
        "  Once edited there, see what would change, then change it:\n"
        "    zolctl apply --dry-run site.csv && zolctl apply site.csv\n"
        "  Number every device found from 10.0.0.20, named Cam_01, Cam_02 ...:\n"
        "    zolctl assign --first 10.0.0.20 --name-pattern 'Cam_{n:02}' --location 'Hall B' --all\n");
}
