// SPDX-License-Identifier: Apache-2.0
#pragma once

// What the benchmarks that drive the real main window on the offscreen
// platform share: their options, their checks before the window starts, and
// a window filled with the simulated devices.

#include "benchcommon.h"

#include "mainwindow/mainwindow.h"
#include "net/deviceresponseevent.h"

#include <QAbstractItemModel>
#include <QCoreApplication>
#include <QString>
#include <QTreeView>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace bench {

struct WindowOptions
{
    int devices;
    int repeat;
    QString text;
};

// Reads "[--devices N] [--repeat R] [--text T]" over the defaults given, then
// makes sure the client may broadcast (only loopback in this namespace),
// makes a scratch folder current (for config.cfg), picks the offscreen
// platform and, unless ZOL_BENCH_VERBOSE is set, silences Qt's messages.
// Returns the exit status to end with, or -1 to go on.
inline int prepareWindowBench(const char *name, int argc, char **argv, WindowOptions *options)
{
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--devices")
            options->devices = std::atoi(argv[i + 1]);
        else if (option == "--repeat")
            options->repeat = std::atoi(argv[i + 1]);
        else if (option == "--text")
            options->text = QString::fromLocal8Bit(argv[i + 1]);
    }
    if (options->devices < 1 || options->repeat < 1 || options->text.isEmpty() || argc % 2 == 0) {
        std::fprintf(stderr, "usage: %s [--devices N] [--repeat R] [--text T]\n", name);
        return 2;
    }
    if (!onlyLoopback()) {
        std::fprintf(stderr, "%s: run me in a network namespace with only loopback "
                             "(unshare -n; see bench/run-benchmarks.sh)\n", name);
        return 77;
    }
    static char scratch[] = "/tmp/zol_bench.XXXXXX";
    if (!::mkdtemp(scratch) || ::chdir(scratch) != 0)
        return 1;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The window's own diagnostics would bury the figures.
    if (!verbose())
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    return -1;
}

// Lets the window handle what the last step posted: layouts and painting.
inline void settle()
{
    for (int i = 0; i < 4; ++i)
        QCoreApplication::processEvents();
}

// Hands the window the answers of `devices` simulated devices (deviceAnswer()
// with `shared`) and waits until it lists them all.
inline void fillWindow(Zol_ClientMainWindow &window, int devices, int shared = -1)
{
    for (int i = 0; i < devices; ++i) {
        DeviceResponseEvent answer(QString::fromLatin1(deviceAnswer(i, shared)));
        QCoreApplication::sendEvent(&window, &answer);
    }
    const QAbstractItemModel *list = window.MainList->model();
    const long long deadline = nowNs() + 10000000000LL;
    while (list->rowCount() < devices && nowNs() < deadline)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    settle();
}

} // namespace bench
