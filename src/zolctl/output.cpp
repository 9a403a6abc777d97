#include "zolctl/output.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
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

QByteArray formatTable(const QList<const DeviceEntry *> &devices)
{
    const auto &titles = DeviceColumnTitles();
    QList<DeviceTexts> rows;
    rows.reserve(devices.size());
    int widths[DeviceColumnCount];
    for (int c = 0; c < DeviceColumnCount; ++c)
        widths[c] = int(titles[c].size());
    for (const DeviceEntry *device : devices) {
        const DeviceTexts texts = device->texts();
        DeviceTexts row;
        for (int c = 0; c < DeviceColumnCount; ++c) {
            row[c] = escapedForTerminal(texts[c]);
            widths[c] = std::max(widths[c], int(row[c].size()));
        }
        rows << row;
    }
    QString out;
    const auto line = [&](const DeviceTexts &texts) {
        for (int c = 0; c < DeviceColumnCount; ++c) {
            if (c + 1 < DeviceColumnCount) {
                out += texts[c].leftJustified(widths[c]);
                out += QLatin1String("  ");
            } else {
                out += texts[c];
            }
        }
        // No blanks at the end of a line.
        while (out.endsWith(u' '))
            out.chop(1);
        out += u'\n';
    };
    line(titles);
    for (const DeviceTexts &row : std::as_const(rows))
        line(row);
    return out.toUtf8();
}

// RFC 4180: quoted when needed, quotes doubled, lines ended by CRLF.
void appendCsvField(QString &out, const QString &text)
{
    if (text.contains(u',') || text.contains(u'"') || text.contains(u'\r') || text.contains(u'\n')) {
        out += u'"';
        out += QString(text).replace(QLatin1String("\""), QLatin1String("\"\""));
        out += u'"';
    } else {
        out += text;
    }
}

QByteArray formatCsv(const QList<const DeviceEntry *> &devices)
{
    QString out;
    const auto line = [&out](const DeviceTexts &texts) {
        for (int c = 0; c < DeviceColumnCount; ++c) {
            if (c)
                out += u',';
            appendCsvField(out, texts[c]);
        }
        out += QLatin1String("\r\n");
    };
    line(DeviceColumnTitles());
    for (const DeviceEntry *device : devices)
        line(device->texts());
    return out.toUtf8();
}

// Device texts as JSON strings, straight into UTF-8 by an appending writer:
// every byte goes through std::string, which makes room as it grows, so no
// text, however long, can write past its buffer.
void appendJsonString(std::string &out, QStringView text)
{
    static const char hex[] = "0123456789abcdef";
    out += '"';
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'"' || u == u'\\') {
            out += '\\';
            out += char(u);
        } else if (u < 0x20) {
            out += "\\u00";
            out += hex[u >> 4];
            out += hex[u & 0xf];
        } else if (u < 0x80) {
            out += char(u);
        } else if (u < 0x800) {
            out += char(0xc0 | (u >> 6));
            out += char(0x80 | (u & 0x3f));
        } else {
            // Not from a device's Latin-1 text.
            out += QString(c).toStdString();
        }
    }
    out += '"';
}

void appendJsonAddress(std::string &out, quint32 address)
{
    if (!address) {
        out += "null";
        return;
    }
    out += '"';
    for (int shift = 24; shift >= 0; shift -= 8) {
        const unsigned part = (address >> shift) & 0xff;
        if (part >= 100)
            out += char('0' + part / 100);
        if (part >= 10)
            out += char('0' + part / 10 % 10);
        out += char('0' + part % 10);
        out += shift ? '.' : '"';
    }
}

// Sent on in pieces of about this size: the pages of one piece are used
// again for the next, where a whole large list would take fresh memory.
constexpr size_t JsonPieceBytes = 64 * 1024;

bool writeJson(OutputStream &stream, const QList<const DeviceEntry *> &devices)
{
    static constexpr std::string_view keys[DeviceColumnCount] = {"type", "serial", "mac", "ip", "mask",
                                                                 "gateway", "dhcp", "name", "location"};
    std::string out("[");
    out.reserve(JsonPieceBytes + 4096);
    bool first = true;
    for (const DeviceEntry *device : devices) {
        // Made and dropped here, the texts need not be copies of the answer.
        const QString answer = QString::fromLatin1(device->answer);
        ReadResponse response;
        ParseReadResponseInPlace(answer, &response);
        const DeviceTexts texts = DeviceDisplayTexts(response);
        out += first ? std::string_view("\n  {") : std::string_view(",\n  {");
        first = false;
        for (int c = 0; c < DeviceColumnCount; ++c) {
            out += '"';
            out += keys[c];
            out += "\": ";
            const QString &text = texts[c];
            if (c == DeviceColumn::Dhcp)
                out += text == DhcpEnabledText()    ? std::string_view("true")
                     : text == DhcpDisabledText() ? std::string_view("false")
                                                  : std::string_view("null");
            else
                appendJsonString(out, text);
            out += ", ";
        }
        out += "\"from\": ";
        appendJsonAddress(out, device->from);
        out += '}';
        if (out.size() >= JsonPieceBytes) {
            if (!stream.write(QByteArrayView(out.data(), qsizetype(out.size()))))
                return false;
            out.clear();
        }
    }
    out += first ? "]\n" : "\n]\n";
    return stream.write(QByteArrayView(out.data(), qsizetype(out.size())));
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

bool WriteDevices(OutputStream &out, const QList<const DeviceEntry *> &devices, OutputFormat format)
{
    switch (format) {
    case OutputFormat::Table:
        return out.write(formatTable(devices));
    case OutputFormat::Csv:
        return out.write(formatCsv(devices));
    case OutputFormat::Json:
        return writeJson(out, devices);
    }
    return true;
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
