// SPDX-License-Identifier: Apache-2.0
#include "editdialog/editnetworkconfiguration.h"

#include "ui/appshell.h"
#include "net/messages.h"
#include "net/sender.h"
#include "net/validation.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include <optional>

namespace {

// The address texts shown when DHCP was last switched on, and the device they
// belong to. One set for the whole program: it outlives each run of the
// dialog, so switching DHCP off later brings the addresses back.
struct SavedAddresses
{
    QString Saved_IP_Address;
    QString Saved_Subnet_Mask;
    QString Saved_Gateway;
    // No value until DHCP is first switched on: equal to no MAC text at all.
    std::optional<QString> Saved_Mac_Address;
};

SavedAddresses &saved()
{
    static SavedAddresses state;
    return state;
}

const QString &zeroAddress()
{
    static const QString text = QStringLiteral("0.0.0.0");
    return text;
}

} // namespace

Edit_Network_Configuration::Edit_Network_Configuration(QWidget *parent, const char *name,
                                                       bool modal, Qt::WindowFlags fl)
    : Edit_Network_ConfigurationBase(parent, name, modal, fl)
{
}

Edit_Network_Configuration::~Edit_Network_Configuration() = default;

void Edit_Network_Configuration::DHCP_clicked()
{
    SavedAddresses &s = saved();
    const QString mac = Mac_Address->text();
    const bool sameDevice = s.Saved_Mac_Address && *s.Saved_Mac_Address == mac;
    if (!sameDevice) {
        s.Saved_IP_Address.clear();
        s.Saved_Subnet_Mask.clear();
        s.Saved_Gateway.clear();
    }

    if (DHCP->isChecked()) {
        s.Saved_IP_Address = IP_Address->text();
        s.Saved_Subnet_Mask = Subnet_Mask->text();
        s.Saved_Gateway = Gateway->text();
        s.Saved_Mac_Address = mac;
        IP_Address->setEnabled(false);
        Subnet_Mask->setEnabled(false);
        Gateway->setEnabled(false);
        ResetIP->setEnabled(true);
    } else {
        if (sameDevice) {
            IP_Address->setText(s.Saved_IP_Address);
            Subnet_Mask->setText(s.Saved_Subnet_Mask);
            Gateway->setText(s.Saved_Gateway);
        }
        IP_Address->setEnabled(true);
        Subnet_Mask->setEnabled(true);
        Gateway->setEnabled(true);
        ResetIP->setEnabled(false);
    }
}

void Edit_Network_Configuration::OK_clicked()
{
    const bool dhcp = DHCP->isChecked();

    const bool changed = IP_Address->text() != Initial_IP_Address
        || Subnet_Mask->text() != Initial_Subnet_Mask
        || Gateway->text() != Initial_Gateway
        || dhcp != Initial_DHCP
        || Name->text() != Initial_Name
        || Location->text() != Initial_Location;
    if (!changed) {
        reject();
        return;
    }

    EditFields fields;
    fields.name = Name->text();
    fields.location = Location->text();
    fields.ip = IP_Address->text();
    fields.mask = Subnet_Mask->text();
    fields.gateway = Gateway->text();
    fields.dhcp = dhcp;
    const QString failure = CheckEditFields(fields);
    if (!failure.isEmpty()) {
        ShowMessage(failure);
        return;
    }

    const QString query = NextWriteQuery(Mac_Address->text(), fields.ip, fields.mask, fields.gateway,
                                         dhcp, fields.name, fields.location);
    // Clearing the latch lets the first verdict on this write be shown.
    if (const QString failure = SendToAllAdapters(query, true); !failure.isEmpty())
        ShowMessage(failure);
    accept();
}

void Edit_Network_Configuration::ResetIP_clicked()
{
    // Name and Location go out in this query too, unchecked but for a comma,
    // which would shift every later field the device reads.
    const QString failure = CheckRenewLeaseFields(Name->text(), Location->text());
    if (!failure.isEmpty()) {
        ShowMessage(failure);
        return;
    }

    Initial_IP_Address = zeroAddress();
    Initial_Subnet_Mask = zeroAddress();
    Initial_Gateway = zeroAddress();
    IP_Address->setText(zeroAddress());
    Subnet_Mask->setText(zeroAddress());
    Gateway->setText(zeroAddress());

    const QString query = RenewLeaseQuery(Mac_Address->text(), DHCP->isChecked(), Name->text(),
                                          Location->text());
    if (const QString failure = SendToAllAdapters(query, false); !failure.isEmpty())
        ShowMessage(failure);

    ShowMessage(RenewLeaseSentMessage());
}

void Edit_Network_Configuration::keyPressEvent(QKeyEvent *event)
{
    // Keys the focused check box ignores (Enter, Escape, letters...) toggle it.
    if (DHCP->hasFocus()) {
        DHCP->toggle();
        DHCP_clicked();
    }
    // Generic handling only: the dialog's own (Escape closes, Enter presses
    // the default button) is deliberately left out.
    QWidget::keyPressEvent(event);
}
