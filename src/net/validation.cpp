// SPDX-License-Identifier: Apache-2.0
#include "net/validation.h"

#include <QCoreApplication>
#include <QHostAddress>

namespace {

// The dialog's messages are looked up in the dialog's own context. Callers wrap
// each text in QT_TRANSLATE_NOOP so the message files can find it.
QString translated(const char *text)
{
    return QCoreApplication::translate("Edit_Network_Configuration", text);
}

bool isAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isAsciiDigit(char c)
{
    return c >= '0' && c <= '9';
}

QString nameMessage()
{
    // Only the heading is translated; the numbered lines stay as they are.
    return translated(QT_TRANSLATE_NOOP("Edit_Network_Configuration", "Invalid name, please check the following:\n\n"))
        + QStringLiteral("1. Max of 12 characters\n")
        + QStringLiteral("2. Only alphanumeric characters and underscore allowed\n")
        + QStringLiteral("3. First character must be a letter");
}

QString locationMessage()
{
    return translated(QT_TRANSLATE_NOOP("Edit_Network_Configuration", "Invalid location, make sure of the following:\n\n"))
        + QStringLiteral("1. Max of 31 characters\n")
        + QStringLiteral("2. Only alphanumeric characters, underscore and blank spaces allowed\n");
}

} // namespace

bool isValidFieldText(const QString &text, bool nameRules, int maxLength)
{
    if (text.size() > maxLength)
        return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t code = text.at(i).unicode();
        if (code > 255)
            return false;
        // Latin-1 codes above 127 are negative as signed 8-bit values and so
        // fall outside every range below.
        const auto c = static_cast<signed char>(code);
        const bool letter = isAsciiLetter(c);
        const bool digit = isAsciiDigit(c);
        const bool underscore = c == '_';
        const bool blank = c == ' ';
        if (!letter && !digit && !underscore && !blank)
            return false;
        if (nameRules) {
            if (blank)
                return false;
            // The message asks for a letter first, so a leading underscore is
            // refused along with a leading digit.
            if (i == 0 && !letter)
                return false;
        }
    }
    return true;
}

bool isCanonicalAddress(const QString &text)
{
    QHostAddress address;
    if (!address.setAddress(text))
        return false;
    // Devices speak IPv4 dotted quads only; any other family is refused.
    if (address.protocol() != QAbstractSocket::IPv4Protocol)
        return false;
    return address.toString() == text;
}

QString CheckEditField(EditField field, const QString &text)
{
    switch (field) {
    case EditField::Name:
        return isValidFieldText(text, true, 12) ? QString() : nameMessage();
    case EditField::Location:
        return isValidFieldText(text, false, 31) ? QString() : locationMessage();
    case EditField::Ip:
        return isCanonicalAddress(text)
            ? QString() : translated(QT_TRANSLATE_NOOP("Edit_Network_Configuration", "Invalid IP Address."));
    case EditField::Mask:
        return isCanonicalAddress(text)
            ? QString() : translated(QT_TRANSLATE_NOOP("Edit_Network_Configuration", "Invalid Subnet Mask."));
    case EditField::Gateway:
        return isCanonicalAddress(text)
            ? QString() : translated(QT_TRANSLATE_NOOP("Edit_Network_Configuration", "Invalid Gateway."));
    }
    return QString();
}

QString CheckRenewLeaseFields(const QString &name, const QString &location)
{
    if (name.contains(u','))
        return nameMessage();
    if (location.contains(u','))
        return locationMessage();
    return QString();
}

QString CheckEditFields(const EditFields &fields)
{
    QString message = CheckEditField(EditField::Name, fields.name);
    if (message.isEmpty())
        message = CheckEditField(EditField::Location, fields.location);
    // With DHCP on the address fields are disabled and go out as they stand.
    if (message.isEmpty() && !fields.dhcp)
        message = CheckEditField(EditField::Ip, fields.ip);
    if (message.isEmpty() && !fields.dhcp)
        message = CheckEditField(EditField::Mask, fields.mask);
    if (message.isEmpty() && !fields.dhcp)
        message = CheckEditField(EditField::Gateway, fields.gateway);
    return message;
}
