// SPDX-License-Identifier: Apache-2.0
#include "mainwindow/addressconflicts.h"


#include <QColor>
#include <QPalette>

namespace {

// A tip stays a few lines long however many devices share one address (a
// batch of new devices still on their factory address).
constexpr int MostNamed = 8;

// Devices waiting for a DHCP server answer with these; they share nothing.
bool counts(const QString &address)
{
    return !address.isEmpty() && address != QLatin1String("0.0.0.0");
}

} // namespace

bool AddressConflicts::join(const QString &address, const QString &mac)
{
    const qsizetype before = m_users.size();
    Users &users = m_users[address];
    if (m_users.size() != before) {
        users.first = mac;
        return false;
    }
    users.more.append(mac);
    return users.more.size() == 1;
}

bool AddressConflicts::leave(const QString &address, const QString &mac)
{
    const auto users = m_users.find(address);
    if (users == m_users.end())
        return false;
    if (users->first == mac && users->more.isEmpty()) {
        m_users.erase(users);
        return false;
    }
    if (users->first == mac)
        users->first = users->more.takeFirst();
    else
        users->more.removeOne(mac);
    // The one left now shows it alone.
    return users->more.isEmpty();
}

bool AddressConflicts::move(const QString &mac, const QString &previous, const QString &address)
{
    if (previous == address)
        return false;
    bool othersChanged = false;
    if (counts(previous))
        othersChanged = leave(previous, mac);
    if (counts(address) && join(address, mac))
        othersChanged = true;
    return othersChanged;
}

void AddressConflicts::clear()
{
    m_users.clear();
}

const AddressConflicts::Users *AddressConflicts::usersOf(const QString &address) const
{
    const auto users = m_users.constFind(address);
    return users == m_users.cend() ? nullptr : &*users;
}

bool AddressConflicts::isShared(const QString &address) const
{
    const Users *users = usersOf(address);
    return users && !users->more.isEmpty();
}

QString AddressConflicts::tip(const QString &address, const QString &mac) const
{
    const Users *users = usersOf(address);
    if (!users || users->more.isEmpty())
        return QString();
    QStringList named;
    qsizetype others = 0;
    const auto name = [&](const QString &user) {
        if (user == mac)
            return;
        if (named.size() < MostNamed)
            named.append(user);
        ++others;
    };
    name(users->first);
    for (const QString &user : users->more)
        name(user);
    QString list = named.join(QLatin1String(", "));
    if (others > named.size())
        // In one step: a second arg() would take a "%1" in a device's MAC text.
        list = tr("%1 and %2 more").arg(list, QString::number(others - named.size()));
    return address + u'\n' + tr("Also used by %1").arg(list);
}

QColor AddressConflicts::background(const QPalette &palette)
{
    // A third of the way from the base colour to amber: light enough under
    // dark text, dark enough under light text.
    const QColor base = palette.color(QPalette::Active, QPalette::Base);
    const QColor amber(255, 160, 0);
    const auto mix = [](int from, int to) { return from + (to - from) / 3; };
    return QColor(mix(base.red(), amber.red()), mix(base.green(), amber.green()), mix(base.blue(), amber.blue()));
}
