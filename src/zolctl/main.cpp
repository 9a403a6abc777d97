// SPDX-License-Identifier: Apache-2.0
// zolctl: find ZOL devices and change their settings from a terminal, without a window.

#include "zolctl/commands.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const CtlParseResult parsed = ParseCtlArguments(app.arguments().mid(1));
    if (!parsed.error.isEmpty()) {
        std::fprintf(stderr, "zolctl: %s\n", parsed.error.toLocal8Bit().constData());
        return ExitUsage;
    }
    return RunCtlCommand(parsed.options);
}
