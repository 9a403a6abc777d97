// SPDX-License-Identifier: Apache-2.0
// Fuzz target: "config.cfg" with arbitrary contents, read by a real main
// window when it is built and written back when it is destroyed. Checked:
// the language code is the text at offset 64 up to its first zero byte; the
// window writes one 72-byte record, and a window started from that record
// shows the same columns and widths again and reads its language code back.

#include "fuzzsupport.h"

#include "ui/appshell.h"
#include "mainwindow/mainwindow.h"
#include "net/sender.h"

#include <QFile>
#include <QHeaderView>
#include <QTranslator>
#include <QTreeView>

namespace {

fuzz::SilentNetwork network;

// What a window built on `contents` shows: the visual order, the widths of
// columns 0-7 (column 8's width shares its bytes with the language code) and
// the language. `written` is the file it leaves.
QString shownWith(const QByteArray &contents, QByteArray *written)
{
    QFile file(QStringLiteral("config.cfg"));
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(contents) == contents.size(),
               "cannot write config.cfg");
    file.close();
    CurrentLanguage.clear();
    QString shown;
    {
        Zol_ClientMainWindow window(nullptr, nullptr, Qt::Window);
        window.MenuInit(true);
        const QHeaderView *header = window.MainList->header();
        for (int i = 0; i < header->count(); ++i)
            shown += QStringLiteral("%1:%2 ").arg(header->logicalIndex(i)).arg(i < 8 ? header->sectionSize(i) : 0);
        shown += u'|' + CurrentLanguage;
    }
    FUZZ_CHECK(file.open(QIODevice::ReadOnly), "config.cfg gone");
    *written = file.readAll();
    return shown;
}

QString codeIn(const QByteArray &record)
{
    const QByteArray code = record.mid(64, 8);
    return QString::fromLatin1(code.left(code.indexOf('\0') < 0 ? code.size() : code.indexOf('\0')));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::startApplication();
    SetNetworkPlatform(&network);
    SetMessageHook([](const QString &) {});
    SetSystemLocaleNameOverride(QStringLiteral("C"));
    AppTranslator = new QTranslator;
    QCoreApplication::installTranslator(AppTranslator);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray contents(reinterpret_cast<const char *>(data), qsizetype(size));
    QByteArray written;
    const QString shown = shownWith(contents, &written);
    FUZZ_CHECK(written.size() == 72, "the saved file is not one record");
    if (size == 72)
        FUZZ_CHECK(shown.section(u'|', 1) == codeIn(contents), "the language code is not the stored one");
    QByteArray again;
    const QString next = shownWith(written, &again);
    FUZZ_CHECK(next.section(u'|', 0, 0) == shown.section(u'|', 0, 0),
               "a window started from the saved record shows other columns");
    FUZZ_CHECK(next.section(u'|', 1) == codeIn(written), "the saved language code is not read back");
    return 0;
}
