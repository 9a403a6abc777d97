// SPDX-License-Identifier: Apache-2.0
#include "plan/planfile.h"

#include <QIODevice>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <array>
#include <optional>

QString PlanFileResult::errorText() const
{
    return errorLine > 0 ? PlanEngine::tr("line %1: %2").arg(errorLine).arg(error) : error;
}

namespace {

// The offset of the first byte that breaks UTF-8 (overlong forms,
// surrogates and values past U+10FFFF included), or -1.
qsizetype firstInvalidUtf8(const QByteArray &bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const unsigned char c = p[i];
        int more = 0;
        char32_t value = 0, least = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xe0) == 0xc0) {
            more = 1, value = c & 0x1f, least = 0x80;
        } else if ((c & 0xf0) == 0xe0) {
            more = 2, value = c & 0x0f, least = 0x800;
        } else if ((c & 0xf8) == 0xf0) {
            more = 3, value = c & 0x07, least = 0x10000;
        } else {
            return i;
        }
        if (i + more >= n)
            return i;
        for (int k = 1; k <= more; ++k) {
            if ((p[i + k] & 0xc0) != 0x80)
                return i;
            value = (value << 6) | (p[i + k] & 0x3f);
        }
        if (value < least || value > 0x10ffff || (value >= 0xd800 && value <= 0xdfff))
            return i;
        i += more + 1;
    }
    return -1;
}

int lineAt(const QByteArray &bytes, qsizetype offset)
{
    return int(bytes.left(offset).count('\n')) + 1;
}

PlanFileResult failure(int line, const QString &reason)
{
    PlanFileResult result;
    result.errorLine = line;
    result.error = reason;
    return result;
}

std::optional<bool> dhcpWord(const QString &text, bool *ok)
{
    *ok = true;
    if (text.isEmpty() || text == QLatin1String("???"))
        return std::nullopt;
    for (const char *on : {"Enabled", "on", "true"}) {
        if (text.compare(QLatin1String(on), Qt::CaseInsensitive) == 0)
            return true;
    }
    for (const char *off : {"Disabled", "off", "false"}) {
        if (text.compare(QLatin1String(off), Qt::CaseInsensitive) == 0)
            return false;
    }
    *ok = false;
    return std::nullopt;
}

QString dhcpWordError(const QString &text)
{
    return PlanEngine::tr("DHCP takes Enabled, Disabled, on, off, true or false, not \"%1\"").arg(text);
}

std::optional<QString> unlessEmpty(const QString &text)
{
    return text.isEmpty() ? std::nullopt : std::optional<QString>(text);
}

// --- CSV ---

struct CsvRecord
{
    QStringList cells;
    int line = 0;
};

// Reads the record at *pos (RFC 4180; a line ends with CRLF or LF, also
// inside quotes, where it is part of the cell). *line counts the lines.
bool readCsvRecord(QStringView text, qsizetype *pos, int *line, CsvRecord *record, QString *error)
{
    record->cells.clear();
    record->line = *line;
    qsizetype i = *pos;
    const qsizetype n = text.size();
    while (true) {
        QString cell;
        if (i < n && text[i] == u'"') {
            ++i;
            while (true) {
                if (i >= n) {
                    *error = PlanEngine::tr("a quoted cell is not closed");
                    return false;
                }
                const QChar c = text[i++];
                if (c == u'"') {
                    if (i < n && text[i] == u'"') {
                        cell += u'"';
                        ++i;
                        continue;
                    }
                    break;
                }
                if (c == u'\n')
                    ++*line;
                cell += c;
            }
            if (i < n && text[i] != u',' && text[i] != u'\n' && !(text[i] == u'\r' && i + 1 < n && text[i + 1] == u'\n')) {
                *error = PlanEngine::tr("text after a closing quote");
                return false;
            }
        } else {
            const qsizetype start = i;
            while (i < n && text[i] != u',' && text[i] != u'\n' && !(text[i] == u'\r' && i + 1 < n && text[i + 1] == u'\n'))
                ++i;
            cell = text.sliced(start, i - start).toString();
        }
        record->cells << cell;
        if (i < n && text[i] == u',') {
            ++i;
            continue;
        }
        if (i < n && text[i] == u'\r')
            ++i;
        if (i < n && text[i] == u'\n') {
            ++i;
            ++*line;
        }
        *pos = i;
        return true;
    }
}

PlanFileResult readCsv(QStringView text)
{
    qsizetype pos = 0;
    int line = 1;
    CsvRecord header;
    QString error;
    if (!readCsvRecord(text, &pos, &line, &header, &error))
        return failure(header.line, error);

    const auto &titles = DeviceColumnTitles();
    QList<int> columnOf; // for each cell of a row, its device column; -1 left out
    std::array<int, DeviceColumnCount> cellOf;
    cellOf.fill(-1);
    bool anyKnown = false;
    QString unknown;
    for (const QString &cell : std::as_const(header.cells)) {
        const QString title = cell.trimmed();
        int column = -1;
        for (int c = 0; c < DeviceColumnCount; ++c) {
            if (title.compare(titles[c], Qt::CaseInsensitive) == 0)
                column = c;
        }
        if (column >= 0 && cellOf[column] >= 0)
            return failure(header.line, PlanEngine::tr("the column \"%1\" is there twice").arg(titles[column]));
        if (column >= 0) {
            cellOf[column] = int(columnOf.size());
            anyKnown = true;
        } else if (!title.isEmpty() && unknown.isEmpty()) {
            unknown = title;
        }
        columnOf << column;
    }
    if (!anyKnown)
        return failure(header.line, PlanEngine::tr("not a plan: neither CSV with find's header row nor a JSON array"));
    if (!unknown.isEmpty())
        return failure(header.line, PlanEngine::tr("unknown column \"%1\"").arg(unknown));
    if (cellOf[DeviceColumn::Mac] < 0)
        return failure(header.line, PlanEngine::tr("the header has no \"%1\" column").arg(titles[DeviceColumn::Mac]));

    PlanFileResult result;
    CsvRecord record;
    while (pos < text.size()) {
        if (!readCsvRecord(text, &pos, &line, &record, &error))
            return failure(record.line, error);
        const bool blank = std::all_of(record.cells.cbegin(), record.cells.cend(),
                                       [](const QString &cell) { return cell.isEmpty(); });
        if (blank)
            continue;
        if (record.cells.size() < header.cells.size())
            return failure(record.line, PlanEngine::tr("the row has %1 cells, the header %2")
                                            .arg(record.cells.size())
                                            .arg(header.cells.size()));
        for (qsizetype c = header.cells.size(); c < record.cells.size(); ++c) {
            if (!record.cells[c].isEmpty())
                return failure(record.line, PlanEngine::tr("the row has more cells than the header"));
        }
        const auto cell = [&](int column) { return cellOf[column] < 0 ? QString() : record.cells[cellOf[column]]; };
        PlanRow row;
        row.line = record.line;
        row.mac = cell(DeviceColumn::Mac);
        if (row.mac.isEmpty())
            return failure(record.line, PlanEngine::tr("the row has no MAC address"));
        row.ip = unlessEmpty(cell(DeviceColumn::Ip));
        row.mask = unlessEmpty(cell(DeviceColumn::Mask));
        row.gateway = unlessEmpty(cell(DeviceColumn::Gateway));
        row.name = unlessEmpty(cell(DeviceColumn::Name));
        row.location = unlessEmpty(cell(DeviceColumn::Location));
        bool ok = false;
        row.dhcp = dhcpWord(cell(DeviceColumn::Dhcp), &ok);
        if (!ok)
            return failure(record.line, dhcpWordError(cell(DeviceColumn::Dhcp)));
        result.plan << row;
    }
    return result;
}

// --- JSON ---

// The line each element of the top-level array starts on.
QList<int> arrayElementLines(const QByteArray &bytes)
{
    QList<int> lines;
    int line = 1, depth = 0;
    bool inString = false, escaped = false, expectElement = false;
    for (const char c : bytes) {
        if (inString) {
            if (escaped)
                escaped = false;
            else if (c == '\\')
                escaped = true;
            else if (c == '"')
                inString = false;
        } else if (c != ' ' && c != '\t' && c != '\r' && c != '\n') {
            if (expectElement && c != ']')
                lines << line;
            expectElement = false;
            if (c == '"')
                inString = true;
            else if (c == '[' || c == '{')
                expectElement = ++depth == 1 && c == '[';
            else if (c == ']' || c == '}')
                --depth;
            else if (c == ',' && depth == 1)
                expectElement = true;
        }
        if (c == '\n')
            ++line;
    }
    return lines;
}

// Qt's reason in Qt's words, looked up in the engine's context like the
// rest: Qt's own message files are not loaded.
QString jsonErrorText(const QJsonParseError &error)
{
    switch (error.error) {
    case QJsonParseError::UnterminatedObject: return PlanEngine::tr("unterminated object");
    case QJsonParseError::MissingNameSeparator: return PlanEngine::tr("missing name separator");
    case QJsonParseError::UnterminatedArray: return PlanEngine::tr("unterminated array");
    case QJsonParseError::MissingValueSeparator: return PlanEngine::tr("missing value separator");
    case QJsonParseError::IllegalValue: return PlanEngine::tr("illegal value");
    case QJsonParseError::TerminationByNumber: return PlanEngine::tr("invalid termination by number");
    case QJsonParseError::IllegalNumber: return PlanEngine::tr("illegal number");
    case QJsonParseError::IllegalEscapeSequence: return PlanEngine::tr("invalid escape sequence");
    case QJsonParseError::UnterminatedString: return PlanEngine::tr("unterminated string");
    case QJsonParseError::MissingObject: return PlanEngine::tr("object is missing after a comma");
    case QJsonParseError::DeepNesting: return PlanEngine::tr("too deeply nested document");
    case QJsonParseError::DocumentTooLarge: return PlanEngine::tr("too large document");
    case QJsonParseError::GarbageAtEnd: return PlanEngine::tr("garbage at the end of the document");
    default: return error.errorString(); // UTF-8 is checked before
    }
}

PlanFileResult readJson(const QByteArray &bytes)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return failure(lineAt(bytes, parseError.offset), jsonErrorText(parseError));
    if (!document.isArray())
        return failure(1, PlanEngine::tr("a JSON plan is an array of objects"));
    const QJsonArray array = document.array();
    const QList<int> lines = arrayElementLines(bytes);

    PlanFileResult result;
    for (qsizetype i = 0; i < array.size(); ++i) {
        const int line = lines.value(i, 1);
        if (!array[i].isObject())
            return failure(line, PlanEngine::tr("a JSON plan is an array of objects"));
        const QJsonObject object = array[i].toObject();
        PlanRow row;
        row.line = line;
        for (auto it = object.constBegin(); it != object.constEnd(); ++it) {
            const QString key = it.key();
            const QJsonValue value = it.value();
            if (key == QLatin1String("type") || key == QLatin1String("serial") || key == QLatin1String("from"))
                continue;
            if (key == QLatin1String("dhcp")) {
                bool ok = true;
                if (value.isBool())
                    row.dhcp = value.toBool();
                else if (value.isString())
                    row.dhcp = dhcpWord(value.toString(), &ok);
                else if (!value.isNull())
                    return failure(line, PlanEngine::tr("\"dhcp\" must be true, false or null"));
                if (!ok)
                    return failure(line, dhcpWordError(value.toString()));
                continue;
            }
            std::optional<QString> *field = key == QLatin1String("ip")       ? &row.ip
                : key == QLatin1String("mask")                                ? &row.mask
                : key == QLatin1String("gateway")                             ? &row.gateway
                : key == QLatin1String("name")                                ? &row.name
                : key == QLatin1String("location")                            ? &row.location
                                                                              : nullptr;
            if (!field && key != QLatin1String("mac"))
                return failure(line, PlanEngine::tr("unknown key \"%1\"").arg(key));
            if (!value.isString() && !value.isNull())
                return failure(line, PlanEngine::tr("\"%1\" must be a text").arg(key));
            if (field)
                *field = unlessEmpty(value.toString());
            else
                row.mac = value.toString();
        }
        if (row.mac.isEmpty())
            return failure(line, PlanEngine::tr("the object has no \"mac\""));
        result.plan << row;
    }
    return result;
}

} // namespace

PlanFileResult ReadPlanFile(const QByteArray &bytes)
{
    if (const qsizetype bad = firstInvalidUtf8(bytes); bad >= 0)
        return failure(lineAt(bytes, bad), PlanEngine::tr("not UTF-8 text"));
    QByteArray content = bytes;
    if (content.startsWith("\xef\xbb\xbf"))
        content.remove(0, 3);
    const QByteArray start = content.trimmed().left(1);
    if (start == "[")
        return readJson(content);
    if (start == "{")
        return failure(1, PlanEngine::tr("a JSON plan is an array of objects"));
    if (start.isEmpty())
        return failure(1, PlanEngine::tr("the file is empty"));
    return readCsv(QString::fromUtf8(content));
}

PlanFileResult ReadPlanFile(QIODevice &file)
{
    QByteArray bytes;
    char chunk[64 * 1024];
    qint64 got = 0;
    // A pipe gives what its writer has written so far: read until it ends.
    while (bytes.size() <= MaxPlanFileBytes && (got = file.read(chunk, sizeof chunk)) > 0)
        bytes.append(chunk, got);
    if (got < 0)
        return failure(0, file.errorString());
    if (bytes.size() > MaxPlanFileBytes)
        return failure(0, PlanEngine::tr("the file is larger than %1 MiB").arg(MaxPlanFileBytes >> 20));
    return ReadPlanFile(bytes);
}

void AppendCsvLine(QString &out, const QString *texts, qsizetype count)
{
    for (qsizetype c = 0; c < count; ++c) {
        if (c)
            out += u',';
        const QString &text = texts[c];
        if (text.contains(u',') || text.contains(u'"') || text.contains(u'\r') || text.contains(u'\n')) {
            out += u'"';
            out += QString(text).replace(QLatin1String("\""), QLatin1String("\"\""));
            out += u'"';
        } else {
            out += text;
        }
    }
    out += QLatin1String("\r\n");
}

QString DeviceCsvHeader()
{
    QString out;
    AppendDeviceCsvLine(out, DeviceColumnTitles());
    return out;
}

QByteArray PlanCsv(const Plan &plan)
{
    QString out = DeviceCsvHeader();
    for (const PlanRow &row : plan) {
        using namespace DeviceColumn;
        DeviceTexts texts;
        texts[Mac] = row.mac;
        texts[Ip] = row.ip.value_or(QString());
        texts[Mask] = row.mask.value_or(QString());
        texts[Gateway] = row.gateway.value_or(QString());
        if (row.dhcp)
            texts[Dhcp] = *row.dhcp ? DhcpEnabledText() : DhcpDisabledText();
        texts[Name] = row.name.value_or(QString());
        texts[Location] = row.location.value_or(QString());
        AppendDeviceCsvLine(out, texts);
    }
    return out.toUtf8();
}

QByteArray PlanJson(const Plan &plan)
{
    QJsonArray array;
    for (const PlanRow &row : plan) {
        QJsonObject object{{QStringLiteral("mac"), row.mac}};
        const auto put = [&object](const char *key, const std::optional<QString> &value) {
            if (value)
                object.insert(QLatin1String(key), *value);
        };
        put("ip", row.ip);
        put("mask", row.mask);
        put("gateway", row.gateway);
        if (row.dhcp)
            object.insert(QLatin1String("dhcp"), *row.dhcp);
        put("name", row.name);
        put("location", row.location);
        array.append(object);
    }
    // Qt's JSON reader drops a U+FEFF written as it is inside a text; the
    // escape it keeps (the bytes can only be that character, in a text).
    return QJsonDocument(array).toJson().replace("\xef\xbb\xbf", "\\ufeff");
}
