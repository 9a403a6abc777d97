#include "zolctl/output.h"

#include <algorithm>
#include <cstdio>

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
        DeviceTexts row;
        for (int c = 0; c < DeviceColumnCount; ++c) {
            row[c] = escapedForTerminal(device->texts[c]);
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
        line(device->texts);
    return out.toUtf8();
}

// Written straight into UTF-8, byte by byte into room made once: a large
// list is printed in a few milliseconds.
void appendJsonString(QByteArray &out, QStringView text)
{
    const qsizetype start = out.size();
    out.resize(start + text.size() * 6 + 2); // \u00XX is the longest a character gets
    char *p = out.data() + start;
    *p++ = '"';
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'"' || u == u'\\') {
            *p++ = '\\';
            *p++ = char(u);
        } else if (u < 0x20) {
            static const char hex[] = "0123456789abcdef";
            *p++ = '\\';
            *p++ = 'u';
            *p++ = '0';
            *p++ = '0';
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
    out.truncate(p - out.constData());
}

QByteArray ipv4Text(quint32 address)
{
    char text[16];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", address >> 24, (address >> 16) & 0xff, (address >> 8) & 0xff,
                  address & 0xff);
    return QByteArray(text);
}

QByteArray formatJson(const QList<const DeviceEntry *> &devices)
{
    static const char *const keys[DeviceColumnCount] = {"type", "serial", "mac", "ip", "mask", "gateway",
                                                        "dhcp", "name", "location"};
    QByteArray out("[");
    out.reserve(devices.size() * 512 + 4);
    bool first = true;
    for (const DeviceEntry *device : devices) {
        out += first ? "\n  {" : ",\n  {";
        first = false;
        for (int c = 0; c < DeviceColumnCount; ++c) {
            out += '"';
            out += keys[c];
            out += "\": ";
            const QString &text = device->texts[c];
            if (c == DeviceColumn::Dhcp)
                out += text == DhcpEnabledText() ? "true" : text == DhcpDisabledText() ? "false" : "null";
            else
                appendJsonString(out, text);
            out += ", ";
        }
        out += "\"from\": ";
        out += device->from ? '"' + ipv4Text(device->from) + '"' : QByteArray("null");
        out += '}';
    }
    out += first ? "]\n" : "\n]\n";
    return out;
}

} // namespace

QList<const DeviceEntry *> SortedByMac(const QHash<QString, DeviceEntry> &devices)
{
    QList<const DeviceEntry *> list;
    list.reserve(devices.size());
    for (const DeviceEntry &device : devices)
        list << &device;
    std::sort(list.begin(), list.end(), [](const DeviceEntry *a, const DeviceEntry *b) {
        return a->texts[DeviceColumn::Mac] < b->texts[DeviceColumn::Mac];
    });
    return list;
}

QByteArray FormatDevices(const QList<const DeviceEntry *> &devices, OutputFormat format)
{
    switch (format) {
    case OutputFormat::Table:
        return formatTable(devices);
    case OutputFormat::Csv:
        return formatCsv(devices);
    case OutputFormat::Json:
        break;
    }
    return formatJson(devices);
}
