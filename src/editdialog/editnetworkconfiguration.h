// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "forms/editnetworkconfigurationbase.h"

#include <QString>

// Behaviour of the edit dialog: the DHCP check box, Renew Lease, OK with its
// validation and write query, and key presses.
class Edit_Network_Configuration final : public Edit_Network_ConfigurationBase
{
    Q_OBJECT

public:
    explicit Edit_Network_Configuration(QWidget *parent = nullptr, const char *name = nullptr,
                                        bool modal = false, Qt::WindowFlags fl = Qt::WindowFlags());
    ~Edit_Network_Configuration() override;

    // The values the dialog was opened with; written by the opener, read by OK.
    QString Initial_IP_Address;
    QString Initial_Subnet_Mask;
    QString Initial_Gateway;
    bool Initial_DHCP = false;
    QString Initial_Name;
    QString Initial_Location;

public slots:
    void DHCP_clicked() override;
    void OK_clicked() override;
    void ResetIP_clicked() override;

public:
    void keyPressEvent(QKeyEvent *event) override;
};
