// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QDialog>
#include <QPixmap>

QT_BEGIN_NAMESPACE
class QButtonGroup;
class QCheckBox;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpacerItem;
class QVBoxLayout;
QT_END_NAMESPACE

// The edit network configuration form. The two untitled frames of the design
// are group boxes (buttonGroup2: identity, buttonGroup1: settings).
class Edit_Network_ConfigurationBase : public QDialog
{
    Q_OBJECT

public:
    explicit Edit_Network_ConfigurationBase(QWidget *parent = nullptr, const char *name = nullptr,
                                            bool modal = false, Qt::WindowFlags fl = Qt::WindowFlags());
    ~Edit_Network_ConfigurationBase() override;

    QGroupBox *buttonGroup1;
    QCheckBox *DHCP;
    QPushButton *ResetIP;
    QLabel *textLabel2_2;
    QLabel *textLabel2_2_2;
    QLabel *textLabel2_2_3;
    QLabel *textLabel2_2_4;
    QLabel *textLabel2_2_5;
    QLineEdit *IP_Address;
    QLineEdit *Subnet_Mask;
    QLineEdit *Gateway;
    QLineEdit *Name;
    QLineEdit *Location;
    QPushButton *OK;
    QPushButton *Cancel;
    QGroupBox *buttonGroup2;
    QLabel *textLabel1_2;
    QLabel *textLabel1;
    QLabel *textLabel2;
    QLineEdit *Device_Type;
    QLineEdit *Serial_Number;
    QLineEdit *Mac_Address;

public slots:
    virtual void DHCP_clicked();
    virtual void OK_clicked();
    virtual void ResetIP_clicked();

public:
    // Replaces the dialog's standard key handling already in the form.
    void keyPressEvent(QKeyEvent *event) override;

protected:
    QGridLayout *Edit_Network_ConfigurationBaseLayout;
    QHBoxLayout *layout53;
    QSpacerItem *spacer1;
    QVBoxLayout *buttonGroup1Layout;
    QGridLayout *layout55Grid;
    QVBoxLayout *layout55;
    QHBoxLayout *layout54;
    QSpacerItem *spacer2;
    QHBoxLayout *layout48;
    QVBoxLayout *layout46;
    QVBoxLayout *layout45;
    QVBoxLayout *buttonGroup2Layout;
    QGridLayout *layout52Grid;
    QHBoxLayout *layout52;
    QVBoxLayout *layout50;
    QVBoxLayout *layout51;

    void changeEvent(QEvent *event) override;

protected slots:
    virtual void languageChange();

private:
    QPixmap iconImage;
};
