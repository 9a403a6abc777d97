// SPDX-License-Identifier: Apache-2.0
// zolctl burst benchmark: "zolctl find --format json" while N simulated
// devices answer its query, each C times, all at full speed right after the
// query arrives.
//
//   zol_bench_zolctl --devices 10000 [--copies 2] [--wait SECONDS] [--repeat R] [--check]
//
// Each run alternates two children, started the same way:
//   bare   - a plain receiver: it sends the same read query from
//            127.0.0.1:2850, then reads datagrams on UDP 2851 for the same
//            wait and does nothing else (the limit);
//   zolctl - the real program, its JSON read back and its devices counted.
// This process plays the devices: it hears the query on 255.255.255.255:2850
// and answers to port 2851 of its source. Prints the medians of the children's
// CPU time (user + system, whole run), the ratio zolctl/bare, the devices
// printed versus answering, and how long after the end of the wait zolctl's
// output was complete.
//
// --check fails unless every run printed every device exactly once (a quick
// way to see that a small run works); it says nothing about speed.
//
// Only where the network namespace has nothing but loopback: zolctl
// broadcasts from every local address. Knows only the wire format, like the
// sender: ports and keywords come from the protocol header.

#include "benchcommon.h"

#include "net/protocol.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

using ZolProtocol::QueryPort;
using ZolProtocol::ResponsePort;
// What the program's receiver asks for, so both read from the same queue size.
constexpr int ReceiveBufferBytes = 64 * 1024 * 1024;

struct RunResult
{
    bool ok = false;
    double cpuMs = 0;
    double tailMs = 0; // output complete, after the end of the wait
    long long devices = 0;
};

int udpSocket()
{
    return ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_UDP);
}

bool bindTo(int fd, const char *address, unsigned short port)
{
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    ::inet_pton(AF_INET, address, &a.sin_addr);
    return ::bind(fd, reinterpret_cast<const sockaddr *>(&a), sizeof a) == 0;
}

// --- the bare limit (a child) -----------------------------------------------------

int runBare(double waitSeconds)
{
    const int fd = udpSocket();
    if (fd < 0 || !bindTo(fd, "0.0.0.0", ResponsePort)) {
        std::perror("bare: bind 0.0.0.0:2851");
        return 1;
    }
    const int size = ReceiveBufferBytes;
    if (::setsockopt(fd, SOL_SOCKET, SO_RCVBUFFORCE, &size, sizeof size) != 0)
        ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &size, sizeof size);

    const int q = udpSocket();
    const int one = 1;
    ::setsockopt(q, SOL_SOCKET, SO_BROADCAST, &one, sizeof one);
    if (!bindTo(q, "127.0.0.1", QueryPort)) {
        std::perror("bare: bind 127.0.0.1:2850");
        return 1;
    }
    sockaddr_in all{};
    all.sin_family = AF_INET;
    all.sin_port = htons(QueryPort);
    all.sin_addr.s_addr = htonl(INADDR_BROADCAST);
    const std::string query = std::string(ZolProtocol::ReadQueryKeyword) + ",0,1";
    ::sendto(q, query.data(), query.size(), 0, reinterpret_cast<const sockaddr *>(&all), sizeof all);
    ::close(q);

    const long long end = bench::nowNs() + static_cast<long long>(waitSeconds * 1e9);
    char buffer[512];
    long long received = 0;
    for (long long now = bench::nowNs(); now < end; now = bench::nowNs()) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>((end - now) / 1000000 + 1)) > 0 && ::recv(fd, buffer, sizeof buffer, 0) >= 0)
            ++received;
    }
    std::printf("received=%lld\n", received);
    return 0;
}

// --- one run: this process answers for the devices ------------------------------------

// Each device's "mac" in the JSON, counted once.
long long countDevices(const std::string &json, long long *duplicates)
{
    std::set<std::string> macs;
    *duplicates = 0;
    const std::string key = "\"mac\": \"";
    for (std::size_t at = json.find(key); at != std::string::npos; at = json.find(key, at + 1)) {
        const std::size_t begin = at + key.size();
        if (!macs.insert(json.substr(begin, json.find('"', begin) - begin)).second)
            ++*duplicates;
    }
    return static_cast<long long>(macs.size());
}

RunResult runOnce(const std::vector<std::string> &command, const std::vector<std::string> &answers, int copies,
                  double waitSeconds, bool isBare)
{
    RunResult result;
    const int listen = udpSocket();
    const int on = 1;
    ::setsockopt(listen, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    if (listen < 0 || !bindTo(listen, "255.255.255.255", QueryPort)) {
        std::perror("devices: bind 255.255.255.255:2850");
        return result;
    }
    int out = -1;
    const int pid = bench::spawnWithPipe(command, &out);
    if (pid < 0) {
        std::fprintf(stderr, "cannot start %s\n", command[0].c_str());
        return result;
    }

    // The query, then every answer at full speed to port 2851 of its source.
    char buffer[512];
    sockaddr_in source{};
    socklen_t length = sizeof source;
    pollfd p{listen, POLLIN, 0};
    long long queryNs = 0;
    if (::poll(&p, 1, 10000) > 0
        && ::recvfrom(listen, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr *>(&source), &length) > 0) {
        queryNs = bench::nowNs();
        source.sin_port = htons(ResponsePort);
        std::vector<mmsghdr> messages;
        std::vector<iovec> parts(answers.size() * static_cast<std::size_t>(copies));
        messages.resize(parts.size());
        for (std::size_t i = 0; i < parts.size(); ++i) {
            const std::string &text = answers[i / static_cast<std::size_t>(copies)];
            parts[i] = iovec{const_cast<char *>(text.data()), text.size()};
            messages[i] = mmsghdr{};
            messages[i].msg_hdr.msg_name = &source;
            messages[i].msg_hdr.msg_namelen = sizeof source;
            messages[i].msg_hdr.msg_iov = &parts[i];
            messages[i].msg_hdr.msg_iovlen = 1;
        }
        for (std::size_t sent = 0; sent < messages.size();) {
            const int n = ::sendmmsg(listen, messages.data() + sent,
                                     static_cast<unsigned>(std::min<std::size_t>(64, messages.size() - sent)), 0);
            if (n <= 0)
                break;
            sent += static_cast<std::size_t>(n);
        }
    }
    ::close(listen);

    // Read in large pieces: a slow reader would hold the writer up.
    std::string text;
    std::vector<char> piece(1 << 20);
    for (ssize_t n; (n = ::read(out, piece.data(), piece.size())) != 0;) {
        if (n > 0)
            text.append(piece.data(), static_cast<std::size_t>(n));
        else if (errno != EINTR)
            break;
    }
    ::close(out);
    const long long eofNs = bench::nowNs();
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    const auto ms = [](const timeval &t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    result.cpuMs = ms(usage.ru_utime) + ms(usage.ru_stime);
    result.tailMs = queryNs ? (eofNs - queryNs) / 1e6 - waitSeconds * 1e3 : -1;
    if (isBare) {
        result.devices = std::atoll(bench::valueOf(text, "received").c_str());
    } else {
        long long duplicates = 0;
        result.devices = countDevices(text, &duplicates);
        if (duplicates)
            std::fprintf(stderr, "zolctl printed %lld devices twice\n", duplicates);
        result.ok = duplicates == 0;
    }
    result.ok = (isBare || result.ok) && queryNs && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return result;
}

} // namespace

int main(int argc, char **argv)
{
    int devices = 10000;
    int copies = 2;
    int repeat = 5;
    double wait = 2;
    bool check = false;
    std::string child;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool hasValue = i + 1 < argc;
        if (a == "--devices" && hasValue)
            devices = std::atoi(argv[++i]);
        else if (a == "--copies" && hasValue)
            copies = std::atoi(argv[++i]);
        else if (a == "--repeat" && hasValue)
            repeat = std::atoi(argv[++i]);
        else if (a == "--wait" && hasValue)
            wait = std::atof(argv[++i]);
        else if (a == "--child" && hasValue)
            child = argv[++i];
        else if (a == "--check")
            check = true;
        else {
            std::fprintf(stderr, "usage: zol_bench_zolctl [--devices N] [--copies C] [--wait S] [--repeat R] [--check]\n");
            return 2;
        }
    }
    // Before anything is sent, the bare receiver's query included.
    if (!bench::onlyLoopback()) {
        std::fprintf(stderr, "zol_bench_zolctl: this namespace has more than loopback; run it through "
                             "bench/run-benchmarks.sh or unshare -n\n");
        return 77;
    }
    if (child == "bare")
        return runBare(wait);

    std::vector<std::string> answers;
    for (int d = 0; d < devices; ++d)
        answers.push_back(bench::deviceAnswer(d));
    char waitText[32];
    std::snprintf(waitText, sizeof waitText, "%g", wait);
    const std::string dir = bench::executableDir();
    const std::vector<std::string> bare{dir + "/zol_bench_zolctl", "--child", "bare", "--wait", waitText};
    const std::vector<std::string> zolctl{dir + "/zolctl", "find", "--format", "json", "--wait", waitText};

    std::vector<double> bareCpu, ctlCpu, tail;
    long long fewest = devices, fewestBare = static_cast<long long>(devices) * copies;
    bool ok = true;
    for (int r = 0; r < repeat; ++r) {
        const RunResult b = runOnce(bare, answers, copies, wait, true);
        const RunResult z = runOnce(zolctl, answers, copies, wait, false);
        ok = ok && b.ok && z.ok && z.devices == devices;
        bareCpu.push_back(b.cpuMs);
        ctlCpu.push_back(z.cpuMs);
        tail.push_back(z.tailMs);
        fewest = std::min(fewest, z.devices);
        fewestBare = std::min(fewestBare, b.devices);
    }
    bench::printLoad();
    const double bareMs = bench::median(bareCpu), ctlMs = bench::median(ctlCpu);
    std::printf("devices=%d copies=%d wait=%gs runs=%d\n", devices, copies, wait, repeat);
    std::printf("bare_cpu_ms=%.1f (fewest datagrams taken %lld of %lld)\n", bareMs, fewestBare,
                static_cast<long long>(devices) * copies);
    std::printf("zolctl_cpu_ms=%.1f ratio=%.2f\n", ctlMs, bareMs > 0 ? ctlMs / bareMs : 0);
    std::printf("zolctl_devices_printed_fewest=%lld of %d\n", fewest, devices);
    std::printf("zolctl_output_after_wait_ms=%.1f (median), %.1f (worst)\n", bench::median(tail),
                *std::max_element(tail.begin(), tail.end()));
    if (check && !ok) {
        std::fprintf(stderr, "zol_bench_zolctl: a run did not print every device exactly once\n");
        return 1;
    }
    return 0;
}
