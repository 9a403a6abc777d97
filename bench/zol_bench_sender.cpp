// SPDX-License-Identifier: Apache-2.0
// Blasts the read responses of N simulated devices, each a given number of
// times, at full speed to one UDP address, then prints
//   first_send_ns=<CLOCK_MONOTONIC of the first send>
//   last_send_ns=<... of the last>
//   sent=<datagrams handed to the kernel>
//   failed=<sends the kernel refused>
// Every datagram is built before the first one leaves.

#include "benchcommon.h"

#include "net/protocol.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

void usage()
{
    std::fprintf(stderr,
                 "usage: zol_bench_sender --devices N [--copies C] [--to IPv4] [--port P]\n"
                 "                        [--order pairs|rounds] [--batch B] [--shared K[/G]]\n"
                 "  pairs: each answer's copies back to back (default);\n"
                 "  rounds: every device once, then every device again, ...\n"
                 "  B datagrams per sendmmsg call (default 32; 1 sends one by one)\n"
                 "  K devices share IP addresses, G to an address (default 2), the rest one each\n"
                 "  (default: devices 2k and 2k+1 share one)\n");
}

} // namespace

int main(int argc, char **argv)
{
    int devices = -1;
    int copies = 2;
    std::string to = "127.0.0.1";
    int port = ZolProtocol::ResponsePort;
    bool rounds = false;
    int batch = 32;
    int shared = -1;
    int group = 2;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool hasValue = i + 1 < argc;
        if (a == "--devices" && hasValue)
            devices = std::atoi(argv[++i]);
        else if (a == "--copies" && hasValue)
            copies = std::atoi(argv[++i]);
        else if (a == "--to" && hasValue)
            to = argv[++i];
        else if (a == "--port" && hasValue)
            port = std::atoi(argv[++i]);
        else if (a == "--order" && hasValue) {
            const std::string order = argv[++i];
            if (order != "pairs" && order != "rounds") {
                usage();
                return 2;
            }
            rounds = order == "rounds";
        } else if (a == "--batch" && hasValue) {
            batch = std::atoi(argv[++i]);
        } else if (a == "--shared" && hasValue) {
            const std::string value = argv[++i];
            shared = std::atoi(value.c_str());
            if (const auto slash = value.find('/'); slash != std::string::npos)
                group = std::atoi(value.c_str() + slash + 1);
            if (shared < 0 || group < 1) {
                usage();
                return 2;
            }
        } else {
            usage();
            return 2;
        }
    }
    if (devices < 0 || copies < 1 || batch < 1 || port <= 0 || port > 65535) {
        usage();
        return 2;
    }

    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_port = htons(static_cast<unsigned short>(port));
    if (inet_pton(AF_INET, to.c_str(), &target.sin_addr) != 1) {
        std::fprintf(stderr, "zol_bench_sender: bad address %s\n", to.c_str());
        return 2;
    }

    std::vector<std::string> answers;
    answers.reserve(static_cast<std::size_t>(devices));
    for (int d = 0; d < devices; ++d)
        answers.push_back(bench::deviceAnswer(d, shared, group));

    std::vector<const std::string *> order;
    order.reserve(static_cast<std::size_t>(devices) * static_cast<std::size_t>(copies));
    if (rounds) {
        for (int c = 0; c < copies; ++c)
            for (const std::string &a : answers)
                order.push_back(&a);
    } else {
        for (const std::string &a : answers)
            for (int c = 0; c < copies; ++c)
                order.push_back(&a);
    }

    const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_UDP);
    if (fd < 0) {
        std::perror("zol_bench_sender: socket");
        return 1;
    }

    std::vector<iovec> iov(static_cast<std::size_t>(batch));
    std::vector<mmsghdr> msgs(static_cast<std::size_t>(batch));
    long long sent = 0;
    long long failed = 0;
    long long firstNs = 0;
    std::size_t next = 0;
    while (next < order.size()) {
        const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(batch), order.size() - next);
        for (std::size_t k = 0; k < n; ++k) {
            const std::string &text = *order[next + k];
            iov[k].iov_base = const_cast<char *>(text.data());
            iov[k].iov_len = text.size();
            msgs[k] = mmsghdr{};
            msgs[k].msg_hdr.msg_name = &target;
            msgs[k].msg_hdr.msg_namelen = sizeof target;
            msgs[k].msg_hdr.msg_iov = &iov[k];
            msgs[k].msg_hdr.msg_iovlen = 1;
        }
        if (firstNs == 0)
            firstNs = bench::nowNs();
        const int done = sendmmsg(fd, msgs.data(), static_cast<unsigned>(n), 0);
        if (done < 0) {
            if (errno == EINTR)
                continue;
            // Counted and skipped, so the receiver's tally shows the gap.
            ++failed;
            ++next;
            continue;
        }
        sent += done;
        next += static_cast<std::size_t>(done);
    }
    const long long lastNs = bench::nowNs();
    close(fd);

    std::printf("first_send_ns=%lld\nlast_send_ns=%lld\nsent=%lld\nfailed=%lld\n", firstNs, lastNs, sent,
                failed);
    return 0;
}
