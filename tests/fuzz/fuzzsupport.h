// SPDX-License-Identifier: Apache-2.0
#pragma once

// Shared by the fuzz targets: a widget application on the offscreen platform
// in a private folder, quiet diagnostics, a network that sends nothing, and a
// check that stops the run (libFuzzer keeps the input that made it fail).

#include "net/networkplatform.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition, what)                                                                \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "FUZZ CHECK FAILED at %s:%d: %s\n", __FILE__, __LINE__, what);    \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

namespace fuzz {

// No adapter, nothing sent: a discovery is only its effect on the table.
class SilentNetwork final : public NetworkPlatform
{
public:
    ListResult listAdapters(QList<Adapter> *adapters) override
    {
        adapters->clear();
        return ListResult::Ok;
    }
    bool addressToText(const UnicastAddress &, char *, std::size_t *) override { return false; }
    bool sendBroadcast(const QByteArray &, const unsigned char *) override { return false; }
};

// The window reads and writes "config.cfg" in the current folder: a private
// one. Warnings come by the thousand; a fatal message still ends the run.
inline void startApplication()
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("ZOL_FUZZ_VERBOSE"))
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
            FUZZ_CHECK(type != QtFatalMsg, qPrintable(text));
        });
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    new QApplication(argc, argv);
    static QTemporaryDir folder;
    FUZZ_CHECK(folder.isValid() && QDir::setCurrent(folder.path()), "no private folder");
}

} // namespace fuzz
