// SPDX-License-Identifier: Apache-2.0
// zol_devsim: a stand-in for a segment full of ZOL devices, for trying the
// client without hardware and for the network tests. Plain C++ and POSIX
// sockets; it knows only the datagram texts on the wire.
//
// Its options are explained by its --help text (parseOptions below), from
// which its man page is made.

#include "net/protocol.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Device
{
    std::string mac, serial, ip, mask, gateway, dhcp, name, location, type;
    bool hasType = false;
};

struct Options
{
    std::vector<Device> devices;
    std::string listen = "0.0.0.0";
    int port = ZolProtocol::QueryPort;
    int replyPort = ZolProtocol::ResponsePort;
    std::string replyTo;
    std::string status = ZolProtocol::ConfigurationUpdated;
    std::map<std::string, std::string> refusals; // MAC -> status word
    bool answerTwice = false;
    bool writeAnswers = true;
    double lossPercent = 0;
    long delayMs = 0, delayMaxMs = 0;
    bool seedGiven = false;
    unsigned long seed = 0;
    std::string logPath;
    std::string sendTarget;
    std::vector<std::string> payloads;
    std::string from;
    long exitAfterMs = -1;
};

using Clock = std::chrono::steady_clock;

volatile std::sig_atomic_t stopFlag = 0;
FILE *logFile = nullptr;
std::mt19937_64 draws;

void onSignal(int)
{
    stopFlag = 1;
}

[[noreturn]] void fail(const std::string &what)
{
    std::fprintf(stderr, "zol_devsim: %s\n", what.c_str());
    std::exit(2);
}

std::vector<std::string> splitExact(const std::string &text, char separator)
{
    std::vector<std::string> parts;
    std::string::size_type start = 0;
    for (;;) {
        const auto end = text.find(separator, start);
        if (end == std::string::npos) {
            parts.push_back(text.substr(start));
            return parts;
        }
        parts.push_back(text.substr(start, end - start));
        start = end + 1;
    }
}

Device parseDevice(const std::string &spec)
{
    const auto f = splitExact(spec, ',');
    if (f.size() != 8 && f.size() != 9)
        fail("a device needs 8 or 9 comma-separated values: " + spec);
    Device d{f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7], {}, false};
    if (f.size() == 9) {
        d.type = f[8];
        d.hasType = true;
    }
    return d;
}

std::string fromHex(const std::string &hex)
{
    std::string bytes;
    std::string digits;
    for (char c : hex) {
        if (std::isxdigit(static_cast<unsigned char>(c)))
            digits += c;
    }
    if (digits.size() % 2)
        fail("odd number of hex digits: " + hex);
    for (std::size_t i = 0; i < digits.size(); i += 2)
        bytes += static_cast<char>(std::stoi(digits.substr(i, 2), nullptr, 16));
    return bytes;
}

std::string readFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        fail("cannot read " + path);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string printable(const char *data, std::size_t size)
{
    std::string out;
    for (std::size_t i = 0; i < size; ++i) {
        const unsigned char c = static_cast<unsigned char>(data[i]);
        if (c >= 0x20 && c < 0x7f && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char esc[5];
            std::snprintf(esc, sizeof esc, "\\x%02x", c);
            out += esc;
        }
    }
    return out;
}

void logLine(const std::string &line)
{
    if (!logFile)
        return;
    std::fputs(line.c_str(), logFile);
    std::fputc('\n', logFile);
    std::fflush(logFile);
}

std::string endpointText(const sockaddr_in &a)
{
    char ip[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &a.sin_addr, ip, sizeof ip);
    return std::string(ip) + ":" + std::to_string(ntohs(a.sin_port));
}

sockaddr_in makeAddress(const std::string &ip, int port)
{
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<uint16_t>(port));
    if (inet_pton(AF_INET, ip.c_str(), &a.sin_addr) != 1)
        fail("not an IPv4 address: " + ip);
    return a;
}

sockaddr_in parseEndpoint(const std::string &text)
{
    const auto colon = text.rfind(':');
    if (colon == std::string::npos)
        fail("expected IP:PORT, got " + text);
    return makeAddress(text.substr(0, colon), std::atoi(text.c_str() + colon + 1));
}

int makeSendSocket(const std::string &from)
{
    const int fd = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    if (fd < 0)
        fail(std::string("socket: ") + std::strerror(errno));
    const int on = 1;
    setsockopt(fd, SOL_SOCKET, SO_BROADCAST, &on, sizeof on);
    if (!from.empty()) {
        const sockaddr_in local = makeAddress(from, 0);
        if (bind(fd, reinterpret_cast<const sockaddr *>(&local), sizeof local) != 0)
            fail("bind " + from + ": " + std::strerror(errno));
    }
    return fd;
}

void sendText(int fd, const sockaddr_in &to, const std::string &text)
{
    if (sendto(fd, text.data(), text.size(), 0, reinterpret_cast<const sockaddr *>(&to), sizeof to) < 0)
        std::fprintf(stderr, "zol_devsim: sendto %s: %s\n", endpointText(to).c_str(), std::strerror(errno));
    logLine("SENT " + endpointText(to) + " " + printable(text.data(), text.size()));
}

// True for the share of datagrams that --loss drops.
bool lost(const Options &o)
{
    return o.lossPercent > 0 && std::uniform_real_distribution<double>(0, 100)(draws) < o.lossPercent;
}

// Answers waiting out --delay, in the order they are due (in the order
// queued when due together).
struct Pending
{
    sockaddr_in to;
    std::string text;
};
std::multimap<Clock::time_point, Pending> pending;

void sendAnswer(const Options &o, int fd, const sockaddr_in &to, const std::string &text)
{
    if (lost(o))
        logLine("LOST SENT " + endpointText(to) + " " + printable(text.data(), text.size()));
    else
        sendText(fd, to, text);
}

void queueAnswer(const Options &o, int fd, const sockaddr_in &to, const std::string &text)
{
    if (o.delayMaxMs <= 0) {
        sendAnswer(o, fd, to, text);
        return;
    }
    const long ms = o.delayMs == o.delayMaxMs ? o.delayMs
                                              : std::uniform_int_distribution<long>(o.delayMs, o.delayMaxMs)(draws);
    pending.emplace(Clock::now() + std::chrono::milliseconds(ms), Pending{to, text});
}

// Sends the answers due by now; the milliseconds until the next one, or -1.
long sendDueAnswers(const Options &o, int fd)
{
    const auto now = Clock::now();
    while (!pending.empty() && pending.begin()->first <= now) {
        sendAnswer(o, fd, pending.begin()->second.to, pending.begin()->second.text);
        pending.erase(pending.begin());
    }
    if (pending.empty())
        return -1;
    // Rounded up: waking early would only spin.
    return static_cast<long>(
        std::chrono::ceil<std::chrono::milliseconds>(pending.begin()->first - now).count());
}

std::string readResponse(const Device &d, const std::string &sequence)
{
    std::string r = std::string(ZolProtocol::ReadResponseKeyword) + ",0," + sequence + "," + d.serial + "," + d.mac + "," + d.ip
        + "," + d.mask + "," + d.gateway + "," + d.dhcp + "," + d.name + "," + d.location + ",0";
    if (d.hasType)
        r += "," + d.type;
    return r;
}

void handleQuery(Options &o, int sendFd, const sockaddr_in &source, const std::string &text)
{
    const auto f = splitExact(text, ',');
    if (f.empty())
        return;
    sockaddr_in to = source;
    to.sin_port = htons(static_cast<uint16_t>(o.replyPort));
    if (!o.replyTo.empty())
        to = makeAddress(o.replyTo, o.replyPort);
    const std::string sequence = f.size() > 2 ? f[2] : "0";
    const int copies = o.answerTwice ? 2 : 1;

    if (f[0] == ZolProtocol::ReadQueryKeyword) {
        for (const Device &d : o.devices) {
            const std::string answer = readResponse(d, sequence);
            for (int i = 0; i < copies; ++i)
                queueAnswer(o, sendFd, to, answer);
        }
    } else if (f[0] == ZolProtocol::WriteQueryKeyword && f.size() >= 10 && o.writeAnswers) {
        for (Device &d : o.devices) {
            if (d.mac != f[3])
                continue;
            const auto refusal = o.refusals.find(d.mac);
            const std::string &status = refusal == o.refusals.end() ? o.status : refusal->second;
            const std::string answer = std::string(ZolProtocol::WriteResponseKeyword) + ",0," + sequence + "," + d.mac + "," + status;
            if (status == ZolProtocol::ConfigurationUpdated) {
                // Three zero addresses ask for a new lease: the addresses stay.
                if (!(f[4] == "0.0.0.0" && f[5] == "0.0.0.0" && f[6] == "0.0.0.0")) {
                    d.ip = f[4];
                    d.mask = f[5];
                    d.gateway = f[6];
                }
                d.dhcp = f[7];
                d.name = f[8];
                d.location = f[9];
            }
            for (int i = 0; i < copies; ++i)
                queueAnswer(o, sendFd, to, answer);
        }
    }
}

double percentOption(const std::string &text)
{
    char *end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end || !(value >= 0 && value <= 100))
        fail("--loss needs a percentage from 0 to 100, not " + text);
    return value;
}

long millisecondsOption(const std::string &text)
{
    char *end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end || value < 0 || value > 3600000)
        fail("--delay needs milliseconds from 0 to 3600000, not " + text);
    return value;
}

Options parseOptions(int argc, char **argv)
{
    Options o;
    auto value = [&](int &i) -> std::string {
        if (i + 1 >= argc)
            fail(std::string("missing value after ") + argv[i]);
        return argv[++i];
    };
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--device") {
            o.devices.push_back(parseDevice(value(i)));
        } else if (a == "--devices-file") {
            std::istringstream lines(readFile(value(i)));
            std::string line;
            while (std::getline(lines, line)) {
                if (!line.empty() && line[0] != '#')
                    o.devices.push_back(parseDevice(line));
            }
        } else if (a == "--listen") {
            o.listen = value(i);
        } else if (a == "--port") {
            o.port = std::atoi(value(i).c_str());
        } else if (a == "--reply-port") {
            o.replyPort = std::atoi(value(i).c_str());
        } else if (a == "--reply-to") {
            o.replyTo = value(i);
        } else if (a == "--status") {
            o.status = value(i);
        } else if (a == "--refuse") {
            const std::string v = value(i);
            const auto eq = v.find('=');
            o.refusals[v.substr(0, eq)] = eq == std::string::npos ? "ZOL_SECURITY_VIOLATION" : v.substr(eq + 1);
        } else if (a == "--answer-twice") {
            o.answerTwice = true;
        } else if (a == "--no-write-answer") {
            o.writeAnswers = false;
        } else if (a == "--loss") {
            o.lossPercent = percentOption(value(i));
        } else if (a == "--delay") {
            const std::string v = value(i);
            const auto dash = v.find('-');
            o.delayMs = millisecondsOption(v.substr(0, dash));
            o.delayMaxMs = dash == std::string::npos ? o.delayMs : millisecondsOption(v.substr(dash + 1));
            if (o.delayMaxMs < o.delayMs)
                fail("--delay MS-MAX needs MAX of at least MS, not " + v);
        } else if (a == "--seed") {
            const std::string v = value(i);
            char *end = nullptr;
            o.seed = std::strtoul(v.c_str(), &end, 10);
            if (v.empty() || *end)
                fail("--seed needs a whole number, not " + v);
            o.seedGiven = true;
        } else if (a == "--log") {
            o.logPath = value(i);
        } else if (a == "--send") {
            o.sendTarget = value(i);
        } else if (a == "--text") {
            o.payloads.push_back(value(i));
        } else if (a == "--hex") {
            o.payloads.push_back(fromHex(value(i)));
        } else if (a == "--file") {
            o.payloads.push_back(readFile(value(i)));
        } else if (a == "--from") {
            o.from = value(i);
        } else if (a == "--exit-after-ms") {
            o.exitAfterMs = std::atol(value(i).c_str());
        } else if (a == "--help" || a == "-h") {
            std::puts(
                "Usage: zol-devsim [OPTION]... [--device DEVICE]...\n"
                "  or:  zol-devsim --send IP:PORT (--text T | --hex H | --file F)... [OPTION]...\n"
                "Plays ZOL devices: answers read queries on UDP port 2850 with one read response\n"
                "per device and write queries for one of its MAC addresses with a write response,\n"
                "to port 2851 of the query's source. A write is kept for the simulator's life.\n"
                "\n"
                "Never run it on a real network: the client broadcasts from every local address.\n"
                "\n"
                "Trying ZOL Client without hardware: \"zol-client --demo\" (as root) starts the\n"
                "window in a private network with eight simulated devices on two segments, and\n"
                "removes everything when the window closes (from the sources: ./build.sh demo).\n"
                "The README's \"Trying it without hardware\" (package zol-client,\n"
                "/usr/share/doc/zol-client/README.md) shows how to join the client to two\n"
                "simulated segments by hand.\n"
                "\n"
                "Options:\n"
                "  --device DEVICE    one device (repeatable), DEVICE being\n"
                "                     MAC,SERIAL,IP,MASK,GATEWAY,DHCP,NAME,LOCATION[,TYPE]; NAME and\n"
                "                     LOCATION may be empty; TYPE is sent as the optional device type\n"
                "  --devices-file F   one DEVICE per line of the file F; # starts a comment\n"
                "  --listen ADDRESS   where to listen: 0.0.0.0 (default), or 255.255.255.255, which\n"
                "                     (with address reuse) shares a namespace with the client\n"
                "  --port N           the query port (default 2850)\n"
                "  --reply-port N     the answer port (default 2851)\n"
                "  --reply-to ADDRESS\n"
                "                     answer to ADDRESS instead of the query's source\n"
                "                     (255.255.255.255 broadcasts)\n"
                "  --status WORD      the status word of write answers, default\n"
                "                     ZOL_CONFIGURATION_UPDATED, the only one that applies the\n"
                "                     settings (three 0.0.0.0 addresses keep the addresses, as for a\n"
                "                     lease renewal)\n"
                "  --refuse MAC[=WORD]\n"
                "                     that device answers writes with WORD (default\n"
                "                     ZOL_SECURITY_VIOLATION) and keeps its settings (repeatable)\n"
                "  --answer-twice     send every answer twice (a device heard through two adapters)\n"
                "  --no-write-answer  leave write queries unanswered\n"
                "  --loss PERCENT     lose that share of the queries received and, drawn separately,\n"
                "                     of the answers sent, as a network would (decimals allowed); a\n"
                "                     lost write query changes nothing\n"
                "  --delay MS[-MAX]   hold each answer MS ms (or a time drawn from MS to MAX) before\n"
                "                     sending it; queries and other answers are handled meanwhile\n"
                "  --seed N           seed of the draws of --loss and --delay (default: from the\n"
                "                     clock; the log names the seed used)\n"
                "  --log FILE         append READY ADDRESS:PORT once listening, then RECV IP:PORT TEXT\n"
                "                     per datagram received and SENT IP:PORT TEXT per datagram sent;\n"
                "                     bytes outside printable ASCII as \\xNN; flushed per line;\n"
                "                     LOST RECV and LOST SENT lines for what --loss dropped, and\n"
                "                     SEED N when --loss or --delay draws\n"
                "  --send IP:PORT     send the datagrams given by --text, --hex and --file, in order,\n"
                "                     then exit (or go on listening when devices are given)\n"
                "  --text T, --hex H, --file F\n"
                "                     one datagram (repeatable): the text T, the bytes written in\n"
                "                     hex H, the contents of the file F\n"
                "  --from IP          the local address --send sends from\n"
                "  --exit-after-ms N  stop after N ms; otherwise run until SIGTERM or SIGINT\n"
                "  -h, --help         show this help and exit\n"
                "\n"
                "Exit status:\n"
                "  0  ended by a signal, by --exit-after-ms, or after --send without devices\n"
                "  2  bad usage, an unreadable file, or a socket that could not be made or bound");
            std::exit(0);
        } else {
            fail("unknown option " + a);
        }
    }
    return o;
}

} // namespace

int main(int argc, char **argv)
{
    Options o = parseOptions(argc, argv);
    if (!o.logPath.empty()) {
        logFile = std::fopen(o.logPath.c_str(), "a");
        if (!logFile)
            fail("cannot open log " + o.logPath);
    }
    std::signal(SIGTERM, onSignal);
    std::signal(SIGINT, onSignal);
    std::signal(SIGPIPE, SIG_IGN);
    if (o.lossPercent > 0 || o.delayMaxMs > o.delayMs) {
        if (!o.seedGiven)
            o.seed = static_cast<unsigned long>(Clock::now().time_since_epoch().count()) ^ static_cast<unsigned long>(getpid());
        draws.seed(o.seed);
        logLine("SEED " + std::to_string(o.seed));
    }

    const int sendFd = makeSendSocket(o.from);
    if (!o.sendTarget.empty()) {
        const sockaddr_in target = parseEndpoint(o.sendTarget);
        for (const std::string &payload : o.payloads)
            sendText(sendFd, target, payload);
        if (o.devices.empty())
            return 0;
    }

    const int fd = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    if (fd < 0)
        fail(std::string("socket: ") + std::strerror(errno));
    const sockaddr_in local = makeAddress(o.listen, o.port);
    if (local.sin_addr.s_addr == htonl(INADDR_BROADCAST)) {
        // Shares the port with the client's own bind to a local address.
        const int on = 1;
        setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    }
    if (bind(fd, reinterpret_cast<const sockaddr *>(&local), sizeof local) != 0)
        fail("bind " + endpointText(local) + ": " + std::strerror(errno));
    logLine("READY " + endpointText(local));

    const auto started = std::chrono::steady_clock::now();
    char buffer[65536];
    while (!stopFlag) {
        int timeout = 200;
        const long nextAnswer = sendDueAnswers(o, sendFd);
        if (nextAnswer >= 0)
            timeout = static_cast<int>(std::min<long>(timeout, nextAnswer));
        if (o.exitAfterMs >= 0) {
            const long elapsed = static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(
                std::chrono::steady_clock::now() - started).count());
            if (elapsed >= o.exitAfterMs)
                break;
            timeout = static_cast<int>(std::min<long>(timeout, o.exitAfterMs - elapsed));
        }
        pollfd p{fd, POLLIN, 0};
        const int ready = poll(&p, 1, timeout);
        if (ready <= 0)
            continue;
        sockaddr_in source{};
        socklen_t sourceLength = sizeof source;
        const ssize_t n = recvfrom(fd, buffer, sizeof buffer, 0,
                                   reinterpret_cast<sockaddr *>(&source), &sourceLength);
        if (n < 0)
            continue;
        const std::string line = endpointText(source) + " " + printable(buffer, static_cast<std::size_t>(n));
        if (lost(o)) {
            logLine("LOST RECV " + line);
            continue;
        }
        logLine("RECV " + line);
        handleQuery(o, sendFd, source, std::string(buffer, static_cast<std::size_t>(n)));
    }
    close(fd);
    close(sendFd);
    if (logFile)
        std::fclose(logFile);
    return 0;
}
