// SPDX-License-Identifier: Apache-2.0
#include "app/application.h"

#include "app/commandline.h"
#include "app/fontwarmup.h"
#include "app/instancelock.h"
#include "mainwindow/mainwindow.h"
#include "ui/appshell.h"

#include <QApplication>
#include <QTranslator>

namespace {

// Held from the moment it is obtained until the process ends.
InstanceLock *InstanceSemaphore = nullptr;

} // namespace

int ZolClientMain(int argc, char **argv)
{
    InstanceSemaphore = new InstanceLock;
    FontConfigWarmUp fonts;
    QApplication app(argc, argv);
    fonts.wait();

    AppTranslator = new QTranslator;
    QCoreApplication::installTranslator(AppTranslator);

    if (ParseCommandLine(argc, argv) < 0) {
        ShowMessage(QStringLiteral("Invalid parameters.\n\nExample:\nZol_Client /s en"));
        return 1;
    }

    if (!InstanceSemaphore->tryAcquire(500)) {
        delete InstanceSemaphore;
        InstanceSemaphore = nullptr;
        // The same box as every other message, built before any window exists.
        ShowMessage(QStringLiteral("Cannot execute, there is a copy already running."));
        return 0;
    }

    {
        Zol_ClientMainWindow window(nullptr, nullptr, Qt::Window);
        window.MenuInit(true);
        window.show();
        QApplication::exec();
    }
    return 0;
}
