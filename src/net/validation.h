// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>

// Length and character test of Name (nameRules on) and Location.
bool isValidFieldText(const QString &text, bool nameRules, int maxLength);

// True only for an IPv4 dotted quad written exactly in canonical form.
bool isCanonicalAddress(const QString &text);

struct EditFields
{
    QString name;
    QString location;
    QString ip;
    QString mask;
    QString gateway;
    bool dhcp = false;
};

enum class EditField { Name, Location, Ip, Mask, Gateway };

// One field's check on its own: its message when the text fails, otherwise
// an empty text. What a plan row or an assign form checks, field by field.
QString CheckEditField(EditField field, const QString &text);

// The check sequence run by OK: the message of the first failing field (the
// heading translated in the context "Edit_Network_Configuration"), or an
// empty text when every field passes.
QString CheckEditFields(const EditFields &fields);
// What Renew Lease refuses: a comma in Name or Location, which would shift
// every later field the device reads. The name message when Name holds one,
// else the location message when Location does, else an empty text. A name
// the device itself holds (a hyphen, a dot) goes out as it is.
QString CheckRenewLeaseFields(const QString &name, const QString &location);
