// SPDX-License-Identifier: Apache-2.0
#include "layout/columnlayoutrecord.h"

#include <QBuffer>
#include <QSaveFile>
#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace ColumnLayoutRecord {

bool readBlocks(QIODevice &device, char *record)
{
    // Only the last full block and the short block after it can survive the
    // block-by-block overwrite, so skip straight to them.
    if (!device.isSequential()) {
        const qint64 size = device.size();
        if (size > 2 * RecordSize) {
            const qint64 lastBlock = (size - 1) / RecordSize;
            if (!device.seek((lastBlock - 1) * RecordSize))
                return false;
        }
    }

    bool loaded = false;
    while (!device.atEnd()) {
        const qint64 got = device.read(record, RecordSize);
        if (got <= 0)
            break;
        loaded = true;
    }
    return loaded;
}

QByteArray fromContents(const QByteArray &contents)
{
    QByteArray record(RecordSize, '\0');
    QByteArray copy = contents;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    readBlocks(buffer, record.data());
    return record;
}

Column columnAt(const char *record, int column)
{
    const char *entry = record + 8 * column;
    Column c;
    c.order = qFromLittleEndian<qint32>(entry);
    c.width = std::clamp<qint32>(qFromLittleEndian<qint32>(entry + 4), 0, MaxWidth);
    return c;
}

Columns columnsOf(const char *record)
{
    Columns columns;
    for (int i = 0; i < ColumnCount; ++i)
        columns[i] = columnAt(record, i);
    return columns;
}

QList<int> arrangement(const Columns &columns, const QList<int> &current)
{
    const qsizetype count = current.size();
    QList<int> target(count, -1);
    QList<bool> placed(count, false);
    for (int i = 0; i < ColumnCount && i < count; ++i) {
        const qint32 order = columns[i].order;
        if (order >= 0 && order < count && target[order] < 0) {
            target[order] = i;
            placed[i] = true;
        }
    }
    qsizetype free = 0;
    for (int logical : current) {
        if (logical < 0 || logical >= count || placed[logical])
            continue;
        while (free < count && target[free] >= 0)
            ++free;
        if (free < count)
            target[free] = logical;
    }
    return target;
}

QString languageOf(const char *record)
{
    const char *code = record + LanguageOffset;
    const char *end = static_cast<const char *>(std::memchr(code, '\0', MaxLanguageLength));
    const qsizetype length = end ? end - code : MaxLanguageLength;
    return QString::fromLatin1(code, length);
}

QByteArray encode(const Columns &columns, const QString &language)
{
    QByteArray record(RecordSize, '\0');
    char *data = record.data();
    for (int i = 0; i < ColumnCount; ++i) {
        qToLittleEndian<qint32>(columns[i].order, data + 8 * i);
        qToLittleEndian<qint32>(columns[i].width, data + 8 * i + 4);
    }
    const QByteArray code = language.toLatin1().left(MaxLanguageLength);
    std::memcpy(data + LanguageOffset, code.constData(), size_t(code.size()));
    return record;
}

QString traceLine(const char *prefix, int column, const QString &label, int width, int order)
{
    return QLatin1String(prefix) + QString::number(column) + label
            + QLatin1String(": width: ") + QString::number(width)
            + QLatin1String(", order: ") + QString::number(order);
}

bool replaceFile(const QString &fileName, const QByteArray &data, QString *error)
{
    QSaveFile file(fileName);
    // Without a commit the new file is discarded and the old one stays.
    // Flush here so a failing write of the buffered bytes is seen before the
    // rename, not lost inside it.
    if (file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.flush() && file.commit())
        return true;
    if (error)
        *error = file.errorString();
    return false;
}

} // namespace ColumnLayoutRecord
