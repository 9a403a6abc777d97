// SPDX-License-Identifier: Apache-2.0
#include "benchcommon.h"

#include "net/protocol.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <ifaddrs.h>
#include <netinet/in.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fstream>
#include <sstream>

extern char **environ;

namespace bench {

long long nowNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

namespace {

long long clockNs(clockid_t clock)
{
    timespec ts{};
    clock_gettime(clock, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

} // namespace

long long threadCpuNs()
{
    return clockNs(CLOCK_THREAD_CPUTIME_ID);
}

long long processCpuNs()
{
    return clockNs(CLOCK_PROCESS_CPUTIME_ID);
}

long long namedThreadsCpuNs(const char *name)
{
    long long total = 0;
    DIR *tasks = opendir("/proc/self/task");
    if (!tasks)
        return 0;
    while (const dirent *task = readdir(tasks)) {
        if (task->d_name[0] == '.')
            continue;
        const std::string dir = std::string("/proc/self/task/") + task->d_name;
        std::string comm;
        std::getline(std::ifstream(dir + "/comm"), comm);
        long long ns = 0;
        if (comm == name && (std::ifstream(dir + "/schedstat") >> ns))
            total += ns;
    }
    closedir(tasks);
    return total;
}

namespace {

long long statusKiB(const char *field)
{
    std::ifstream in("/proc/self/status");
    std::string line;
    const std::size_t n = std::strlen(field);
    while (std::getline(in, line)) {
        if (line.compare(0, n, field) == 0)
            return std::atoll(line.c_str() + n);
    }
    return -1;
}

} // namespace

long long residentKiB()
{
    return statusKiB("VmRSS:");
}

long long peakResidentKiB()
{
    return statusKiB("VmHWM:");
}

std::string deviceAnswer(int index, int shared, int group)
{
    // A handful of device types (one absent, so "VRD Module" stands), so
    // that the rows really have to be sorted.
    static const char *const types[] = {"", "VRD-200", "IOX Gateway", "Pump Control", "VRD-200 Plus"};
    const unsigned u = static_cast<unsigned>(index);
    char mac[32];
    std::snprintf(mac, sizeof mac, "02:5A:%02X:%02X:%02X:%02X", (u >> 24) & 0xFF, (u >> 16) & 0xFF,
                  (u >> 8) & 0xFF, u & 0xFF);
    char ip[32];
    if (shared < 0) {
        std::snprintf(ip, sizeof ip, "10.%u.%u.%u", (u >> 16) & 0xFF, (u >> 8) & 0xFF, (u & 0xFF) | 1u);
    } else if (index < shared) {
        const unsigned g = u / static_cast<unsigned>(group > 0 ? group : 1);
        std::snprintf(ip, sizeof ip, "172.16.%u.%u", (g >> 8) & 0xFF, g & 0xFF);
    } else {
        std::snprintf(ip, sizeof ip, "10.%u.%u.%u", (u >> 16) & 0xFF, (u >> 8) & 0xFF, u & 0xFF);
    }
    char text[256];
    const char *type = types[u % 5];
    std::snprintf(text, sizeof text, "%s,0,1,%X,%s,%s,255.255.0.0,10.%u.0.1,%s,Device_%u,%s%u,0%s%s",
                  ZolProtocol::ReadResponseKeyword, 0x10000u + u * 7u, mac, ip, (u >> 16) & 0xFF,
                  (u % 3) ? "TRUE" : "FALSE", u, (u % 2) ? "Hall " : "Building ", u % 97, *type ? "," : "", type);
    return text;
}

bool onlyLoopback()
{
    ifaddrs *list = nullptr;
    if (getifaddrs(&list) != 0)
        return false;
    bool loopbackOnly = true;
    for (ifaddrs *a = list; a; a = a->ifa_next) {
        if (!a->ifa_addr || a->ifa_addr->sa_family != AF_INET)
            continue;
        const auto *in = reinterpret_cast<const sockaddr_in *>(a->ifa_addr);
        if ((ntohl(in->sin_addr.s_addr) >> 24) != 127)
            loopbackOnly = false;
    }
    freeifaddrs(list);
    return loopbackOnly;
}

bool udpPortBound(unsigned short port)
{
    // /proc/net/udp lists "sl local_address rem_address ..." with the local
    // address as HEXADDR:HEXPORT.
    std::ifstream in("/proc/net/udp");
    std::string line;
    char wanted[8];
    std::snprintf(wanted, sizeof wanted, ":%04X", port);
    std::getline(in, line); // header
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string slot, local;
        fields >> slot >> local;
        if (local.size() >= 5 && local.compare(local.size() - 5, 5, wanted) == 0)
            return true;
    }
    return false;
}

int spawnWithPipe(const std::vector<std::string> &argv, int *outFd)
{
    int fds[2];
    if (pipe(fds) != 0)
        return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addclose(&actions, fds[1]);
    if (!verbose())
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<char *> args;
    for (const std::string &a : argv)
        args.push_back(const_cast<char *>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid = -1;
    const int rc = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (rc != 0) {
        close(fds[0]);
        return -1;
    }
    *outFd = fds[0];
    return pid;
}

bool verbose()
{
    const char *v = std::getenv("ZOL_BENCH_VERBOSE");
    return v && *v;
}

std::string readAll(int fd)
{
    std::string all;
    char buffer[4096];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n > 0) {
            all.append(buffer, static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        break;
    }
    close(fd);
    return all;
}

int waitChild(int pid)
{
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string valueOf(const std::string &text, const std::string &key)
{
    std::istringstream in(text);
    std::string line;
    const std::string prefix = key + "=";
    while (std::getline(in, line)) {
        if (line.compare(0, prefix.size(), prefix) == 0)
            return line.substr(prefix.size());
    }
    return {};
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

std::string executableDir()
{
    char path[4096];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return ".";
    path[n] = '\0';
    std::string p(path);
    const std::size_t slash = p.rfind('/');
    return slash == std::string::npos ? "." : p.substr(0, slash);
}

void printLoad()
{
    double load[3] = {0, 0, 0};
    if (getloadavg(load, 3) == 3)
        std::printf("load average: %.2f %.2f %.2f on %ld CPUs\n", load[0], load[1], load[2],
                    sysconf(_SC_NPROCESSORS_ONLN));
}

} // namespace bench
