// SPDX-License-Identifier: Apache-2.0
#include "app/commandline.h"

#include "ui/appshell.h"

#include <QString>

namespace {

bool isLanguageSwitch(const char *arg)
{
    const QString text = QString::fromLocal8Bit(arg);
    return text.compare(QLatin1String("/s"), Qt::CaseInsensitive) == 0
        || text.compare(QLatin1String("-s"), Qt::CaseInsensitive) == 0;
}

} // namespace

int ParseCommandLine(int argc, char **argv)
{
    for (int i = 1; i < argc; i += 2) {
        if (!isLanguageSwitch(argv[i]) || i + 1 >= argc)
            return -1;
        CurrentLanguage = QString::fromLocal8Bit(argv[i + 1]);
    }
    return 0;
}
