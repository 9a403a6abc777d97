// zol_flood: sends a flood of hostile datagrams at the client's answer port,
// paced evenly over a given time. Plain C++ and POSIX sockets.
//
//   zol_flood --to IP:PORT [--count N] [--seconds S] [--seed K]
//
// Datagrams, in turn: random bytes of random length (1...600), empty ones,
// 600 bytes of random printable text, and read responses whose every field
// (MAC address included) is random. When done it prints one line:
//   SENT <datagrams> FAILED <sends refused> BYTES <bytes> MS <elapsed>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <thread>

namespace {

[[noreturn]] void usage(const char *why)
{
    std::fprintf(stderr, "zol_flood: %s\nusage: zol_flood --to IP:PORT [--count N] [--seconds S] [--seed K]\n", why);
    std::exit(2);
}

class Maker
{
public:
    explicit Maker(unsigned seed) : m_random(seed) {}

    std::string next(long i)
    {
        switch (i % 4) {
        case 0:
            return randomBytes(1 + int(m_random() % 600));
        case 1:
            return std::string();
        case 2:
            return printable(600);
        default:
            return readResponse();
        }
    }

private:
    std::string randomBytes(int n)
    {
        std::string s(size_t(n), '\0');
        for (char &c : s)
            c = char(m_random() & 0xff);
        return s;
    }

    std::string printable(int n)
    {
        std::string s(size_t(n), ' ');
        for (char &c : s)
            c = char(0x20 + m_random() % 95);
        return s;
    }

    std::string hex(int digits)
    {
        static const char *const h = "0123456789ABCDEF";
        std::string s;
        for (int i = 0; i < digits; ++i)
            s += h[m_random() % 16];
        return s;
    }

    std::string mac()
    {
        std::string s;
        for (int i = 0; i < 6; ++i)
            s += (i ? ":" : "") + hex(2);
        return s;
    }

    std::string address()
    {
        return std::to_string(m_random() % 256) + '.' + std::to_string(m_random() % 256) + '.'
            + std::to_string(m_random() % 256) + '.' + std::to_string(m_random() % 256);
    }

    std::string word()
    {
        // Anything printable but the separator.
        std::string s = printable(int(m_random() % 24));
        for (char &c : s) {
            if (c == ',')
                c = '_';
        }
        return s;
    }

    std::string readResponse()
    {
        std::string s = "ZOL_READ_RESPONSE,0," + std::to_string(m_random() % 1000) + ',' + hex(1 + int(m_random() % 8))
            + ',' + mac() + ',' + address() + ',' + address() + ',' + address() + ','
            + (m_random() % 2 ? "TRUE" : "FALSE") + ',' + word() + ',' + word() + ",0";
        if (m_random() % 2)
            s += ',' + word();
        return s;
    }

    std::mt19937 m_random;
};

} // namespace

int main(int argc, char **argv)
{
    std::string to;
    long count = 20000;
    double seconds = 2.0;
    unsigned seed = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (i + 1 >= argc)
            usage("missing value");
        const char *v = argv[++i];
        if (a == "--to")
            to = v;
        else if (a == "--count")
            count = std::atol(v);
        else if (a == "--seconds")
            seconds = std::atof(v);
        else if (a == "--seed")
            seed = unsigned(std::strtoul(v, nullptr, 10));
        else
            usage("unknown option");
    }
    const size_t colon = to.rfind(':');
    if (colon == std::string::npos || count < 0 || seconds <= 0)
        usage("bad --to, --count or --seconds");
    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_port = htons(uint16_t(std::atoi(to.c_str() + colon + 1)));
    if (inet_pton(AF_INET, to.substr(0, colon).c_str(), &target.sin_addr) != 1)
        usage("bad address");

    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    if (fd < 0) {
        std::perror("socket");
        return 1;
    }
    Maker maker(seed);
    const auto start = std::chrono::steady_clock::now();
    const double perSecond = double(count) / seconds;
    long sent = 0;
    long failed = 0;
    long long bytes = 0;
    for (long i = 0; i < count;) {
        const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const long due = std::min(count, long(elapsed * perSecond) + 1);
        if (i >= due) {
            std::this_thread::sleep_for(std::chrono::microseconds(200));
            continue;
        }
        for (; i < due; ++i) {
            const std::string d = maker.next(i);
            if (::sendto(fd, d.data(), d.size(), 0, reinterpret_cast<const sockaddr *>(&target), sizeof target) < 0) {
                ++failed;
            } else {
                ++sent;
                bytes += (long long)d.size();
            }
        }
    }
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    ::close(fd);
    std::printf("SENT %ld FAILED %ld BYTES %lld MS %lld\n", sent, failed, bytes, (long long)ms);
    return 0;
}
