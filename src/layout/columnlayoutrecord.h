// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "net/devicecolumns.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <QList>

#include <array>

QT_BEGIN_NAMESPACE
class QIODevice;
QT_END_NAMESPACE

// The 72-byte record of "config.cfg": for each of the nine columns a signed
// 32-bit little-endian pair (visual position, width) at 8 * column, and the
// language code written over the first bytes of column 8's pair at offset 64.
// Pure functions only; the main window applies the result to its header.
namespace ColumnLayoutRecord {

constexpr int RecordSize = 72;
// One pair per column of the device table.
constexpr int ColumnCount = DeviceColumnCount;
constexpr int LanguageOffset = 64;
constexpr int MaxLanguageLength = RecordSize - LanguageOffset;
static_assert(LanguageOffset == 8 * (ColumnCount - 1), "the language code lies over the last column's pair");
// A damaged file must not make a column absurdly wide.
constexpr int MaxWidth = 10000;

struct Column
{
    qint32 order = 0;
    qint32 width = 0;
};
using Columns = std::array<Column, ColumnCount>;

// Reads the device block by block into record (RecordSize bytes), each block
// from the record's start, so the last block wins and a final short block
// overwrites only the first bytes. Returns whether at least one block was read.
// A regular file is not read in full: only the blocks that decide the result.
bool readBlocks(QIODevice &device, char *record);

// The same rule applied to a whole file's contents, starting from zeros.
QByteArray fromContents(const QByteArray &contents);

// Order and width of column (0...8) as stored; the width is clamped to
// 0...MaxWidth, the order is returned as stored (the caller checks its range).
Column columnAt(const char *record, int column);
Columns columnsOf(const char *record);

// The arrangement the record's orders describe, as the logical column shown at
// each visual position, given the arrangement shown now (same form). A column
// claims the position its order names; an order outside 0...count-1, or a
// position an earlier column already claimed, leaves the column unplaced, and
// the unplaced columns fill the free positions in the order they are shown now.
QList<int> arrangement(const Columns &columns, const QList<int> &current);

// The language code at offset 64, Latin-1, up to the first zero byte and at
// most MaxLanguageLength characters.
QString languageOf(const char *record);

// The record for these columns and code: zeros, then the pairs, then the code
// (Latin-1, cut to MaxLanguageLength, no terminator) over offset 64.
QByteArray encode(const Columns &columns, const QString &language);

// The trace line "<prefix><column><label>: width: <w>, order: <o>" (prefix
// "Assigning col " or "Detecting col "), built without using the label as a
// format, so a label holding '%' prints as it is.
QString traceLine(const char *prefix, int column, const QString &label, int width, int order);

// Replaces fileName with data through a new file renamed over the old one, so
// a failure at any point leaves the old file as it was; then error, when
// given, says why.
bool replaceFile(const QString &fileName, const QByteArray &data, QString *error = nullptr);

} // namespace ColumnLayoutRecord
