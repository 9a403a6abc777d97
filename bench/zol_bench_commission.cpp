// Commissioning dialog benchmark (B8): with N devices listed in the real main
// window (offscreen platform), the time Assign Addresses takes to open until
// the dialog is laid out and painted, and, with every device checked, the
// time each key typed into the first address takes until the previews of all
// rows are worked out and painted again. Wall time and the GUI thread's CPU
// time.
//
//   zol_bench_commission [--devices N] [--repeat R] [--text T]
//
// Defaults: 1,000 devices (the benchmarks' simulated ones, as answers posted
// to the window), 5 repeats, the first address "10.0.50.1" typed key by key.
// Prints the medians over the repeats and the worst key.
//
// Runs only where the network namespace has nothing but loopback: the window
// broadcasts its start-up discovery from every local address.

#include "benchcommon.h"

#include "commissioning/commissioningdialog.h"
#include "commissioning/commissioningmodel.h"
#include "mainwindow/mainwindow.h"
#include "net/deviceresponseevent.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Lets the window handle what the last step posted: layouts and painting.
void settle()
{
    for (int i = 0; i < 4; ++i)
        QCoreApplication::processEvents();
}

struct Times
{
    std::vector<double> wall, cpu;
    void add(long long wallNs, long long cpuNs)
    {
        wall.push_back(wallNs / 1e6);
        cpu.push_back(cpuNs / 1e6);
    }
};

// Runs step and then settles, timing both.
template <typename Step>
void timed(Times &times, Step &&step)
{
    const long long wall = bench::nowNs(), cpu = bench::threadCpuNs();
    step();
    settle();
    times.add(bench::nowNs() - wall, bench::threadCpuNs() - cpu);
}

} // namespace

int main(int argc, char **argv)
{
    int devices = 1000;
    int repeat = 5;
    QString text = QStringLiteral("10.0.50.1");
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--devices")
            devices = std::atoi(argv[i + 1]);
        else if (option == "--repeat")
            repeat = std::atoi(argv[i + 1]);
        else if (option == "--text")
            text = QString::fromLocal8Bit(argv[i + 1]);
    }
    if (devices < 1 || repeat < 1 || text.isEmpty() || argc % 2 == 0) {
        std::fprintf(stderr, "usage: zol_bench_commission [--devices N] [--repeat R] [--text T]\n");
        return 2;
    }
    if (!bench::onlyLoopback()) {
        std::fprintf(stderr, "zol_bench_commission: run me in a network namespace with only loopback "
                             "(unshare -n; see bench/run-benchmarks.sh)\n");
        return 77;
    }
    char scratch[] = "/tmp/zol_bench.XXXXXX"; // for config.cfg
    if (!::mkdtemp(scratch) || ::chdir(scratch) != 0)
        return 1;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication app(argc, argv);
    int status = 0;
    {
        Zol_ClientMainWindow window;
        window.show();
        for (int i = 0; i < devices; ++i) {
            DeviceResponseEvent answer(QString::fromLatin1(bench::deviceAnswer(i, 0)));
            QCoreApplication::sendEvent(&window, &answer);
        }
        const QAbstractItemModel *list = window.MainList->model();
        const long long deadline = bench::nowNs() + 10000000000LL;
        while (list->rowCount() < devices && bench::nowNs() < deadline)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        window.MainList->setCurrentIndex(list->index(0, 0));
        settle();

        bench::printLoad();
        Times open;
        std::vector<Times> perKey(std::size_t(text.size()));
        for (int r = 0; r < repeat; ++r) {
            timed(open, [&] { window.MAssignAddresses->trigger(); });
            auto *dialog = window.findChild<CommissioningDialog *>();
            dialog->CheckAll->click();
            settle();
            QLineEdit *field = dialog->First_Address;
            field->setFocus();
            field->selectAll();
            for (qsizetype k = 0; k < text.size(); ++k) {
                const QChar c = text.at(k);
                timed(perKey[std::size_t(k)], [&] {
                    QKeyEvent down(QEvent::KeyPress, int(c.unicode()), Qt::NoModifier, QString(c));
                    QCoreApplication::sendEvent(field, &down);
                });
            }
            if (field->text() != text || !dialog->Apply->isEnabled()
                || dialog->rows()->checkedRows().size() != std::size_t(devices)) {
                std::fprintf(stderr, "zol_bench_commission: the range was not taken as typed\n");
                status = 1;
            }
            dialog->close();
            delete dialog;
            settle();
        }
        Times keys;
        for (const Times &key : perKey) {
            keys.wall.insert(keys.wall.end(), key.wall.begin(), key.wall.end());
            keys.cpu.insert(keys.cpu.end(), key.cpu.begin(), key.cpu.end());
        }
        const double worstKey = *std::max_element(keys.wall.begin(), keys.wall.end());
        std::printf("N=%d, medians of %d: open %.1f ms (GUI thread CPU %.1f ms); each key of \"%s\" with all "
                    "checked %.1f ms (CPU %.1f ms), worst %.1f ms\n",
                    devices, repeat, bench::median(open.wall), bench::median(open.cpu), qPrintable(text),
                    bench::median(keys.wall), bench::median(keys.cpu), worstKey);
        // The addresses typed so far that are whole work out every row's preview.
        std::printf("each key, wall (CPU) ms:");
        for (qsizetype k = 0; k < text.size(); ++k)
            std::printf(" \"%s\" %.1f (%.1f)", qPrintable(text.left(k + 1)), bench::median(perKey[std::size_t(k)].wall),
                        bench::median(perKey[std::size_t(k)].cpu));
        std::printf("\n");
    }
    return status;
}
