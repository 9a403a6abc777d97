// SPDX-License-Identifier: Apache-2.0
// Fuzz target: "config.cfg" contents through the record codec alone, without
// a window (thousands of inputs a second, where the window-level target
// manages about eighty). Checked against plain statements of the rules: the
// record is the file's 72-byte blocks laid one over the other from its start;
// the arrangement is always an order of all nine columns; a record encoded
// from what was read reads back the same columns and (short) language code.

#include "fuzzsupport.h"

#include "layout/columnlayoutrecord.h"

#include <cstdint>
#include <cstring>

using namespace ColumnLayoutRecord;

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray contents(reinterpret_cast<const char *>(data), qsizetype(size));
    QByteArray expected(RecordSize, '\0');
    for (qsizetype at = 0; at < contents.size(); at += RecordSize) {
        const QByteArray block = contents.mid(at, RecordSize);
        expected.replace(0, block.size(), block);
    }
    const QByteArray record = fromContents(contents);
    FUZZ_CHECK(record == expected, "the record is not the file's blocks laid over each other");

    const Columns columns = columnsOf(record.constData());
    QList<int> current;
    for (int c = ColumnCount - 1; c >= 0; --c)
        current << c;
    QList<int> shown = arrangement(columns, current);
    std::sort(shown.begin(), shown.end());
    for (int c = 0; c < ColumnCount; ++c) {
        FUZZ_CHECK(shown.value(c) == c, "the arrangement is not an order of all columns");
        FUZZ_CHECK(columns[c].width >= 0 && columns[c].width <= MaxWidth, "a width out of its range");
    }

    const QString language = languageOf(record.constData());
    const QByteArray again = encode(columns, language);
    FUZZ_CHECK(again.size() == RecordSize, "the encoded record is not 72 bytes");
    // A code of four characters or more ends on column 8's width, which is
    // clamped when read: only shorter codes (every real one) end on a byte
    // that is written back as it was.
    if (language.size() < 4)
        FUZZ_CHECK(languageOf(again.constData()) == language, "the language code does not read back");
    const Columns back = columnsOf(again.constData());
    // Column 8's pair lies under the language code.
    for (int c = 0; c < ColumnCount - 1; ++c)
        FUZZ_CHECK(back[c].order == columns[c].order && back[c].width == columns[c].width,
                   "a column does not read back");
    return 0;
}
