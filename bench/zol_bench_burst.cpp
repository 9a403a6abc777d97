// SPDX-License-Identifier: Apache-2.0
// Burst benchmark: N devices answer one discovery, each twice, all at once.
//
//   zol_bench_burst --devices 10000[,50000...] [--repeat R] [--copies C] [--shared K[/G]] [--check]
//
// For every N it alternates R runs of two children, each in a fresh process:
//   bare   - a plain receiver on UDP 2851 that reads the datagrams and does
//            nothing else (the limit);
//   window - the real main window on the offscreen platform, with the burst
//            going through its receiver thread into the device table.
// A sender process blasts the datagrams at full speed to 127.0.0.1:2851. Times
// run from the first datagram sent to the last one read (bare) or to the table
// holding all N rows (window). Prints the medians of the CPU time of all
// threads (and of the window's GUI and receiver threads, and how often it
// painted the list) and of the wall time, each with the ratio window/bare, the datagrams
// handled versus sent, the resident memory growth, the longest the GUI thread
// went without running a 5 ms timer, and with several N the scaling ratio of
// the largest N against the smallest. --shared is passed to the sender: K
// devices share IP addresses, G to an address, the rest have one each (by
// default every two devices share one).
//
// --check (for a quick small run) fails unless every window run handled
// every datagram and listed exactly N rows; it says nothing about speed.
//
// Runs only where the network namespace has nothing but loopback: the window
// broadcasts its start-up discovery from every local address.
// ZOL_BENCH_VERBOSE=1 keeps the children's diagnostics on standard error.

#include "benchcommon.h"

#include "ui/appshell.h"
#include "mainwindow/mainwindow.h"
#include "net/deviceresponseevent.h"
#include "net/messages.h"
#include "net/receivethread.h"
#include "net/responsesocket.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTimer>
#include <QTranslator>
#include <QTreeView>

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Options
{
    std::vector<int> devices;
    int repeat = 3;
    int copies = 2;
    bool check = false;
    std::string shared; // the sender's --shared value, if any
    std::string child; // "bare" or "window" in a child process
};

std::string g_shared;

std::vector<std::string> senderCommand(int devices, int copies)
{
    std::vector<std::string> command{bench::executableDir() + "/zol_bench_sender", "--devices", std::to_string(devices),
                                     "--copies", std::to_string(copies), "--to", "127.0.0.1", "--port",
                                     std::to_string(ResponsePort)};
    if (!g_shared.empty()) {
        command.push_back("--shared");
        command.push_back(g_shared);
    }
    return command;
}

// --- the bare limit ----------------------------------------------------------

int runBare(int devices, int copies)
{
    const long long expected = static_cast<long long>(devices) * copies;
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_UDP);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(ResponsePort);
    local.sin_addr.s_addr = htonl(INADDR_ANY);
    if (fd < 0 || ::bind(fd, reinterpret_cast<const sockaddr *>(&local), sizeof local) != 0) {
        std::perror("bare: bind 0.0.0.0:2851");
        return 1;
    }
    // The same kernel queue as the program's receiver gets.
    const int size = ResponseSocket::ReceiveBufferBytes;
    if (::setsockopt(fd, SOL_SOCKET, SO_RCVBUFFORCE, &size, sizeof size) != 0)
        ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &size, sizeof size);

    int senderOut = -1;
    const int sender = bench::spawnWithPipe(senderCommand(devices, copies), &senderOut);
    if (sender < 0) {
        std::fprintf(stderr, "bare: cannot start the sender\n");
        return 1;
    }
    const long long cpuBefore = bench::processCpuNs();

    char buffer[MaxDatagramText];
    long long received = 0;
    long long lastNs = 0;
    while (received < expected) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 2000) <= 0)
            break; // two quiet seconds: whatever is missing was lost
        if (::recv(fd, buffer, sizeof buffer, 0) >= 0) {
            ++received;
            lastNs = bench::nowNs();
        }
    }
    ::close(fd);
    const std::string out = bench::readAll(senderOut);
    bench::waitChild(sender);
    std::printf("%sdone_ns=%lld\nhandled=%lld\nrss_growth_kib=0\nstall_ms=0\ncpu_ms=%.1f\ngui_cpu_ms=0\n", out.c_str(),
                lastNs, received, (bench::processCpuNs() - cpuBefore) / 1e6);
    return 0;
}

// --- the real window -----------------------------------------------------------

// Watches the window from outside: counts the answer events it is handed and
// notes when the table first holds every device.
class BurstProbe final : public QObject
{
public:
    BurstProbe(Zol_ClientMainWindow *window, int devices)
        : m_window(window), m_devices(devices)
    {
        window->installEventFilter(this);
        window->MainList->viewport()->installEventFilter(this);
        connect(window->MainList->model(), &QAbstractItemModel::rowsInserted, this, [this] {
            if (fullNs == 0 && m_window->MainList->model()->rowCount() >= m_devices)
                fullNs = bench::nowNs();
        });
        m_tick.setTimerType(Qt::PreciseTimer);
        m_tick.setInterval(5);
        connect(&m_tick, &QTimer::timeout, this, [this] {
            const long long now = bench::nowNs();
            if (firstEventNs != 0 && m_lastTickNs != 0 && now - m_lastTickNs > maxStallNs)
                maxStallNs = now - m_lastTickNs;
            m_lastTickNs = now;
        });
        m_tick.start();
    }

    long long handled = 0;
    long long firstEventNs = 0;
    long long lastEventNs = 0;
    long long fullNs = 0;
    long long maxStallNs = 0;
    int paints = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched != m_window && firstEventNs != 0)
            ++paints;
        if (watched == m_window && event->type() == DeviceResponseEvent::eventType()) {
            ++handled;
            lastEventNs = bench::nowNs();
            if (firstEventNs == 0)
                firstEventNs = lastEventNs;
        }
        return false;
    }

private:
    Zol_ClientMainWindow *m_window;
    int m_devices;
    QTimer m_tick;
    long long m_lastTickNs = 0;
};

// A scratch folder for "config.cfg", with the message files linked in.
QString prepareScratchFolder()
{
    const QString binDir = QString::fromLocal8Bit(bench::executableDir().c_str());
    char pattern[] = "/tmp/zol_bench.XXXXXX";
    const char *made = ::mkdtemp(pattern);
    if (!made)
        return {};
    const QString dir = QString::fromLocal8Bit(made);
    for (const QString &qm : QDir(binDir).entryList({QStringLiteral("qrt_*.qm")}, QDir::Files))
        QFile::link(binDir + u'/' + qm, dir + u'/' + qm);
    if (::chdir(made) != 0)
        return {};
    return dir;
}

int runWindow(int argc, char **argv, int devices, int copies)
{
    const long long expected = static_cast<long long>(devices) * copies;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QString scratch = prepareScratchFolder();
    if (scratch.isEmpty()) {
        std::fprintf(stderr, "window: cannot make a scratch folder\n");
        return 1;
    }

    int messages = 0;
    int status = 0;
    {
        QApplication app(argc, argv);
        SetMessageHook([&messages](const QString &text) {
            ++messages;
            std::fprintf(stderr, "window: message box: %s\n", qPrintable(text));
        });
        AppTranslator = new QTranslator(&app);
        QCoreApplication::installTranslator(AppTranslator);

        auto window = std::make_unique<Zol_ClientMainWindow>(nullptr, nullptr, Qt::Window);
        window->MenuInit(true);
        window->show();

        // Let the window settle and its receiver bind before the burst.
        const long long settleUntil = bench::nowNs() + 300000000LL;
        while (bench::nowNs() < settleUntil || !bench::udpPortBound(ResponsePort)) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            ::usleep(2000);
            if (bench::nowNs() > settleUntil + 5000000000LL) {
                std::fprintf(stderr, "window: the receiver never bound UDP 2851\n");
                return 1;
            }
        }

        BurstProbe probe(window.get(), devices);
        const long long rssBefore = bench::residentKiB();
        const long long cpuBefore = bench::processCpuNs();
        const long long guiCpuBefore = bench::threadCpuNs();
        const long long receiverCpuBefore = bench::namedThreadsCpuNs("ReceiveThread");

        int senderOut = -1;
        const int sender = bench::spawnWithPipe(senderCommand(devices, copies), &senderOut);
        if (sender < 0) {
            std::fprintf(stderr, "window: cannot start the sender\n");
            return 1;
        }
        const long long startNs = bench::nowNs();

        QTimer watch;
        watch.setInterval(20);
        QObject::connect(&watch, &QTimer::timeout, &app, [&] {
            const long long now = bench::nowNs();
            const bool allIn = probe.handled >= expected && probe.fullNs != 0;
            const long long lastActivity = probe.lastEventNs ? probe.lastEventNs : startNs;
            if (allIn || now - lastActivity > 3000000000LL)
                QCoreApplication::quit();
        });
        watch.start();
        QCoreApplication::exec();

        const long long rssAfter = bench::residentKiB();
        const long long cpu = bench::processCpuNs() - cpuBefore;
        const long long guiCpu = bench::threadCpuNs() - guiCpuBefore;
        const long long receiverCpu = bench::namedThreadsCpuNs("ReceiveThread") - receiverCpuBefore;
        const std::string out = bench::readAll(senderOut);
        bench::waitChild(sender);
        const int rows = window->MainList->model()->rowCount();
        std::printf("%sdone_ns=%lld\nhandled=%lld\nrows=%d\nlast_event_ns=%lld\nrss_growth_kib=%lld\n"
                    "stall_ms=%.1f\nmessages=%d\ncpu_ms=%.1f\ngui_cpu_ms=%.1f\nreceiver_cpu_ms=%.1f\npaints=%d\n",
                    out.c_str(), probe.fullNs, probe.handled, rows, probe.lastEventNs, rssAfter - rssBefore,
                    probe.maxStallNs / 1e6, messages, cpu / 1e6, guiCpu / 1e6, receiverCpu / 1e6, probe.paints);
        if (rows != devices)
            status = 1;
        window.reset();
    }
    QDir(scratch).removeRecursively();
    return status;
}

// --- the driver ----------------------------------------------------------------

struct Run
{
    double ms = 0;
    long long handled = 0;
    long long sent = 0;
    long long rows = -1;
    double rssMiB = 0;
    double stallMs = 0;
    double cpuMs = 0;
    double guiCpuMs = 0;
    double receiverCpuMs = 0;
    int paints = 0;
    bool ok = false;
};

Run runChild(const std::string &mode, int devices, int copies)
{
    int out = -1;
    std::vector<std::string> command{bench::executableDir() + "/zol_bench_burst", "--child", mode, "--devices",
                                     std::to_string(devices), "--copies", std::to_string(copies)};
    if (!g_shared.empty()) {
        command.push_back("--shared");
        command.push_back(g_shared);
    }
    const int pid = bench::spawnWithPipe(command, &out);
    Run run;
    if (pid < 0)
        return run;
    const std::string text = bench::readAll(out);
    const int status = bench::waitChild(pid);
    const long long first = std::atoll(bench::valueOf(text, "first_send_ns").c_str());
    const long long done = std::atoll(bench::valueOf(text, "done_ns").c_str());
    run.handled = std::atoll(bench::valueOf(text, "handled").c_str());
    run.sent = std::atoll(bench::valueOf(text, "sent").c_str());
    const std::string rows = bench::valueOf(text, "rows");
    run.rows = rows.empty() ? -1 : std::atoll(rows.c_str());
    run.rssMiB = std::atof(bench::valueOf(text, "rss_growth_kib").c_str()) / 1024.0;
    run.stallMs = std::atof(bench::valueOf(text, "stall_ms").c_str());
    run.cpuMs = std::atof(bench::valueOf(text, "cpu_ms").c_str());
    run.guiCpuMs = std::atof(bench::valueOf(text, "gui_cpu_ms").c_str());
    run.receiverCpuMs = std::atof(bench::valueOf(text, "receiver_cpu_ms").c_str());
    run.paints = std::atoi(bench::valueOf(text, "paints").c_str());
    run.ms = (first > 0 && done > first) ? (done - first) / 1e6 : 0;
    // A run that showed any message box is no run of the device list.
    run.ok = status == 0 && first > 0 && done > first && std::atoi(bench::valueOf(text, "messages").c_str()) == 0;
    if (!run.ok)
        std::fprintf(stderr, "%s run (N=%d) failed, exit %d:\n%s", mode.c_str(), devices, status, text.c_str());
    return run;
}

int drive(const Options &options)
{
    bench::printLoad();
    bool failed = false;
    std::vector<double> windowMedians;
    for (int devices : options.devices) {
        const long long expected = static_cast<long long>(devices) * options.copies;
        std::vector<double> bareMs, windowMs, rss, stall, bareCpu, windowCpu, guiCpu, receiverCpu;
        long long worstLoss = 0;
        long long worstBareLoss = 0;
        for (int r = 0; r < options.repeat; ++r) {
            const Run bare = runChild("bare", devices, options.copies);
            const Run win = runChild("window", devices, options.copies);
            std::printf("N=%d run %d: bare %.1f ms (%lld/%lld read, CPU %.1f ms)  window %.1f ms (%lld/%lld handled, "
                        "%lld rows, +%.1f MiB, longest GUI stall %.1f ms, CPU %.1f ms, GUI thread %.1f ms, receiver "
                        "thread %.1f ms, %d paints)\n",
                        devices, r + 1, bare.ms, bare.handled, bare.sent, bare.cpuMs, win.ms, win.handled, win.sent,
                        win.rows, win.rssMiB, win.stallMs, win.cpuMs, win.guiCpuMs, win.receiverCpuMs, win.paints);
            std::fflush(stdout);
            if (bare.ok && bare.handled == bare.sent)
                bareMs.push_back(bare.ms);
            worstBareLoss = std::max(worstBareLoss, expected - bare.handled);
            if (win.ok)
                windowMs.push_back(win.ms);
            rss.push_back(win.rssMiB);
            bareCpu.push_back(bare.cpuMs);
            windowCpu.push_back(win.cpuMs);
            guiCpu.push_back(win.guiCpuMs);
            receiverCpu.push_back(win.receiverCpuMs);
            stall.push_back(win.stallMs);
            worstLoss = std::max(worstLoss, expected - win.handled);
            if (!win.ok || win.handled != expected || win.sent != expected || win.rows != devices)
                failed = true;
        }
        const double b = bench::median(bareMs);
        const double w = bench::median(windowMs);
        windowMedians.push_back(w);
        // CPU time first: a slow sender stretches the wall times of both alike.
        const double cb = bench::median(bareCpu);
        const double cw = bench::median(windowCpu);
        std::printf("N=%d (%lld datagrams), medians of %d: CPU bare %.1f ms, window %.1f ms (GUI thread %.1f ms, "
                    "receiver thread %.1f ms), ratio %.2f; wall bare %.1f ms, window %.1f ms, ratio %.2f; lost at "
                    "most %lld (bare %lld); memory growth %.1f MiB; longest GUI stall %.1f ms\n",
                    devices, expected, options.repeat, cb, cw, bench::median(guiCpu), bench::median(receiverCpu),
                    cb > 0 ? cw / cb : 0.0, b, w,
                    b > 0 ? w / b : 0.0, worstLoss, worstBareLoss, bench::median(rss), bench::median(stall));
        std::fflush(stdout);
    }
    if (options.devices.size() > 1 && windowMedians.front() > 0)
        std::printf("scaling: time(N=%d) / time(N=%d) = %.2f\n", options.devices.back(), options.devices.front(),
                    windowMedians.back() / windowMedians.front());
    if (options.check && failed) {
        std::printf("FAIL: a window run lost datagrams or did not list every device\n");
        return 1;
    }
    return 0;
}

bool parseOptions(int argc, char **argv, Options *options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool hasValue = i + 1 < argc;
        if (a == "--devices" && hasValue) {
            std::stringstream list(argv[++i]);
            std::string item;
            while (std::getline(list, item, ','))
                options->devices.push_back(std::atoi(item.c_str()));
        } else if (a == "--repeat" && hasValue) {
            options->repeat = std::atoi(argv[++i]);
        } else if (a == "--copies" && hasValue) {
            options->copies = std::atoi(argv[++i]);
        } else if (a == "--shared" && hasValue) {
            options->shared = argv[++i];
        } else if (a == "--check") {
            options->check = true;
        } else if (a == "--child" && hasValue) {
            options->child = argv[++i];
        } else {
            return false;
        }
    }
    if (options->devices.empty() || options->repeat < 1 || options->copies < 1)
        return false;
    for (int d : options->devices)
        if (d < 1)
            return false;
    return options->child.empty() || options->child == "bare" || options->child == "window";
}

} // namespace

int main(int argc, char **argv)
{
    Options options;
    if (!parseOptions(argc, argv, &options)) {
        std::fprintf(stderr, "usage: zol_bench_burst --devices N[,N...] [--repeat R] [--copies C] [--shared K[/G]] "
                             "[--check]\n");
        return 2;
    }
    g_shared = options.shared;
    if (!bench::onlyLoopback()) {
        std::fprintf(stderr, "zol_bench_burst: run me in a network namespace with only loopback "
                             "(unshare -n; see bench/run-benchmarks.sh)\n");
        return 77;
    }
    if (options.child == "bare")
        return runBare(options.devices.front(), options.copies);
    if (options.child == "window")
        return runWindow(argc, argv, options.devices.front(), options.copies);
    return drive(options);
}
