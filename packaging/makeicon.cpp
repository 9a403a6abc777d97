// SPDX-License-Identifier: Apache-2.0
// Writes the program's 16x16 window icon as PNG files for the desktop's icon
// theme, enlarged by whole pixels so the little table stays crisp.
// Usage: zol_makeicon <output folder> <size>...
// Each size lands in <output folder>/<size>x<size>/apps/zol-client.png.

#include "forms/images.h"

#include <QDir>
#include <QImage>
#include <QString>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <output folder> <size>...\n", argv[0]);
        return 2;
    }
    const QImage icon(WindowIconXpm);
    if (icon.isNull()) {
        std::fprintf(stderr, "zol_makeicon: the window icon does not decode\n");
        return 1;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    for (int i = 2; i < argc; ++i) {
        bool ok = false;
        const int size = QString::fromLatin1(argv[i]).toInt(&ok);
        if (!ok || size < icon.width() || size % icon.width() != 0) {
            std::fprintf(stderr, "zol_makeicon: size %s is not a multiple of %d\n", argv[i], icon.width());
            return 2;
        }
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(root).arg(size);
        if (!QDir().mkpath(folder)) {
            std::fprintf(stderr, "zol_makeicon: cannot create %s\n", qPrintable(folder));
            return 1;
        }
        const QImage scaled = icon.convertToFormat(QImage::Format_ARGB32)
                                  .scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        const QString file = folder + QStringLiteral("/zol-client.png");
        if (!scaled.save(file, "PNG")) {
            std::fprintf(stderr, "zol_makeicon: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
