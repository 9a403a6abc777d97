// SPDX-License-Identifier: Apache-2.0
#include "net/messages.h"

#include <utility>

int QuerySequence = 0;

int GetQuerySequence()
{
    return QuerySequence;
}

void IncrementQuerySequence()
{
    // Wraps from INT_MAX to INT_MIN like the 32-bit counter it is, without
    // signed overflow.
    QuerySequence = static_cast<int>(static_cast<quint32>(QuerySequence) + 1u);
}

QString FormatReadQuery(int sequence)
{
    return QLatin1String(ZolProtocol::ReadQueryKeyword) + QLatin1String(",0,") + QString::number(sequence);
}

QString FormatWriteQuery(int sequence, const QString &mac, const QString &ip,
                         const QString &mask, const QString &gateway, bool dhcp,
                         const QString &name, const QString &location)
{
    // Texts go out as they are: no quoting, a comma inside a text splits it
    // on the device's side. The trailing comma is part of the format.
    const QChar comma(u',');
    QString query = QLatin1String(ZolProtocol::WriteQueryKeyword) + QLatin1String(",0,");
    query += QString::number(sequence);
    query += comma;
    query += mac;
    query += comma;
    query += ip;
    query += comma;
    query += mask;
    query += comma;
    query += gateway;
    query += comma;
    query += dhcp ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    query += comma;
    query += name;
    query += comma;
    query += location;
    query += comma;
    return query;
}

namespace {

bool isScanSpace(QChar c)
{
    // The white space of the C library's scanf: blank, \t \n \v \f \r.
    const char16_t u = c.unicode();
    return u == u' ' || (u >= u'\t' && u <= u'\r');
}

int hexDigitValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

} // namespace

QString MacKey(const QString &text)
{
    // One separator throughout (as in 00:1A:... or 00-1a-...), or none.
    const qsizetype n = text.size();
    if (n != 12 && n != 17)
        return QString();
    const QChar separator = n == 17 ? text.at(2) : QChar();
    if (n == 17 && separator != u':' && separator != u'-')
        return QString();
    QString key;
    key.reserve(12);
    for (qsizetype i = 0; i < n; ++i) {
        if (n == 17 && i % 3 == 2) {
            if (text.at(i) != separator)
                return QString();
        } else if (hexDigitValue(text.at(i)) < 0) {
            return QString();
        } else {
            key += text.at(i).toUpper();
        }
    }
    return key;
}

QString FormatSerialNumber(const QString &field)
{
    // Read by hand the way "%x" reads: white space, an optional 0x, then hex
    // digits up to the first other character. The value is a 32-bit unsigned
    // number; more than eight digits keep only the low 32 bits.
    quint32 value = 0;
    qsizetype i = 0;
    const qsizetype n = field.size();
    while (i < n && isScanSpace(field.at(i)))
        ++i;
    if (i + 1 < n && field.at(i) == u'0' && (field.at(i + 1) == u'x' || field.at(i + 1) == u'X')
        && i + 2 < n && hexDigitValue(field.at(i + 2)) >= 0) {
        i += 2;
    }
    for (; i < n; ++i) {
        const int d = hexDigitValue(field.at(i));
        if (d < 0)
            break;
        value = (value << 4) | static_cast<quint32>(d);
    }
    // Shown as "%07d" shows the signed number: at least seven characters,
    // sign included. Written by hand, as printf is the most of this call.
    const bool negative = static_cast<int>(value) < 0;
    quint32 magnitude = negative ? 0u - value : value;
    char text[16];
    char *const end = text + sizeof text;
    char *p = end;
    do {
        *--p = char('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    while (end - p < (negative ? 6 : 7))
        *--p = '0';
    if (negative)
        *--p = '-';
    return QString::fromLatin1(p, end - p);
}

FieldReader::FieldReader(const QString &text)
    : m_text(text)
{
}

bool FieldReader::nextField(QString *field)
{
    QStringView view;
    const bool present = nextFieldView(&view);
    if (field)
        *field = view.toString();
    return present;
}

namespace {

constexpr QChar commaIn(QStringView) { return u','; }
constexpr char commaIn(QByteArrayView) { return ','; }

// Skips every comma at *pos; false (field absent) when the end is then
// reached, otherwise the run up to the next comma, *pos moving past it.
template <typename View>
bool takeField(View text, qsizetype *pos, View *field)
{
    const auto comma = commaIn(text);
    const qsizetype n = text.size();
    qsizetype at = *pos;
    while (at < n && text[at] == comma)
        ++at;
    *pos = at;
    if (at >= n) {
        *field = View();
        return false;
    }
    qsizetype end = text.indexOf(comma, at);
    if (end < 0)
        end = n;
    *field = text.sliced(at, end - at);
    *pos = end < n ? end + 1 : n;
    return true;
}

} // namespace

bool FieldReader::nextFieldView(QStringView *field)
{
    return takeField(QStringView(m_text), &m_pos, field);
}

bool ByteFieldReader::nextFieldView(QByteArrayView *field)
{
    return takeField(m_bytes, &m_pos, field);
}

bool FieldReader::nextFieldOrEmptyView(QStringView *field)
{
    if (m_pos < m_text.size() && m_text.at(m_pos) == u',') {
        ++m_pos;
        *field = QStringView();
        return true;
    }
    return nextFieldView(field);
}

bool FieldReader::atEnd() const
{
    return m_pos >= m_text.size();
}

namespace {

// The read response's rules, `take` making each field's text from its place
// in the received text.
template <typename Take>
bool parseReadResponse(const QString &text, ReadResponse *out, Take take)
{
    FieldReader reader(text);
    QStringView keyword;
    if (!reader.nextFieldView(&keyword) || keyword != ReadResponseKeyword())
        return false;

    ReadResponse r;
    QStringView field;
    reader.nextFieldView(&field);
    reader.nextFieldView(&field);
    r.hasSerial = reader.nextFieldView(&field);
    r.serialField = take(field);
    reader.nextFieldView(&field);
    r.mac = take(field);
    reader.nextFieldView(&field);
    r.ip = take(field);
    reader.nextFieldView(&field);
    r.mask = take(field);
    reader.nextFieldView(&field);
    r.gateway = take(field);
    r.hasDhcp = reader.nextFieldView(&field);
    r.dhcpField = take(field);
    reader.nextFieldOrEmptyView(&field);
    r.name = take(field);
    reader.nextFieldOrEmptyView(&field);
    r.location = take(field);
    reader.nextFieldView(&field);
    if (!reader.atEnd()) {
        // Only commas left still count as a device type: an empty one.
        r.hasDeviceType = true;
        reader.nextFieldView(&field);
        r.deviceType = take(field);
    }
    if (out)
        *out = std::move(r);
    return true;
}

} // namespace

bool ParseReadResponse(const QString &text, ReadResponse *out)
{
    return parseReadResponse(text, out, [](QStringView field) { return field.toString(); });
}

bool ParseReadResponseInPlace(const QString &text, ReadResponse *out)
{
    return parseReadResponse(text, out,
                             [](QStringView field) { return QString::fromRawData(field.data(), field.size()); });
}

bool ParseWriteResponse(const QString &text, WriteResponse *out)
{
    FieldReader reader(text);
    QString keyword;
    if (!reader.nextField(&keyword) || keyword != WriteResponseKeyword())
        return false;

    WriteResponse r;
    reader.nextField();
    reader.nextField();
    reader.nextField(&r.mac);
    r.hasStatus = reader.nextField(&r.status);
    if (out)
        *out = r;
    return true;
}

bool IsWriteAccepted(const WriteResponse &response)
{
    return response.hasStatus && response.status == QLatin1String(ZolProtocol::ConfigurationUpdated);
}

QString WriteRefusalMessage(const QString &status)
{
    if (status == QLatin1String(ZolProtocol::MissingParameters))
        return QStringLiteral("Modify failed, missing parameters.");
    if (status == QLatin1String(ZolProtocol::SecurityViolation))
        return QStringLiteral("Modify failed, security mode enabled on device.");
    if (status == QLatin1String(ZolProtocol::InvalidParameter))
        return QStringLiteral("Modify failed, invalid parameter");
    return {};
}

QString NextReadQuery()
{
    IncrementQuerySequence();
    return FormatReadQuery(GetQuerySequence());
}

QString NextWriteQuery(const QString &mac, const QString &ip, const QString &mask,
                       const QString &gateway, bool dhcp, const QString &name,
                       const QString &location)
{
    IncrementQuerySequence();
    return FormatWriteQuery(GetQuerySequence(), mac, ip, mask, gateway, dhcp, name, location);
}

QString RenewLeaseQuery(const QString &mac, bool dhcp, const QString &name, const QString &location)
{
    const QString zero = QStringLiteral("0.0.0.0");
    const QString query = FormatWriteQuery(GetQuerySequence(), mac, zero, zero, zero, dhcp, name, location);
    IncrementQuerySequence();
    return query;
}

QString RenewLeaseSentMessage()
{
    return QStringLiteral("Device IP Address has been reset, give the device at least 10 seconds\n"
                          "to get it's new IP Address from the DHCP Server.");
}
