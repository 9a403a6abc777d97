// SPDX-License-Identifier: Apache-2.0
#include "zolctl/output.h"

#include "plan/planfile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

void appendHex(QString &out, char16_t code, const char *prefix, int digits)
{
    out += QLatin1String(prefix);
    out += QString::number(code, 16).rightJustified(digits, u'0');
}

// A terminal would act on control characters; they are shown as \xNN, and
// the backslash doubled so that the two can be told apart.
QString escapedForTerminal(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || (u >= 0x7f && u <= 0x9f))
            appendHex(out, u, "\\x", 2);
        else if (u == u'\\')
            out += QLatin1String("\\\\");
        else
            out += c;
    }
    return out;
}

// Aligned columns two blanks apart, the titles first; the rows' texts as a
// terminal cannot misread them.
QByteArray alignedTable(const QStringList &titles, const QList<QStringList> &texts)
{
    QList<QStringList> rows;
    rows.reserve(texts.size() + 1);
    rows << titles;
    QList<int> widths(titles.size());
    for (int c = 0; c < int(titles.size()); ++c)
        widths[c] = int(titles[c].size());
    for (const QStringList &row : texts) {
        QStringList shown;
        for (int c = 0; c < int(titles.size()); ++c) {
            shown << escapedForTerminal(row.value(c));
            widths[c] = std::max(widths[c], int(shown.last().size()));
        }
        rows << shown;
    }
    QString out;
    for (const QStringList &row : std::as_const(rows)) {
        for (int c = 0; c < int(row.size()); ++c) {
            if (c + 1 < int(row.size())) {
                out += row[c].leftJustified(widths[c]);
                out += QLatin1String("  ");
            } else {
                out += row[c];
            }
        }
        // No blanks at the end of a line.
        while (out.endsWith(u' '))
            out.chop(1);
        out += u'\n';
    }
    return out.toUtf8();
}

QByteArray formatTable(const QList<const DeviceEntry *> &devices)
{
    const auto &titles = DeviceColumnTitles();
    QList<QStringList> rows;
    rows.reserve(devices.size());
    for (const DeviceEntry *device : devices) {
        const DeviceTexts texts = device->texts();
        rows << QStringList(texts.cbegin(), texts.cend());
    }
    return alignedTable(QStringList(titles.cbegin(), titles.cend()), rows);
}

QByteArray formatCsv(const QList<const DeviceEntry *> &devices)
{
    QString out = DeviceCsvHeader();
    for (const DeviceEntry *device : devices)
        AppendDeviceCsvLine(out, device->texts());
    return out.toUtf8();
}

// The JSON text, appended to in steps. Each step first makes room for the
// most it can write, worked out from what it was given, and writes only
// within that room: no text, however long, can pass the end of the buffer.
class JsonBuffer final
{
public:
    void append(std::string_view bytes)
    {
        std::memcpy(room(bytes.size()), bytes.data(), bytes.size());
        m_size += bytes.size();
    }
    void append(char c)
    {
        *room(1) = c;
        ++m_size;
    }
    void appendString(QStringView text);
    void appendAddress(quint32 address);

    QByteArrayView bytes() const { return QByteArrayView(m_data.get(), qsizetype(m_size)); }
    size_t size() const { return m_size; }
    void clear() { m_size = 0; }

private:
    char *room(size_t bytes)
    {
        if (m_capacity - m_size < bytes)
            grow(bytes);
        return m_data.get() + m_size;
    }
    void grow(size_t bytes)
    {
        const size_t capacity = std::max(m_capacity * 2, m_size + bytes);
        std::unique_ptr<char[]> data(new char[capacity]); // left unset: written before it is read
        std::copy_n(m_data.get(), m_size, data.get());
        m_data = std::move(data);
        m_capacity = capacity;
    }

    std::unique_ptr<char[]> m_data;
    size_t m_size = 0;
    size_t m_capacity = 0;
};

void JsonBuffer::appendString(QStringView text)
{
    // Six bytes a UTF-16 unit at the most (\u00XX), and the quotes.
    const size_t most = 2 + 6 * size_t(text.size());
    char *const start = room(most);
    char *p = start;
    static const char hex[] = "0123456789abcdef";
    *p++ = '"';
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const char16_t u = c.unicode();
        if (u == u'"' || u == u'\\') {
            *p++ = '\\';
            *p++ = char(u);
        } else if (u < 0x20) {
            std::memcpy(p, "\\u00", 4);
            p[4] = hex[u >> 4];
            p[5] = hex[u & 0xf];
            p += 6;
        } else if (u < 0x80) {
            *p++ = char(u);
        } else if (u < 0x800) {
            *p++ = char(0xc0 | (u >> 6));
            *p++ = char(0x80 | (u & 0x3f));
        } else if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            // Beyond U+FFFF (a plan file's text): four bytes for the pair.
            const char32_t v = QChar::surrogateToUcs4(c, text[++i]);
            *p++ = char(0xf0 | (v >> 18));
            *p++ = char(0x80 | ((v >> 12) & 0x3f));
            *p++ = char(0x80 | ((v >> 6) & 0x3f));
            *p++ = char(0x80 | (v & 0x3f));
        } else {
            // Half a surrogate pair is written as the replacement character.
            const char16_t v = c.isSurrogate() ? char16_t(0xfffd) : u;
            *p++ = char(0xe0 | (v >> 12));
            *p++ = char(0x80 | ((v >> 6) & 0x3f));
            *p++ = char(0x80 | (v & 0x3f));
        }
    }
    *p++ = '"';
    Q_ASSERT(size_t(p - start) <= most);
    m_size += size_t(p - start);
}

void JsonBuffer::appendAddress(quint32 address)
{
    if (!address) {
        append("null");
        return;
    }
    // "255.255.255.255" at the most.
    char *const start = room(17);
    char *p = start;
    *p++ = '"';
    for (int shift = 24; shift >= 0; shift -= 8) {
        const unsigned part = (address >> shift) & 0xff;
        if (part >= 100)
            *p++ = char('0' + part / 100);
        if (part >= 10)
            *p++ = char('0' + part / 10 % 10);
        *p++ = char('0' + part % 10);
        *p++ = shift ? '.' : '"';
    }
    m_size += size_t(p - start);
}

// Sent on in pieces of about this size: the pages of one piece are used
// again for the next, where a whole large list would take fresh memory.
constexpr size_t JsonPieceBytes = 64 * 1024;

void writeJson(OutputStream &stream, const QList<const DeviceEntry *> &devices)
{
    static constexpr std::string_view keys[DeviceColumnCount] = {"type", "serial", "mac", "ip", "mask",
                                                                 "gateway", "dhcp", "name", "location"};
    JsonBuffer out;
    out.append('[');
    bool first = true;
    for (const DeviceEntry *device : devices) {
        // Made and dropped here, the texts need not be copies of the answer.
        const QString answer = QString::fromLatin1(device->answer);
        ReadResponse response;
        ParseReadResponseInPlace(answer, &response);
        const DeviceTexts texts = DeviceDisplayTexts(response);
        out.append(first ? std::string_view("\n  {") : std::string_view(",\n  {"));
        first = false;
        for (int c = 0; c < DeviceColumnCount; ++c) {
            out.append('"');
            out.append(keys[c]);
            out.append("\": ");
            const QString &text = texts[c];
            if (c == DeviceColumn::Dhcp)
                out.append(text == DhcpEnabledText()    ? std::string_view("true")
                           : text == DhcpDisabledText() ? std::string_view("false")
                                                        : std::string_view("null"));
            else
                out.appendString(text);
            out.append(", ");
        }
        out.append("\"from\": ");
        out.appendAddress(device->from);
        out.append('}');
        if (out.size() >= JsonPieceBytes) {
            if (!stream.write(out.bytes()))
                return;
            out.clear();
        }
    }
    out.append(first ? std::string_view("]\n") : std::string_view("\n]\n"));
    stream.write(out.bytes());
}

const QStringList &reportTitles()
{
    static const QStringList titles{QStringLiteral("Line"),    QStringLiteral("MAC Address"),
                                    QStringLiteral("Result"),  QStringLiteral("Sent"),
                                    QStringLiteral("Changes"), QStringLiteral("Message"),
                                    QStringLiteral("Warning")};
    return titles;
}

QStringList reportTexts(const PlanReportEntry &entry)
{
    return {QString::number(entry.line), entry.mac,     entry.result,  QString::number(entry.sent),
            ChangesText(entry.changes),  entry.message, entry.warning};
}

void writeReportJson(OutputStream &stream, const QList<PlanReportEntry> &entries)
{
    JsonBuffer out;
    const auto key = [&out](std::string_view name) {
        out.append('"');
        out.append(name);
        out.append("\": ");
    };
    const auto text = [&](std::string_view name, const QString &value, std::string_view after = ", ") {
        key(name);
        out.appendString(value);
        out.append(after);
    };
    const auto number = [&](std::string_view name, int value) {
        key(name);
        out.append(std::to_string(value));
        out.append(", ");
    };
    out.append('[');
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const PlanReportEntry &entry = entries[i];
        out.append(i ? std::string_view(",\n  {") : std::string_view("\n  {"));
        number("line", entry.line);
        text("mac", entry.mac);
        text("result", entry.result);
        number("sent", entry.sent);
        key("changes");
        out.append('[');
        for (qsizetype c = 0; c < entry.changes.size(); ++c) {
            const FieldChange &change = entry.changes[c];
            out.append(c ? std::string_view(", {") : std::string_view("{"));
            text("field", PlanFieldKey(change.field));
            text("from", change.from);
            text("to", change.to, "}");
        }
        out.append("], ");
        text("message", entry.message);
        text("warning", entry.warning, "}");
    }
    out.append(entries.isEmpty() ? std::string_view("]\n") : std::string_view("\n]\n"));
    stream.write(out.bytes());
}

} // namespace

QList<const DeviceEntry *> SortedByMac(const QList<DeviceEntry> &devices)
{
    // Byte order of Latin-1 texts is the order of their characters. The
    // MACs are looked up once, not at every comparison.
    std::vector<std::pair<std::string_view, const DeviceEntry *>> keyed;
    keyed.reserve(size_t(devices.size()));
    for (const DeviceEntry &device : devices)
        keyed.emplace_back(std::string_view(device.mac().data(), size_t(device.mac().size())), &device);
    std::sort(keyed.begin(), keyed.end(),
              [](const auto &a, const auto &b) { return a.first < b.first; });
    QList<const DeviceEntry *> list;
    list.reserve(devices.size());
    for (const auto &entry : keyed)
        list << entry.second;
    return list;
}

void WriteDevices(OutputStream &out, const QList<const DeviceEntry *> &devices, OutputFormat format)
{
    switch (format) {
    case OutputFormat::Table:
        out.write(formatTable(devices));
        break;
    case OutputFormat::Csv:
        out.write(formatCsv(devices));
        break;
    case OutputFormat::Json:
        writeJson(out, devices);
        break;
    }
}

void WritePlanReport(OutputStream &out, const QList<PlanReportEntry> &entries, OutputFormat format)
{
    switch (format) {
    case OutputFormat::Table: {
        QList<QStringList> rows;
        for (const PlanReportEntry &entry : entries) {
            rows << reportTexts(entry);
            // A check's message may have several lines: one here.
            rows.last()[5] = rows.last()[5].simplified();
        }
        out.write(alignedTable(reportTitles(), rows));
        break;
    }
    case OutputFormat::Csv: {
        QString csv;
        AppendCsvLine(csv, reportTitles().constData(), reportTitles().size());
        for (const PlanReportEntry &entry : entries) {
            const QStringList texts = reportTexts(entry);
            AppendCsvLine(csv, texts.constData(), texts.size());
        }
        out.write(csv.toUtf8());
        break;
    }
    case OutputFormat::Json:
        writeReportJson(out, entries);
        break;
    }
}

bool OutputStream::write(QByteArrayView bytes)
{
    if (m_error)
        return false;
    if (bytes.isEmpty() || std::fwrite(bytes.data(), 1, size_t(bytes.size()), m_stream) == size_t(bytes.size()))
        return true;
    return failed(errno);
}

bool OutputStream::writeLine(const QString &text)
{
    QByteArray bytes = text.toUtf8();
    if (!bytes.endsWith('\n'))
        bytes += '\n';
    return write(bytes);
}

int OutputStream::finish()
{
    if (!m_error && (std::fflush(m_stream) != 0 || std::ferror(m_stream)))
        failed(errno);
    return m_error;
}

bool OutputStream::failed(int error)
{
    // A stream can fail without saying why (an error left from before).
    m_error = error ? error : EIO;
    return false;
}
