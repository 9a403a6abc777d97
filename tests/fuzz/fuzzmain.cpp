// SPDX-License-Identifier: Apache-2.0
// Replays files (or every file in folders) through a fuzz target's entry
// point, without libFuzzer: the seed corpus in the ordinary and sanitizer
// builds, or one finding by hand.   fuzz_<name> FILE_OR_FOLDER...

#include <QDirIterator>
#include <QFile>

#include <cstdint>
#include <cstdio>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv);
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

int main(int argc, char **argv)
{
    LLVMFuzzerInitialize(&argc, &argv);
    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        QStringList files{QString::fromLocal8Bit(argv[i])};
        if (QFileInfo(files.first()).isDir()) {
            files.clear();
            for (QDirIterator it(QString::fromLocal8Bit(argv[i]), QDir::Files); it.hasNext();)
                files << it.next();
            files.sort();
        }
        for (const QString &path : std::as_const(files)) {
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
                return 2;
            }
            const QByteArray bytes = file.readAll();
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()));
            ++replayed;
        }
    }
    std::printf("%d inputs replayed\n", replayed);
    std::fflush(stdout);
    // The target's window and application stay alive to the end, as under
    // libFuzzer: leaks are what is no longer reachable now.
#if defined(__SANITIZE_ADDRESS__)
    __lsan_do_leak_check();
#endif
    _exit(replayed > 0 ? 0 : 2);
}
