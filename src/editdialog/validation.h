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

// The check sequence run by OK: the message of the first failing field (the
// heading translated in the context "Edit_Network_Configuration"), or an
// empty text when every field passes.
QString CheckEditFields(const EditFields &fields);
// The Name and Location checks alone (used before Renew Lease).
QString CheckNameAndLocation(const QString &name, const QString &location);
