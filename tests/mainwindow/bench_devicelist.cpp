// Prints how long the device table takes to take in many device answers.
// Run it in a private namespace (it starts the window's receiver):
//   tools/in-private-netns.sh env QT_QPA_PLATFORM=offscreen build/tests/bench_devicelist [count]

#include "mainwindow/mainwindow.h"
#include "net/deviceresponseevent.h"
#include "net/networkplatform.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QElapsedTimer>
#include <QThread>
#include <QTreeWidget>

#include <cstdio>

namespace {

// Sends nothing: the figures are about the table alone.
class SilentPlatform final : public NetworkPlatform
{
public:
    ListResult listAdapters(QList<Adapter> *) override { return ListResult::Ok; }
    bool addressToText(const UnicastAddress &, char *, std::size_t *) override { return false; }
    bool sendBroadcast(const QByteArray &, const unsigned char *) override { return false; }
};

QString answer(int i, int variant)
{
    return QStringLiteral("ZOL_READ_RESPONSE,0,1,%1,00:50:C2:%2,10.%3.%4.%5,255.255.0.0,10.0.0.1,TRUE,Device_%6,Hall %7,0%8")
        .arg(QString::number(0x100000 + i, 16))
        .arg(i, 6, 16, QLatin1Char('0'))
        .arg(variant).arg(i / 256 % 256).arg(i % 256)
        .arg(i).arg(i % 17)
        .arg(i % 3 == 0 ? QStringLiteral(",Type %1").arg(i % 5) : QString());
}

double run(Zol_ClientMainWindow &window, int count, int variant, bool oneByOne)
{
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < count; ++i) {
        QCoreApplication::postEvent(&window, new DeviceResponseEvent(answer(i, variant)));
        if (oneByOne)
            QCoreApplication::processEvents();
    }
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    return double(timer.nsecsElapsed()) / 1e6;
}

// Answers posted from another thread at a steady pace, as the receiver
// does while a burst comes in; the GUI thread runs its loop meanwhile.
double runPaced(Zol_ClientMainWindow &window, int count, int variant, int microsBetween)
{
    QElapsedTimer timer;
    timer.start();
    QThread *poster = QThread::create([&window, count, variant, microsBetween] {
        for (int i = 0; i < count; ++i) {
            QCoreApplication::postEvent(&window, new DeviceResponseEvent(answer(i, variant)));
            if (microsBetween)
                QThread::usleep(static_cast<unsigned long>(microsBetween));
        }
    });
    poster->start();
    while (!poster->isFinished())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    poster->wait();
    const double posted = double(timer.nsecsElapsed()) / 1e6;
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    std::printf("  (last answer posted after %.1f ms)\n", posted);
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    // The window writes its layout file into the current folder.
    QTemporaryDir folder;
    QDir::setCurrent(folder.path());
    const int count = argc > 1 ? QByteArray(argv[1]).toInt() : 5000;
    SilentPlatform platform;
    SetNetworkPlatform(&platform);
    Zol_ClientMainWindow window;
    window.show();

    std::printf("answers: %d\n", count);
    std::printf("new devices, all answers queued:   %8.1f ms\n", run(window, count, 1, false));
    std::printf("known devices, refreshed, queued:  %8.1f ms\n", run(window, count, 2, false));
    window.Find_All_clicked();
    std::printf("new devices, one event loop each:  %8.1f ms\n", run(window, count, 1, true));
    std::printf("known devices, one loop each:      %8.1f ms\n", run(window, count, 2, true));
    window.Find_All_clicked();
    std::printf("new devices, paced 100 us apart:  %8.1f ms\n", runPaced(window, count, 1, 100));
    window.Find_All_clicked();
    std::printf("new devices, paced 1 ms apart:    %8.1f ms\n", runPaced(window, count, 1, 1000));
    std::printf("rows: %d\n", window.MainList->topLevelItemCount());
    SetNetworkPlatform(nullptr);
    return 0;
}
