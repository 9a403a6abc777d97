// SPDX-License-Identifier: Apache-2.0
#include "plan/assign.h"

#include <QHostAddress>
#include <QSet>

#include <algorithm>

bool AssignResult::ok() const
{
    const auto empty = [](const QString &text) { return text.isEmpty(); };
    return std::all_of(fieldErrors.cbegin(), fieldErrors.cend(), empty)
        && std::all_of(rowErrors.cbegin(), rowErrors.cend(), empty);
}

namespace {

// The running number put into a name pattern.
QString nameFromPattern(const QString &pattern, int number)
{
    QString name;
    qsizetype i = 0;
    while (i < pattern.size()) {
        const qsizetype open = pattern.indexOf(QLatin1String("{n"), i);
        if (open < 0)
            break;
        name += QStringView(pattern).sliced(i, open - i);
        qsizetype at = open + 2;
        int width = 0;
        if (at < pattern.size() && pattern[at] == u':') {
            ++at;
            while (at < pattern.size() && pattern[at].isDigit() && pattern[at].unicode() < 128 && width < 100)
                width = width * 10 + (pattern[at++].unicode() - u'0');
        }
        if (at < pattern.size() && pattern[at] == u'}') {
            // Wider than any name allows only makes the name fail its check.
            name += QString::number(number).rightJustified(std::min(width, 13), u'0');
            i = at + 1;
        } else {
            name += QStringView(pattern).sliced(open, 2);
            i = open + 2;
        }
    }
    name += QStringView(pattern).sliced(std::min(i, pattern.size()));
    return name;
}

quint32 addressValue(const QString &text)
{
    return QHostAddress(text).toIPv4Address();
}

QString addressText(quint32 value)
{
    return QHostAddress(value).toString();
}

} // namespace

AssignResult BuildAssignPlan(const QList<DeviceSettings> &found, const AssignRequest &request)
{
    AssignResult result;
    const auto fieldError = [&result](AssignField field) -> QString & { return result.fieldErrors[size_t(field)]; };
    const DeviceIndex index(found);
    QList<int> chosen;
    chosen.reserve(request.macs.size());
    QSet<int> chosenSet;
    for (const QString &mac : request.macs) {
        chosen << index.find(mac);
        chosenSet.insert(chosen.last());
    }
    const DeviceSettings *firstDevice = !chosen.isEmpty() && chosen.first() >= 0 ? &found[chosen.first()] : nullptr;
    const QString mask = request.mask.value_or(firstDevice ? firstDevice->mask : QString());
    const QString gateway = request.gateway.value_or(firstDevice ? firstDevice->gateway : QString());

    fieldError(AssignField::First) = CheckEditField(EditField::Ip, request.first);
    fieldError(AssignField::Mask) = CheckEditField(EditField::Mask, mask);
    fieldError(AssignField::Gateway) = CheckEditField(EditField::Gateway, gateway);
    if (request.location)
        fieldError(AssignField::Location) = CheckEditField(EditField::Location, *request.location);
    QStringList names;
    if (!request.namePattern.isEmpty()) {
        for (int n = 1; n <= int(request.macs.size()); ++n) {
            names << nameFromPattern(request.namePattern, n);
            if (fieldError(AssignField::NamePattern).isEmpty())
                fieldError(AssignField::NamePattern) = CheckEditField(EditField::Name, names.last());
        }
    }

    const bool addressesValid = fieldError(AssignField::First).isEmpty() && fieldError(AssignField::Mask).isEmpty();
    const quint32 maskBits = addressesValid ? addressValue(mask) : 0;
    const quint32 network = addressesValid ? addressValue(request.first) & maskBits : 0;
    const quint32 broadcast = network | ~maskBits;
    if (addressesValid && ~maskBits != 0 && addressValue(request.first) == network)
        fieldError(AssignField::First) = PlanEngine::tr("%1 is the address of the subnet itself").arg(request.first);

    // Addresses shown by the devices that are not being moved, and the
    // gateway's: never given.
    QSet<quint32> taken;
    taken.reserve(found.size() + 1);
    for (int d = 0; d < int(found.size()); ++d) {
        if (!chosenSet.contains(d) && isCanonicalAddress(found[d].ip))
            taken.insert(addressValue(found[d].ip));
    }
    if (isCanonicalAddress(gateway))
        taken.insert(addressValue(gateway));

    quint64 next = addressesValid ? addressValue(request.first) : 0;
    for (int i = 0; i < int(request.macs.size()); ++i) {
        PlanRow row;
        row.line = i + 1;
        row.mac = request.macs[i];
        row.mask = mask;
        row.gateway = gateway;
        row.dhcp = false;
        if (!names.isEmpty())
            row.name = names[i];
        row.location = request.location;
        QString error;
        if (addressesValid) {
            while (next < broadcast && taken.contains(quint32(next)))
                ++next;
            if (next < broadcast && (quint32(next) & maskBits) == network)
                row.ip = addressText(quint32(next++));
            else
                error = PlanEngine::tr("no address left in the subnet of %1/%2").arg(request.first, mask);
        }
        result.plan << row;
        result.rowErrors << error;
    }

    // The plan's own checks speak for each row once the fields are right.
    const bool fieldsValid = std::all_of(result.fieldErrors.cbegin(), result.fieldErrors.cend(),
                                         [](const QString &text) { return text.isEmpty(); });
    if (fieldsValid) {
        const PlanCheck check = CheckPlan(result.plan, found);
        for (int i = 0; i < int(check.rows.size()); ++i) {
            if (result.rowErrors[i].isEmpty() && !check.rows[i].errors.isEmpty())
                result.rowErrors[i] = check.rows[i].errors.join(u'\n');
        }
    }
    return result;
}
