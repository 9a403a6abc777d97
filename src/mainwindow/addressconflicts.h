// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QCoreApplication>
#include <QHash>
#include <QString>
#include <QStringList>

QT_BEGIN_NAMESPACE
class QColor;
class QPalette;
QT_END_NAMESPACE

// Which listed devices show the same IP address. Kept up to date row by row,
// each change a hash lookup or two, so that a burst of answers pays next to
// nothing for it. "0.0.0.0" and an empty text never count: devices waiting
// for a DHCP server all answer with them.
class AddressConflicts final
{
    Q_DECLARE_TR_FUNCTIONS(AddressConflicts)

public:
    // The device `mac` now shows `address` instead of `previous` (empty for a
    // device just listed). True when another device's marking changed with it:
    // its address gained its first other user, or lost its last.
    bool move(const QString &mac, const QString &previous, const QString &address);
    void clear();

    bool isShared(const QString &address) const;
    // For the device `mac` showing a shared address: the address, then the
    // other devices that show it. Empty when the address is not shared.
    QString tip(const QString &address, const QString &mac) const;

    // The background of a shared address: a warm tint of the list's own
    // base colour, so the text on it stays readable in light and dark styles.
    static QColor background(const QPalette &palette);

private:
    // Most addresses have one user, held without a list of its own.
    struct Users
    {
        QString first;
        QStringList more;
    };
    // True when the address gained its first other user, or lost its last.
    bool join(const QString &address, const QString &mac);
    bool leave(const QString &address, const QString &mac);
    const Users *usersOf(const QString &address) const;

    // By the address text as the list shows it.
    QHash<QString, Users> m_users;
};
