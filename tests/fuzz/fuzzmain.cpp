// Runs a fuzz target's entry point once per file, without libFuzzer: the
// ordinary and sanitizer builds replay the seed corpus (and any crash file
// given on the command line) through it.
//   fuzz_<name> FILE_OR_FOLDER...

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
    for (int i = 1; i < argc; ++i) {
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
    for (const QString &path : std::as_const(files)) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
            return 2;
        }
        const QByteArray bytes = file.readAll();
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()));
    }
    fuzz::tearDown();
    std::printf("%lld inputs replayed\n", static_cast<long long>(files.size()));
    return 0;
}
