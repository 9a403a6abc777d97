// Runs a fuzz target's entry point once per file, without libFuzzer: the
// ordinary and sanitizer builds replay the seed corpus (and any crash file
// given on the command line) through it. --repeat runs the whole set N times
// (a soak: memory must not grow from round to round).
//   fuzz_<name> [--repeat N] FILE_OR_FOLDER...

#include "fuzzsupport.h"

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv);
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

int main(int argc, char **argv)
{
    LLVMFuzzerInitialize(&argc, &argv);
    QStringList files;
    int repeat = 1;
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "--repeat") == 0 && i + 1 < argc) {
            repeat = qMax(1, QByteArray(argv[++i]).toInt());
            continue;
        }
        const QString path = QString::fromLocal8Bit(argv[i]);
        if (QFileInfo(path).isDir()) {
            QDirIterator it(path, QDir::Files, QDirIterator::Subdirectories);
            QStringList found;
            while (it.hasNext())
                found << it.next();
            found.sort();
            files << found;
        } else {
            files << path;
        }
    }
    if (files.isEmpty()) {
        std::fprintf(stderr, "usage: %s FILE_OR_FOLDER...\n", argc > 0 ? argv[0] : "fuzz");
        return 2;
    }
    QList<QByteArray> inputs;
    for (const QString &path : std::as_const(files)) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
            return 2;
        }
        inputs << file.readAll();
    }
    for (int round = 1; round <= repeat; ++round) {
        for (const QByteArray &bytes : std::as_const(inputs))
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()));
        if (repeat > 1 && (round == 1 || round == repeat || round % 100 == 0))
            std::printf("round %d: %lld kB resident\n", round, fuzz::residentKb());
    }
    fuzz::tearDown();
    std::printf("%lld inputs replayed\n", static_cast<long long>(inputs.size()) * repeat);
    return 0;
}
