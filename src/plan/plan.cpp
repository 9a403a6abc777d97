// SPDX-License-Identifier: Apache-2.0
#include "plan/plan.h"

#include <QHostAddress>
#include <QSet>

DeviceSettings DeviceSettings::fromResponse(const ReadResponse &response)
{
    return DeviceSettings{response.mac,     response.ip,
                          response.mask,    response.gateway,
                          response.hasDhcp && response.dhcpField == QLatin1String("TRUE"),
                          response.name,    response.location};
}

DeviceSettings DeviceSettings::fromTexts(const DeviceTexts &texts)
{
    using namespace DeviceColumn;
    return DeviceSettings{texts[Mac],  texts[Ip], texts[Mask], texts[Gateway], texts[Dhcp] == DhcpEnabledText(),
                          texts[Name], texts[Location]};
}

EditFields DeviceSettings::fields() const
{
    return EditFields{name, location, ip, mask, gateway, dhcp};
}

namespace {

// find's keys, which are also the words a person reads for the fields.
constexpr const char *FieldKeys[] = {
    QT_TRANSLATE_NOOP("PlanEngine", "ip"),   QT_TRANSLATE_NOOP("PlanEngine", "mask"),
    QT_TRANSLATE_NOOP("PlanEngine", "gateway"), QT_TRANSLATE_NOOP("PlanEngine", "dhcp"),
    QT_TRANSLATE_NOOP("PlanEngine", "name"), QT_TRANSLATE_NOOP("PlanEngine", "location"),
};

} // namespace

QString PlanFieldKey(PlanField field)
{
    return QLatin1String(FieldKeys[int(field)]);
}

QString PlanFieldText(PlanField field, Wording wording)
{
    return wording == Wording::Report ? PlanFieldKey(field) : PlanEngine::tr(FieldKeys[int(field)]);
}

QString ChangesText(const QList<FieldChange> &changes, Wording wording)
{
    const auto value = [wording](const FieldChange &change, const QString &text) {
        return wording == Wording::Shown && change.field == PlanField::Dhcp ? ShownDhcpText(text == DhcpEnabledText())
                                                                            : text;
    };
    QStringList parts;
    for (const FieldChange &change : changes)
        parts << QStringLiteral("%1 %2 -> %3")
                     .arg(PlanFieldText(change.field, wording), value(change, change.from), value(change, change.to));
    return parts.join(QLatin1String("; "));
}

bool PlanCheck::failed() const
{
    for (const RowCheck &row : rows) {
        if (!row.errors.isEmpty())
            return true;
    }
    return false;
}

QStringList PlanCheck::errorLines(const Plan &plan) const
{
    QStringList lines;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        for (const QString &error : rows[i].errors)
            lines << PlanEngine::tr("line %1: %2").arg(plan[i].line).arg(error);
    }
    return lines;
}

DeviceIndex::DeviceIndex(const QList<DeviceSettings> &devices)
{
    m_exact.reserve(devices.size());
    m_byKey.reserve(devices.size());
    for (int i = 0; i < int(devices.size()); ++i) {
        const QString &mac = devices[i].mac;
        m_exact.insert(mac, i);
        const QString key = MacKey(mac);
        if (key.isEmpty())
            continue;
        auto it = m_byKey.find(key);
        if (it == m_byKey.end())
            m_byKey.insert(key, i);
        else if (mac < devices[*it].mac)
            *it = i;
    }
}

int DeviceIndex::find(const QString &mac) const
{
    if (const auto it = m_exact.constFind(mac); it != m_exact.cend())
        return *it;
    return m_byKey.value(MacKey(mac), -1);
}

namespace {

// Takes three addresses already checked.
bool gatewayInSubnet(const QString &ip, const QString &mask, const QString &gateway)
{
    const quint32 bits = QHostAddress(mask).toIPv4Address();
    return (QHostAddress(ip).toIPv4Address() & bits) == (QHostAddress(gateway).toIPv4Address() & bits);
}

const QString &dhcpText(bool on)
{
    return on ? DhcpEnabledText() : DhcpDisabledText();
}

// A row's value for one text field: given when the plan sets it to something
// other than the device's current value, else the device's value as it is.
struct Resolved
{
    QString value;
    bool given = false;
};

Resolved resolve(const std::optional<QString> &planned, const QString &current)
{
    if (planned && *planned != current)
        return {*planned, true};
    return {current, false};
}

// The settings of a found row, its field checks and what changes.
void checkFoundRow(const PlanRow &row, const DeviceSettings &device, RowCheck *check)
{
    Resolved ip = resolve(row.ip, device.ip);
    Resolved mask = resolve(row.mask, device.mask);
    Resolved gateway = resolve(row.gateway, device.gateway);
    const Resolved name = resolve(row.name, device.name);
    const Resolved location = resolve(row.location, device.location);
    const bool dhcp = row.dhcp.value_or(device.dhcp);

    if (name.given)
        check->errors << CheckEditField(EditField::Name, name.value);
    if (location.given)
        check->errors << CheckEditField(EditField::Location, location.value);
    if (dhcp && (ip.given || mask.given || gateway.given)) {
        // With DHCP on the addresses are the DHCP server's: the device's own go
        // out as they are. A list exported before a lease moved shows the old
        // address, which must not stop the rest of the row.
        check->warning = PlanEngine::tr("ip, mask and gateway are not sent while DHCP is on");
        ip = {device.ip, false};
        mask = {device.mask, false};
        gateway = {device.gateway, false};
    } else if (!dhcp) {
        // Switching DHCP off makes the addresses the device holds its fixed
        // ones: then they must pass as if typed.
        const bool fixing = device.dhcp;
        if (ip.given || fixing)
            check->errors << CheckEditField(EditField::Ip, ip.value);
        if (mask.given || fixing)
            check->errors << CheckEditField(EditField::Mask, mask.value);
        if (gateway.given || fixing)
            check->errors << CheckEditField(EditField::Gateway, gateway.value);
        // 0.0.0.0 is no gateway at all.
        if ((ip.given || mask.given || gateway.given || fixing) && gateway.value != QLatin1String("0.0.0.0")
            && isCanonicalAddress(ip.value) && isCanonicalAddress(mask.value) && isCanonicalAddress(gateway.value)
            && !gatewayInSubnet(ip.value, mask.value, gateway.value))
            check->warning = PlanEngine::tr("the gateway %1 is outside the subnet of %2/%3")
                                 .arg(gateway.value, ip.value, mask.value);
    }
    check->errors.removeAll(QString());

    check->values = EditFields{name.value, location.value, ip.value, mask.value, gateway.value, dhcp};
    const auto note = [check](PlanField field, const QString &from, const QString &to) {
        if (from != to)
            check->changes << FieldChange{field, from, to};
    };
    note(PlanField::Ip, device.ip, ip.value);
    note(PlanField::Mask, device.mask, mask.value);
    note(PlanField::Gateway, device.gateway, gateway.value);
    note(PlanField::Dhcp, dhcpText(device.dhcp), dhcpText(dhcp));
    note(PlanField::Name, device.name, name.value);
    note(PlanField::Location, device.location, location.value);
}

// The fixed address a row gives a device that did not hold it as such
// before, or an empty text.
QString givenFixedAddress(const RowCheck &check, const DeviceSettings &device)
{
    if (!check.found() || check.values.dhcp)
        return QString();
    if (check.values.ip != device.ip || device.dhcp)
        return check.values.ip;
    return QString();
}

} // namespace

PlanCheck CheckPlan(const Plan &plan, const QList<DeviceSettings> &devices)
{
    PlanCheck result;
    result.rows.resize(plan.size());
    const DeviceIndex index(devices);

    QHash<QString, int> rowByMac;
    QSet<int> flaggedTwice;
    QHash<int, int> rowByDevice;
    for (int i = 0; i < int(plan.size()); ++i) {
        const PlanRow &row = plan[i];
        RowCheck &check = result.rows[i];
        const QString key = MacKey(row.mac);
        if (key.isEmpty()) {
            check.errors << PlanEngine::tr("\"%1\" is not a MAC address (six hex pairs, such as 00:1A:2B:3C:4D:5E)")
                                .arg(row.mac);
            continue;
        }
        if (const auto it = rowByMac.constFind(key); it != rowByMac.cend()) {
            const QString also = PlanEngine::tr("the MAC address %1 is also on line %2");
            if (!flaggedTwice.contains(*it))
                result.rows[*it].errors << also.arg(plan[*it].mac).arg(row.line);
            flaggedTwice.insert(*it);
            check.errors << also.arg(row.mac).arg(plan[*it].line);
            continue;
        }
        rowByMac.insert(key, i);
        check.device = index.find(row.mac);
        if (check.found()) {
            rowByDevice.insert(check.device, i);
            checkFoundRow(row, devices[check.device], &check);
        }
    }

    // Fixed addresses: not given twice, not one a device keeps showing.
    QHash<QString, QList<int>> devicesByIp;
    for (int d = 0; d < int(devices.size()); ++d)
        devicesByIp[devices[d].ip] << d;
    QHash<QString, int> rowByAddress;
    for (int i = 0; i < int(plan.size()); ++i) {
        RowCheck &check = result.rows[i];
        if (!check.found())
            continue;
        const QString address = givenFixedAddress(check, devices[check.device]);
        if (address.isEmpty())
            continue;
        if (const auto it = rowByAddress.constFind(address); it != rowByAddress.cend()) {
            const QString also = PlanEngine::tr("the address %1 is also given on line %2");
            result.rows[*it].errors << also.arg(address).arg(plan[i].line);
            check.errors << also.arg(address).arg(plan[*it].line);
        } else {
            rowByAddress.insert(address, i);
        }
        for (int holder : devicesByIp.value(address)) {
            if (holder == check.device)
                continue;
            const auto moved = rowByDevice.constFind(holder);
            if (moved != rowByDevice.cend()) {
                // Moved off it: to another fixed address, or to DHCP, whose
                // server chooses anew; one that stays on DHCP keeps its lease.
                const EditFields &next = result.rows[*moved].values;
                if (next.dhcp ? !devices[holder].dhcp : next.ip != address)
                    continue;
            }
            check.errors << PlanEngine::tr("the address %1 is in use by %2").arg(address, devices[holder].mac);
            break;
        }
    }
    return result;
}
