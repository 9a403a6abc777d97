#pragma once

// Shared pieces of the fuzz targets: a widget application on the offscreen
// platform, quiet diagnostics, a network that sends nothing, and a check that
// stops the run (libFuzzer keeps the input that made it fail).

#include "net/networkplatform.h"

#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QTemporaryDir>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#define FUZZ_CHECK(condition, what)                                                                \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "FUZZ CHECK FAILED at %s:%d: %s\n  (%s)\n", __FILE__, __LINE__,  \
                         what, #condition);                                                        \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

// LeakSanitizer comes with AddressSanitizer.
#if defined(__SANITIZE_ADDRESS__)
#define ZOL_FUZZ_HAVE_LSAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZOL_FUZZ_HAVE_LSAN 1
#endif
#endif
#if defined(ZOL_FUZZ_HAVE_LSAN)
#include <sanitizer/lsan_interface.h>
#endif

namespace fuzz {

// Resident memory of this process in kB (-1 if unknown).
inline long long residentKb()
{
    std::FILE *status = std::fopen("/proc/self/status", "r");
    if (!status)
        return -1;
    char line[256];
    long long kb = -1;
    while (std::fgets(line, sizeof line, status)) {
        if (std::sscanf(line, "VmRSS: %lld kB", &kb) == 1)
            break;
    }
    std::fclose(status);
    return kb;
}

// A leak check now and then, for targets whose state keeps (bounded) caches
// that grow from input to input, where libFuzzer's check after every input
// would run nearly every time. The leak's stack is reported; the run stops.
inline void checkLeaksEvery(int inputs)
{
#if defined(ZOL_FUZZ_HAVE_LSAN)
    static int count = 0;
    if (++count % inputs == 0 && __lsan_do_recoverable_leak_check() != 0) {
        std::fprintf(stderr, "FUZZ CHECK FAILED: memory leaked within the last %d inputs\n", inputs);
        std::abort();
    }
#else
    (void)inputs;
#endif
}

// Sends nothing and lists no adapter: a discovery is then only its effect on
// the table. The counter shows that sends were asked for.
class SilentNetwork final : public NetworkPlatform
{
public:
    ListResult listAdapters(QList<Adapter> *adapters) override
    {
        adapters->clear();
        return ListResult::Ok;
    }
    bool addressToText(const UnicastAddress &, char *, std::size_t *) override { return false; }
    bool sendBroadcast(const QByteArray &, const unsigned char *) override
    {
        ++sends;
        return false;
    }
    int sends = 0;
};

inline void quietMessages(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    // Traces and warnings are expected by the thousand; a fatal message is a
    // finding and must still end the run.
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "Qt fatal: %s\n", qPrintable(text));
        std::abort();
    }
}

struct Process
{
    QApplication *app = nullptr;
    QTemporaryDir *folder = nullptr;
    std::vector<std::function<void()>> tearDownSteps;
};

inline Process &process()
{
    static Process p;
    return p;
}

// Ends what the target made, in reverse order, then the application object:
// the order a program's main() would keep. The replay driver calls it before
// it returns; libFuzzer ends the process without it (its runs check leaks
// after each input instead of at exit).
inline void tearDown()
{
    Process &p = process();
    while (!p.tearDownSteps.empty()) {
        const std::function<void()> step = std::move(p.tearDownSteps.back());
        p.tearDownSteps.pop_back();
        step();
    }
    delete p.app;
    p.app = nullptr;
    delete p.folder;
    p.folder = nullptr;
}

inline void atTearDown(std::function<void()> step)
{
    process().tearDownSteps.push_back(std::move(step));
}

// The application object, on the offscreen platform, with a private current
// folder (a window reads and writes "config.cfg" there) and without
// diagnostic output unless ZOL_FUZZ_VERBOSE is set.
inline void startApplication(const char *name)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("ZOL_FUZZ_VERBOSE"))
        qInstallMessageHandler(quietMessages);
    static int argc = 1;
    static char program[64];
    std::snprintf(program, sizeof program, "%s", name);
    static char *argv[] = {program, nullptr};
    Process &p = process();
    p.app = new QApplication(argc, argv);
    p.folder = new QTemporaryDir;
    if (!p.folder->isValid() || !QDir::setCurrent(p.folder->path())) {
        std::fprintf(stderr, "no private folder for the fuzz target\n");
        std::abort();
    }
}

} // namespace fuzz
