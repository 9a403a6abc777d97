// SPDX-License-Identifier: Apache-2.0
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

#include "windowbench.h"

#include "commissioning/commissioningdialog.h"
#include "commissioning/commissioningmodel.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

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
    bench::settle();
    times.add(bench::nowNs() - wall, bench::threadCpuNs() - cpu);
}

} // namespace

int main(int argc, char **argv)
{
    bench::WindowOptions options{1000, 5, QStringLiteral("10.0.50.1")};
    if (const int status = bench::prepareWindowBench("zol_bench_commission", argc, argv, &options); status >= 0)
        return status;
    const int devices = options.devices, repeat = options.repeat;
    const QString text = options.text;

    QApplication app(argc, argv);
    int status = 0;
    {
        Zol_ClientMainWindow window;
        window.show();
        bench::fillWindow(window, devices, 0);
        window.MainList->setCurrentIndex(window.MainList->model()->index(0, 0));
        bench::settle();

        bench::printLoad();
        Times open;
        std::vector<Times> perKey(std::size_t(text.size()));
        for (int r = 0; r < repeat; ++r) {
            timed(open, [&] { window.MAssignAddresses->trigger(); });
            auto *dialog = window.findChild<CommissioningDialog *>();
            dialog->CheckAll->click();
            bench::settle();
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
            bench::settle();
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
