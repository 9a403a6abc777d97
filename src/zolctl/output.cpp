#include "zolctl/output.h"

#include "plan/planfile.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
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

QByteArray formatCsv(const QList<const DeviceEntry *> &devices)
{
    QString out = DeviceCsvHeader();
    for (const DeviceEntry *device : devices)
        AppendDeviceCsvLine(out, device->texts());
    return out.toUtf8();
}

// JSON is written straight into UTF-8, byte by byte into room made once per
// device: a large list is printed in a few milliseconds.
char *putText(char *p, std::string_view text)
{
    std::memcpy(p, text.data(), text.size());
    return p + text.size();
}

// Needs room for six bytes a character and two more.
char *putJsonString(char *p, QStringView text)
{
    *p++ = '"';
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'"' || u == u'\\') {
            *p++ = '\\';
            *p++ = char(u);
        } else if (u < 0x20) {
            static const char hex[] = "0123456789abcdef";
            p = putText(p, "\\u00");
            *p++ = hex[u >> 4];
            *p++ = hex[u & 0xf];
        } else if (u < 0x80) {
            *p++ = char(u);
        } else if (u < 0x800) {
            *p++ = char(0xc0 | (u >> 6));
            *p++ = char(0x80 | (u & 0x3f));
        } else {
            // Not from a device's Latin-1 text; at most three bytes.
            const QByteArray utf8 = QString(c).toUtf8();
            for (char byte : utf8)
                *p++ = byte;
        }
    }
    *p++ = '"';
    return p;
}

// Sent on in pieces of about this size: the pages of one piece are used
// again for the next, where a whole large list would take fresh memory.
constexpr qsizetype JsonPieceBytes = 64 * 1024;

void writeJson(FILE *stream, const QList<const DeviceEntry *> &devices)
{
    static constexpr std::string_view keys[DeviceColumnCount] = {"type", "serial", "mac", "ip", "mask",
                                                                 "gateway", "dhcp", "name", "location"};
    // Everything of a device but its texts: keys, quotes, separators, address.
    constexpr qsizetype FixedBytes = 256;
    QByteArray out("[");
    out.reserve(JsonPieceBytes + 4096);
    bool first = true;
    for (const DeviceEntry *device : devices) {
        // Made and dropped here, the texts need not be copies of the answer.
        const QString answer = QString::fromLatin1(device->answer);
        ReadResponse response;
        ParseReadResponseInPlace(answer, &response);
        const DeviceTexts texts = DeviceDisplayTexts(response);
        qsizetype room = FixedBytes;
        for (const QString &text : texts)
            room += text.size() * 6;
        const qsizetype start = out.size();
        out.resize(start + room);
        char *p = out.data() + start;
        p = putText(p, first ? std::string_view("\n  {") : std::string_view(",\n  {"));
        first = false;
        for (int c = 0; c < DeviceColumnCount; ++c) {
            *p++ = '"';
            p = putText(p, keys[c]);
            p = putText(p, "\": ");
            const QString &text = texts[c];
            if (c == DeviceColumn::Dhcp)
                p = putText(p, text == DhcpEnabledText()    ? std::string_view("true")
                           : text == DhcpDisabledText() ? std::string_view("false")
                                                        : std::string_view("null"));
            else
                p = putJsonString(p, text);
            p = putText(p, ", ");
        }
        p = putText(p, "\"from\": ");
        if (const quint32 a = device->from) {
            *p++ = '"';
            for (int shift = 24; shift >= 0; shift -= 8) {
                const unsigned part = (a >> shift) & 0xff;
                if (part >= 100)
                    *p++ = char('0' + part / 100);
                if (part >= 10)
                    *p++ = char('0' + part / 10 % 10);
                *p++ = char('0' + part % 10);
                *p++ = shift ? '.' : '"';
            }
        } else
            p = putText(p, "null");
        *p++ = '}';
        out.truncate(p - out.constData());
        if (out.size() >= JsonPieceBytes) {
            std::fwrite(out.constData(), 1, size_t(out.size()), stream);
            out.truncate(0);
        }
    }
    out += first ? "]\n" : "\n]\n";
    std::fwrite(out.constData(), 1, size_t(out.size()), stream);
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

void WriteDevices(FILE *stream, const QList<const DeviceEntry *> &devices, OutputFormat format)
{
    QByteArray text;
    switch (format) {
    case OutputFormat::Table:
        text = formatTable(devices);
        break;
    case OutputFormat::Csv:
        text = formatCsv(devices);
        break;
    case OutputFormat::Json:
        writeJson(stream, devices);
        return;
    }
    std::fwrite(text.constData(), 1, size_t(text.size()), stream);
}
