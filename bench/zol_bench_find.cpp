// SPDX-License-Identifier: Apache-2.0
// Find bar benchmark (B7): with N devices listed in the real main window
// (offscreen platform), the GUI thread's CPU time for each key typed into the
// find bar until the list is laid out and painted again, and for Esc, which
// clears the filter and shows every row again.
//
//   zol_bench_find [--devices N] [--repeat R] [--text T]
//
// Defaults: 50,000 devices (the benchmarks' simulated ones, as answers posted
// to the window), 5 repeats, the text "Hall 42" (about half the devices are in
// a hall, then fewer with every key). Prints the median of each key over the
// repeats, the worst of all, and the median of clearing.
//
// Runs only where the network namespace has nothing but loopback: the window
// broadcasts its start-up discovery from every local address.

#include "windowbench.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include <cstdio>
#include <vector>

namespace {

void press(QWidget *widget, int key, const QString &text = QString())
{
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(widget, &down);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(widget, &up);
}

} // namespace

int main(int argc, char **argv)
{
    bench::WindowOptions options{50000, 5, QStringLiteral("Hall 42")};
    if (const int status = bench::prepareWindowBench("zol_bench_find", argc, argv, &options); status >= 0)
        return status;
    const int devices = options.devices, repeat = options.repeat;
    const QString text = options.text;

    QApplication app(argc, argv);
    int status = 0;
    {
        Zol_ClientMainWindow window;
        window.show();
        bench::fillWindow(window, devices);
        const QAbstractItemModel *list = window.MainList->model();
        window.MFind->trigger();
        auto *field = window.findChild<QWidget *>(QStringLiteral("FindBar"))->findChild<QLineEdit *>();

        bench::printLoad();
        std::vector<std::vector<double>> keys(std::size_t(text.size()));
        std::vector<double> clearing;
        std::vector<int> found(std::size_t(text.size()));
        double worst = 0;
        for (int r = 0; r < repeat; ++r) {
            for (qsizetype k = 0; k < text.size(); ++k) {
                const long long before = bench::threadCpuNs();
                press(field, text.at(k).toUpper().unicode(), text.mid(k, 1));
                bench::settle();
                const double ms = (bench::threadCpuNs() - before) / 1e6;
                keys[std::size_t(k)].push_back(ms);
                worst = std::max(worst, ms);
                found[std::size_t(k)] = list->rowCount();
            }
            const long long before = bench::threadCpuNs();
            press(field, Qt::Key_Escape);
            bench::settle();
            clearing.push_back((bench::threadCpuNs() - before) / 1e6);
            if (list->rowCount() != devices || field->text() != text) {
                std::fprintf(stderr, "zol_bench_find: the find bar did not filter as typed\n");
                status = 1;
            }
            // Open again, empty.
            window.MFind->trigger();
            field->clear();
            bench::settle();
        }
        std::printf("N=%d, text \"%s\", medians of %d, GUI thread CPU time per key (rows shown):", devices,
                    qPrintable(text), repeat);
        for (std::size_t k = 0; k < keys.size(); ++k)
            std::printf(" %.1f ms (%d)", bench::median(keys[k]), found[k]);
        std::printf("; worst %.1f ms; Esc, every row shown again: %.1f ms\n", worst, bench::median(clearing));
    }
    return status;
}
