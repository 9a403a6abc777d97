#pragma once

#include "editdialog/editnetworkconfiguration.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QString>

// The new settings the write tests type into the edit dialog for a device:
// 10.77.1.99, 255.255.0.0, gateway 10.77.1.254, "Renamed", "Elsewhere".
inline void TypeNewSettings(Edit_Network_Configuration &dialog, const QString &mac, bool dhcp)
{
    dialog.Mac_Address->setText(mac);
    dialog.IP_Address->setText(QStringLiteral("10.77.1.99"));
    dialog.Subnet_Mask->setText(QStringLiteral("255.255.0.0"));
    dialog.Gateway->setText(QStringLiteral("10.77.1.254"));
    dialog.DHCP->setChecked(dhcp);
    dialog.Name->setText(QStringLiteral("Renamed"));
    dialog.Location->setText(QStringLiteral("Elsewhere"));
}
