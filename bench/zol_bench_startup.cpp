// SPDX-License-Identifier: Apache-2.0
// Start-up benchmark: from process start to the first read query on the wire.
//
//   zol_bench_startup [--repeat R] [--check]
//
// Alternates R starts of Zol_Client and of zol_bench_barewindow (a plain Qt
// widgets program that shows a window and sends one datagram: the limit),
// both on the offscreen platform unless QT_QPA_PLATFORM says otherwise. The
// clock starts just before the process is spawned and stops when a socket
// bound to 255.255.255.255:2850 has the datagram; the process is then killed.
// Prints every run, the medians and their ratio.
//
// --check (for a quick small run) fails unless every start of the client
// put "ZOL_READ_QUERY,0,1" on the wire; it says nothing about speed.
//
// Runs only where the network namespace has nothing but loopback.
// ZOL_BENCH_VERBOSE=1 keeps the children's diagnostics on standard error.

#include "benchcommon.h"

#include "net/protocol.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

extern char **environ;

namespace {

// A socket that hears broadcasts to port 2850 next to the program's own
// short-lived sockets bound to 127.0.0.1:2850.
int openListener()
{
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_UDP);
    const int on = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(ZolProtocol::QueryPort);
    local.sin_addr.s_addr = htonl(INADDR_BROADCAST);
    if (fd < 0 || ::bind(fd, reinterpret_cast<const sockaddr *>(&local), sizeof local) != 0) {
        std::perror("zol_bench_startup: bind 255.255.255.255:2850");
        return -1;
    }
    return fd;
}

void drain(int fd)
{
    char buffer[600];
    while (::recv(fd, buffer, sizeof buffer, MSG_DONTWAIT) >= 0) {
    }
}

struct Start
{
    double ms = -1;
    std::string text;
};

Start timeStart(int listener, const std::string &program, const std::string &folder)
{
    drain(listener);
    std::vector<std::string> env;
    for (char **e = environ; *e; ++e) {
        if (std::strncmp(*e, "ZOL_LOCK_DIR=", 13) != 0 && std::strncmp(*e, "QT_QPA_PLATFORM=", 16) != 0)
            env.emplace_back(*e);
    }
    const char *platform = std::getenv("QT_QPA_PLATFORM");
    env.push_back(std::string("QT_QPA_PLATFORM=") + (platform && *platform ? platform : "offscreen"));
    env.push_back("ZOL_LOCK_DIR=" + folder);
    std::vector<char *> envp;
    for (std::string &e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string path = program;
    char *argv[] = {path.data(), nullptr};

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    if (!bench::verbose())
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

    Start start;
    const long long t0 = bench::nowNs();
    pid_t pid = -1;
    const int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) {
        std::fprintf(stderr, "zol_bench_startup: cannot start %s\n", program.c_str());
        return start;
    }
    // Waits for the datagram, giving up when the program ends without one
    // or after 20 s.
    bool ended = false;
    for (int waited = 0; waited < 20000 && !ended; waited += 50) {
        pollfd p{listener, POLLIN, 0};
        if (::poll(&p, 1, 50) == 1) {
            char buffer[600];
            const ssize_t n = ::recv(listener, buffer, sizeof buffer, 0);
            const long long t1 = bench::nowNs();
            if (n >= 0) {
                start.ms = (t1 - t0) / 1e6;
                start.text.assign(buffer, static_cast<std::size_t>(n));
            }
            break;
        }
        int status = 0;
        ended = ::waitpid(pid, &status, WNOHANG) == pid;
    }
    if (!ended) {
        ::kill(pid, SIGKILL);
        bench::waitChild(pid);
    } else {
        std::fprintf(stderr, "zol_bench_startup: %s ended without sending\n", program.c_str());
    }
    return start;
}

} // namespace

int main(int argc, char **argv)
{
    int repeat = 7;
    bool check = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--repeat" && i + 1 < argc) {
            repeat = std::atoi(argv[++i]);
        } else if (a == "--check") {
            check = true;
        } else {
            std::fprintf(stderr, "usage: zol_bench_startup [--repeat R] [--check]\n");
            return 2;
        }
    }
    if (repeat < 1)
        return 2;
    if (!bench::onlyLoopback()) {
        std::fprintf(stderr, "zol_bench_startup: run me in a network namespace with only loopback "
                             "(unshare -n; see bench/run-benchmarks.sh)\n");
        return 77;
    }
    const int listener = openListener();
    if (listener < 0)
        return 1;

    char pattern[] = "/tmp/zol_bench_startup.XXXXXX";
    if (!::mkdtemp(pattern))
        return 1;
    const std::string folder = pattern;
    const std::string bin = bench::executableDir();
    // The client finds its message files in its current folder.
    for (const char *qm : {"qrt_en.qm", "qrt_c.qm"})
        ::symlink((bin + "/" + qm).c_str(), (folder + "/" + qm).c_str());

    const char *platform = std::getenv("QT_QPA_PLATFORM");
    std::printf("platform: %s\n", platform && *platform ? platform : "offscreen");
    bench::printLoad();

    // One unmeasured start of each, so both find their libraries in the cache.
    timeStart(listener, bin + "/zol_bench_barewindow", folder);
    timeStart(listener, bin + "/Zol_Client", folder);

    std::vector<double> bare, client;
    bool failed = false;
    for (int r = 0; r < repeat; ++r) {
        const Start b = timeStart(listener, bin + "/zol_bench_barewindow", folder);
        const Start c = timeStart(listener, bin + "/Zol_Client", folder);
        std::printf("run %d: bare window %.1f ms, Zol_Client %.1f ms (\"%s\")\n", r + 1, b.ms, c.ms,
                    c.text.c_str());
        std::fflush(stdout);
        if (b.ms >= 0)
            bare.push_back(b.ms);
        if (c.ms >= 0 && c.text == std::string(ZolProtocol::ReadQueryKeyword) + ",0,1")
            client.push_back(c.ms);
        else
            failed = true;
    }
    const double mb = bench::median(bare);
    const double mc = bench::median(client);
    std::printf("start-up medians of %d: bare window %.1f ms, Zol_Client %.1f ms, ratio %.2f\n", repeat, mb, mc,
                mb > 0 ? mc / mb : 0.0);

    // The links, the lock file and anything else the client left.
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);

    if (check && failed) {
        std::printf("FAIL: a start of Zol_Client put no first read query on the wire\n");
        return 1;
    }
    return 0;
}
