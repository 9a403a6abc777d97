// Fuzz target: "config.cfg" with arbitrary contents, read by a real main
// window at construction and written back at destruction.
// Checked for every input:
// - the layout counts as loaded exactly when the file is not empty;
// - the widths are the stored ones, kept within 0...10000;
// - the columns stand where the stored positions put them (a position out of
//   range, or taken already, leaves a column to fill the gaps in order);
// - the language code is the text at offset 64 up to its first zero byte,
//   at most 8 characters;
// - the window writes back exactly one 72-byte record of what it showed, and
//   a window built from that record shows the same again.

#include "fuzzsupport.h"

#include "ui/appshell.h"
#include "mainwindow/mainwindow.h"
#include "net/sender.h"

#include <QFile>
#include <QHeaderView>
#include <QTranslator>
#include <QTreeWidget>
#include <QtEndian>

#include <algorithm>
#include <cstdint>
#include <memory>

namespace {

constexpr int Columns = 9;
constexpr int RecordSize = 72;
const QString Config = QStringLiteral("config.cfg");

fuzz::SilentNetwork network;

struct Shown
{
    QList<int> widths;
    QList<int> logicalAt; // logical column at each visual position
    QString language;
    bool loaded = false;
    int minimumWidth = 0;

    bool operator==(const Shown &o) const
    {
        return widths == o.widths && logicalAt == o.logicalAt && language == o.language && loaded == o.loaded;
    }
};

Shown runWindow(const QByteArray &contents, QByteArray *written)
{
    {
        QFile file(Config);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(contents) != contents.size()) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(Config));
            std::abort();
        }
    }
    CurrentLanguage.clear();
    Shown shown;
    {
        auto window = std::make_unique<Zol_ClientMainWindow>(nullptr, nullptr, Qt::Window);
        window->MenuInit(true);
        const QHeaderView *header = window->MainList->header();
        FUZZ_CHECK(header->count() == Columns, "the table lost or gained columns");
        for (int i = 0; i < Columns; ++i) {
            shown.widths << header->sectionSize(i);
            shown.logicalAt << header->logicalIndex(i);
        }
        shown.language = CurrentLanguage;
        shown.minimumWidth = header->minimumSectionSize();
        shown.loaded = window->LayoutLoaded;
    }
    QFile file(Config);
    *written = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    return shown;
}

qint32 storedAt(const QByteArray &record, int offset)
{
    return qFromLittleEndian<qint32>(record.constData() + offset);
}

// The record the reading rule leaves: blocks of 72 bytes, each written over
// the start of the record, the last one winning.
QByteArray recordOf(const QByteArray &contents)
{
    QByteArray record(RecordSize, '\0');
    for (qsizetype at = 0; at < contents.size(); at += RecordSize) {
        const QByteArray block = contents.mid(at, RecordSize);
        record.replace(0, block.size(), block);
    }
    return record;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::startApplication("fuzz_configfile");
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
    const Shown shown = runWindow(contents, &written);

    FUZZ_CHECK(shown.loaded == !contents.isEmpty(), "loaded is not the same as a non-empty file");
    if (!contents.isEmpty()) {
        const QByteArray record = recordOf(contents);
        for (int i = 0; i < Columns; ++i) {
            // The header itself lifts a width below its minimum (but not 0).
            int expected = std::clamp<qint32>(storedAt(record, 8 * i + 4), 0, 10000);
            if (expected > 0)
                expected = std::max(expected, shown.minimumWidth);
            FUZZ_CHECK(shown.widths.at(i) == expected, "a column does not have its stored width");
        }
        // Positions: first come, first served, the rest in their old order.
        QList<int> expectedAt(Columns, -1);
        QList<bool> placed(Columns, false);
        for (int i = 0; i < Columns; ++i) {
            const qint32 order = storedAt(record, 8 * i);
            if (order >= 0 && order < Columns && expectedAt[order] < 0) {
                expectedAt[order] = i;
                placed[i] = true;
            }
        }
        int free = 0;
        for (int i = 0; i < Columns; ++i) {
            if (placed[i])
                continue;
            while (expectedAt[free] >= 0)
                ++free;
            expectedAt[free] = i;
        }
        FUZZ_CHECK(shown.logicalAt == expectedAt, "the columns are not where the file puts them");

        QByteArray code = record.mid(64, 8);
        const qsizetype zero = code.indexOf('\0');
        if (zero >= 0)
            code.truncate(zero);
        FUZZ_CHECK(shown.language == QString::fromLatin1(code), "the language code is not the stored one");
    }

    // What was written is the record of what was shown.
    FUZZ_CHECK(written.size() == RecordSize, "the saved file is not one record");
    // The code is written over column 8's entry: its position always, its
    // width too when the code is longer than 4 characters.
    const QByteArray savedCode = shown.language.toLatin1().left(8);
    FUZZ_CHECK(written.mid(64, savedCode.size()) == savedCode, "the saved language code is wrong");
    for (int v = 0; v < Columns; ++v) {
        const int logical = shown.logicalAt.at(v);
        if (logical < 8 || savedCode.isEmpty())
            FUZZ_CHECK(storedAt(written, 8 * logical) == v, "a saved position is wrong");
        if (logical < 8 || savedCode.size() <= 4)
            FUZZ_CHECK(storedAt(written, 8 * logical + 4) == shown.widths.at(logical), "a saved width is wrong");
    }

    // A second start from the saved record shows the same. The code shares
    // its bytes with column 8's entry: its position then comes from the gap
    // the other eight leave, and a code of more than 4 characters overwrites
    // its width too.
    QByteArray rewritten;
    const Shown again = runWindow(written, &rewritten);
    FUZZ_CHECK(again.logicalAt == shown.logicalAt, "positions changed from one run to the next");
    // The code read back ends at the first zero byte: an empty code reads
    // column 8's position as one.
    QByteArray codeRead = written.mid(64, 8);
    if (codeRead.indexOf('\0') >= 0)
        codeRead.truncate(codeRead.indexOf('\0'));
    FUZZ_CHECK(again.language == QString::fromLatin1(codeRead), "the saved code is not read back");
    for (int i = 0; i < Columns; ++i) {
        if (i < 8 || savedCode.size() <= 4)
            FUZZ_CHECK(again.widths.at(i) == shown.widths.at(i), "a width changed from one run to the next");
    }
    FUZZ_CHECK(rewritten == written || savedCode.size() > 4 || savedCode.isEmpty(),
               "the record changed from one run to the next");
    return 0;
}
