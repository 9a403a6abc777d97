// Fuzz target: arbitrary text through the edit dialog's field checks and the
// reader of received texts, each compared with a plain statement of its rule.
// The first byte picks how the rest becomes text (Latin-1 as received, UTF-8,
// or raw UTF-16 as typed or pasted) and whether DHCP is on.

#include "fuzzsupport.h"

#include "editdialog/validation.h"
#include "net/messages.h"
#include "net/sender.h"

#include <QRegularExpression>
#include <QStringList>

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

QString textOf(const uint8_t *data, size_t size, int mode)
{
    const auto *chars = reinterpret_cast<const char *>(data);
    switch (mode) {
    case 0:
        return QString::fromLatin1(chars, qsizetype(size));
    case 1:
        return QString::fromUtf8(chars, qsizetype(size));
    default: {
        QString text;
        for (size_t i = 0; i + 1 < size; i += 2)
            text += QChar(char16_t(data[i] | (data[i + 1] << 8)));
        return text;
    }
    }
}

bool isAscii(const QString &text)
{
    for (QChar c : text) {
        if (c.unicode() > 127)
            return false;
    }
    return true;
}

bool nameByRule(const QString &text)
{
    // ASCII letters, digits and underscores, a letter first; empty allowed.
    static const QRegularExpression rule(QStringLiteral("\\A(?:[A-Za-z][A-Za-z0-9_]*)?\\z"));
    return text.size() <= 12 && isAscii(text) && rule.match(text).hasMatch();
}

bool locationByRule(const QString &text, int limit)
{
    static const QRegularExpression rule(QStringLiteral("\\A[A-Za-z0-9_ ]*\\z"));
    return text.size() <= limit && isAscii(text) && rule.match(text).hasMatch();
}

// Four numbers 0...255 in plain decimal, no leading zeros, single dots.
bool addressByRule(const QString &text, unsigned char *bytes)
{
    const QStringList parts = text.split(u'.');
    if (parts.size() != 4)
        return false;
    for (int i = 0; i < 4; ++i) {
        const QString &p = parts.at(i);
        if (p.isEmpty() || p.size() > 3 || (p.size() > 1 && p.at(0) == u'0'))
            return false;
        int value = 0;
        for (QChar c : p) {
            if (c < u'0' || c > u'9')
                return false;
            value = value * 10 + (c.unicode() - u'0');
        }
        if (value > 255)
            return false;
        bytes[i] = static_cast<unsigned char>(value);
    }
    return true;
}

QString expectedMessage(const EditFields &f)
{
    if (!nameByRule(f.name))
        return QStringLiteral("Invalid name, please check the following:\n\n1. Max of 12 characters\n"
                              "2. Only alphanumeric characters and underscore allowed\n"
                              "3. First character must be a letter");
    if (!locationByRule(f.location, 31))
        return QStringLiteral("Invalid location, make sure of the following:\n\n1. Max of 31 characters\n"
                              "2. Only alphanumeric characters, underscore and blank spaces allowed\n");
    if (f.dhcp)
        return QString();
    unsigned char bytes[4];
    if (!addressByRule(f.ip, bytes))
        return QStringLiteral("Invalid IP Address.");
    if (!addressByRule(f.mask, bytes))
        return QStringLiteral("Invalid Subnet Mask.");
    if (!addressByRule(f.gateway, bytes))
        return QStringLiteral("Invalid Gateway.");
    return QString();
}

void checkValidation(const QString &text, bool dhcp)
{
    FUZZ_CHECK(isValidFieldText(text, true, 12) == nameByRule(text), "name check differs from its rule");
    FUZZ_CHECK(isValidFieldText(text, false, 31) == locationByRule(text, 31), "location check differs from its rule");
    const int limit = int(text.size() % 40);
    FUZZ_CHECK(isValidFieldText(text, false, limit) == locationByRule(text, limit), "length limit not kept");

    unsigned char expected[4] = {0, 0, 0, 0};
    const bool canonical = addressByRule(text, expected);
    FUZZ_CHECK(isCanonicalAddress(text) == canonical, "address check differs from its rule");
    if (canonical) {
        FUZZ_CHECK(IsIPv4Text(text), "a dotted quad is not taken for an IPv4 text");
        unsigned char converted[4] = {1, 2, 3, 4};
        FUZZ_CHECK(TextToAddress(AddressFamily::IPv4, text, converted), "a dotted quad does not convert");
        FUZZ_CHECK(std::memcmp(converted, expected, 4) == 0, "a dotted quad converts to other numbers");
    }
    if (text.size() < 7 || text.size() > 15)
        FUZZ_CHECK(!IsIPv4Text(text), "an IPv4 text of impossible length");
    unsigned char any[16];
    TextToAddress(AddressFamily::IPv4, text, any);
    TextToAddress(AddressFamily::IPv6, text, any);
    FUZZ_CHECK(!TextToAddress(AddressFamily::Other, text, any), "an address of no family converted");

    // The five fields of the dialog, separated by line feeds.
    const QStringList parts = text.split(u'\n');
    EditFields fields;
    fields.name = parts.value(0);
    fields.location = parts.value(1);
    fields.ip = parts.value(2);
    fields.mask = parts.value(3);
    fields.gateway = parts.value(4);
    fields.dhcp = dhcp;
    FUZZ_CHECK(CheckEditFields(fields) == expectedMessage(fields), "the check sequence gives another message");
}

void checkReader(const QString &text)
{
    // Reading field after field gives the non-empty comma-separated parts.
    const QStringList parts = text.split(u',', Qt::SkipEmptyParts);
    {
        FieldReader reader(text);
        QString field;
        qsizetype count = 0;
        while (reader.nextField(&field)) {
            FUZZ_CHECK(count < parts.size() && field == parts.at(count), "a field differs from the text's parts");
            ++count;
        }
        FUZZ_CHECK(count == parts.size(), "the reader missed fields");
        FUZZ_CHECK(reader.atEnd(), "the reader stopped before the end");
        FUZZ_CHECK(field.isEmpty(), "an absent field is not empty");
    }
    {
        // With the empty-field rule mixed in, fields never hold a comma and
        // the reader always comes to an end.
        FieldReader reader(text);
        QString field;
        for (qsizetype step = 0; step <= text.size() + 1; ++step) {
            const bool present = (step % 3 == 1) ? reader.nextFieldOrEmpty(&field) : reader.nextField(&field);
            FUZZ_CHECK(!field.contains(u','), "a field holds a comma");
            if (!present)
                break;
        }
        FUZZ_CHECK(reader.atEnd(), "the reader did not come to the end");
    }

    const bool readKeyword = !parts.isEmpty() && parts.first() == QLatin1String("ZOL_READ_RESPONSE");
    const bool writeKeyword = !parts.isEmpty() && parts.first() == QLatin1String("ZOL_WRITE_RESPONSE");
    ReadResponse read;
    FUZZ_CHECK(ParseReadResponse(text, &read) == readKeyword, "read keyword taken wrongly");
    WriteResponse write;
    FUZZ_CHECK(ParseWriteResponse(text, &write) == writeKeyword, "write keyword taken wrongly");

    // Without empty fields the answers are plain positions.
    const bool plain = !text.contains(QLatin1String(",,")) && !text.startsWith(u',') && !text.endsWith(u',');
    if (readKeyword && plain) {
        FUZZ_CHECK(read.hasSerial == (parts.size() > 3), "serial presence");
        FUZZ_CHECK(read.serialField == parts.value(3), "serial field");
        FUZZ_CHECK(read.mac == parts.value(4), "MAC field");
        FUZZ_CHECK(read.ip == parts.value(5) && read.mask == parts.value(6) && read.gateway == parts.value(7),
                   "address fields");
        FUZZ_CHECK(read.hasDhcp == (parts.size() > 8) && read.dhcpField == parts.value(8), "DHCP field");
        FUZZ_CHECK(read.name == parts.value(9) && read.location == parts.value(10), "name or location");
        FUZZ_CHECK(read.hasDeviceType == (parts.size() > 12), "device type presence");
        FUZZ_CHECK(read.deviceType == parts.value(12), "device type");
    }
    if (writeKeyword && plain) {
        FUZZ_CHECK(write.mac == parts.value(3), "write MAC field");
        FUZZ_CHECK(write.hasStatus == (parts.size() > 4) && write.status == parts.value(4), "status field");
    }
}

void checkSerial(const QString &field)
{
    const QString shown = FormatSerialNumber(field);
    FUZZ_CHECK(shown.size() >= 7 && shown.size() <= 11, "serial text of odd length");

    // Compared with the C library's own "%x" where it is well defined: text
    // it can read (Latin-1, no zero byte), no sign (the library takes one;
    // devices never send one) and no more hex digits than fit 64 bits.
    for (QChar c : field) {
        if (c.unicode() == 0 || c.unicode() > 255)
            return;
    }
    const QByteArray bytes = field.toLatin1();
    const char *p = bytes.constData();
    while (*p == ' ' || (*p >= '\t' && *p <= '\r'))
        ++p;
    if (*p == '+' || *p == '-')
        return;
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X'))
        p += 2;
    size_t digits = 0;
    while (std::isxdigit(static_cast<unsigned char>(p[digits])))
        ++digits;
    if (digits > 16)
        return;
    unsigned int value = 0;
    if (std::sscanf(bytes.constData(), "%x", &value) != 1)
        value = 0;
    char expected[32];
    std::snprintf(expected, sizeof expected, "%07d", static_cast<int>(value));
    FUZZ_CHECK(shown == QLatin1String(expected), "serial number differs from \"%x\" and \"%07d\"");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const int mode = data[0] % 3;
    const bool dhcp = (data[0] & 0x80) != 0;
    const QString text = textOf(data + 1, size - 1, mode);
    checkValidation(text, dhcp);
    checkReader(text);
    checkSerial(text);
    return 0;
}
