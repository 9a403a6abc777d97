// SPDX-License-Identifier: Apache-2.0
#include "forms/editnetworkconfigurationbase.h"

#include "forms/formlayouts.h"
#include "forms/images.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpacerItem>
#include <QVBoxLayout>

namespace {

QLineEdit *makeLineEdit(QWidget *parent, const char *name)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

QLabel *makeLabel(QWidget *parent, const char *name)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

// Wide enough to show sample in full, frame and text margins included.
int widthToShow(const QLineEdit *edit, const QString &sample)
{
    const QMargins margins = edit->textMargins() + edit->contentsMargins();
    return edit->fontMetrics().horizontalAdvance(sample) + margins.left() + margins.right() + 12;
}

// Identity fields: grey and read-only, but still in the tab order so their
// text can be selected and copied.
void makeReadOnly(QLineEdit *edit)
{
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, QColor(241, 241, 241));
    edit->setPalette(palette);
    edit->setReadOnly(true);
}

// A frame's own layout (spacing 6, margin 11) with an unnamed grid aligned to
// the top that holds the frame's one sub-layout.
QGridLayout *frameGrid(QGroupBox *box, QVBoxLayout **boxLayout)
{
    *boxLayout = new QVBoxLayout(box);
    (*boxLayout)->setSpacing(6);
    (*boxLayout)->setContentsMargins(11, 11, 11, 11);
    auto *grid = new QGridLayout;
    grid->setAlignment(Qt::AlignTop);
    (*boxLayout)->addLayout(grid);
    return grid;
}

} // namespace

Edit_Network_ConfigurationBase::Edit_Network_ConfigurationBase(QWidget *parent, const char *name,
                                                               bool modal, Qt::WindowFlags fl)
    : QDialog(parent, fl)
    , iconImage(WindowIconXpm)
{
    setObjectName(name ? QString::fromLatin1(name) : QStringLiteral("Edit_Network_ConfigurationBase"));
    setModal(modal);
    setMinimumSize(0, 0);
    setMaximumSize(32767, 32767);
    setSizeGripEnabled(true);
    setWindowIcon(iconImage);

    Edit_Network_ConfigurationBaseLayout = new QGridLayout(this);
    Edit_Network_ConfigurationBaseLayout->setObjectName(QStringLiteral("Edit_Network_ConfigurationBaseLayout"));
    Edit_Network_ConfigurationBaseLayout->setContentsMargins(11, 11, 11, 11);
    Edit_Network_ConfigurationBaseLayout->setSpacing(6);

    // Device identity.
    buttonGroup2 = new QGroupBox(this);
    buttonGroup2->setObjectName(QStringLiteral("buttonGroup2"));
    layout52Grid = frameGrid(buttonGroup2, &buttonGroup2Layout);
    layout52 = makeBox<QHBoxLayout>("layout52");
    layout50 = makeBox<QVBoxLayout>("layout50");
    textLabel1_2 = makeLabel(buttonGroup2, "textLabel1_2");
    textLabel1 = makeLabel(buttonGroup2, "textLabel1");
    textLabel2 = makeLabel(buttonGroup2, "textLabel2");
    layout50->addWidget(textLabel1_2);
    layout50->addWidget(textLabel1);
    layout50->addWidget(textLabel2);
    layout52->addLayout(layout50);
    layout51 = makeBox<QVBoxLayout>("layout51");
    Device_Type = makeLineEdit(buttonGroup2, "Device_Type");
    Serial_Number = makeLineEdit(buttonGroup2, "Serial_Number");
    Mac_Address = makeLineEdit(buttonGroup2, "Mac_Address");
    for (QLineEdit *edit : {Device_Type, Serial_Number, Mac_Address}) {
        makeReadOnly(edit);
        layout51->addWidget(edit);
    }
    layout52->addLayout(layout51);
    layout52Grid->addLayout(layout52, 0, 0);
    Edit_Network_ConfigurationBaseLayout->addWidget(buttonGroup2, 0, 0);

    // Settings.
    buttonGroup1 = new QGroupBox(this);
    buttonGroup1->setObjectName(QStringLiteral("buttonGroup1"));
    layout55Grid = frameGrid(buttonGroup1, &buttonGroup1Layout);
    layout55 = makeBox<QVBoxLayout>("layout55");
    layout54 = makeBox<QHBoxLayout>("layout54");
    DHCP = new QCheckBox(buttonGroup1);
    DHCP->setObjectName(QStringLiteral("DHCP"));
    DHCP->setChecked(false);
    DHCP->setTristate(false);
    layout54->addWidget(DHCP);
    ResetIP = new QPushButton(buttonGroup1);
    ResetIP->setObjectName(QStringLiteral("ResetIP"));
    layout54->addWidget(ResetIP);
    spacer2 = new QSpacerItem(21, 20, QSizePolicy::Expanding, QSizePolicy::Minimum);
    layout54->addItem(spacer2);
    layout55->addLayout(layout54);

    layout48 = makeBox<QHBoxLayout>("layout48");
    layout46 = makeBox<QVBoxLayout>("layout46");
    textLabel2_2 = makeLabel(buttonGroup1, "textLabel2_2");
    textLabel2_2_2 = makeLabel(buttonGroup1, "textLabel2_2_2");
    textLabel2_2_3 = makeLabel(buttonGroup1, "textLabel2_2_3");
    textLabel2_2_4 = makeLabel(buttonGroup1, "textLabel2_2_4");
    textLabel2_2_5 = makeLabel(buttonGroup1, "textLabel2_2_5");
    for (QLabel *label : {textLabel2_2, textLabel2_2_2, textLabel2_2_3, textLabel2_2_4, textLabel2_2_5})
        layout46->addWidget(label);
    layout48->addLayout(layout46);
    layout45 = makeBox<QVBoxLayout>("layout45");
    IP_Address = makeLineEdit(buttonGroup1, "IP_Address");
    IP_Address->setMinimumWidth(100);
    IP_Address->setMaxLength(15);
    Subnet_Mask = makeLineEdit(buttonGroup1, "Subnet_Mask");
    Subnet_Mask->setMaxLength(15);
    Gateway = makeLineEdit(buttonGroup1, "Gateway");
    Gateway->setMaxLength(15);
    // A whole MAC address and a whole dotted quad stay readable.
    Mac_Address->setMinimumWidth(widthToShow(Mac_Address, QStringLiteral("00:00:00:00:00:00")));
    for (QLineEdit *edit : {IP_Address, Subnet_Mask, Gateway})
        edit->setMinimumWidth(qMax(edit->minimumWidth(), widthToShow(edit, QStringLiteral("255.255.255.255"))));
    Name = makeLineEdit(buttonGroup1, "Name");
    Name->setMaxLength(12);
    Location = makeLineEdit(buttonGroup1, "Location");
    Location->setMaxLength(31);
    for (QLineEdit *edit : {IP_Address, Subnet_Mask, Gateway, Name, Location})
        layout45->addWidget(edit);
    layout48->addLayout(layout45);
    layout55->addLayout(layout48);
    layout55Grid->addLayout(layout55, 0, 0);
    Edit_Network_ConfigurationBaseLayout->addWidget(buttonGroup1, 1, 0);

    layout53 = makeBox<QHBoxLayout>("layout53");
    OK = new QPushButton(this);
    OK->setObjectName(QStringLiteral("OK"));
    layout53->addWidget(OK);
    Cancel = new QPushButton(this);
    Cancel->setObjectName(QStringLiteral("Cancel"));
    layout53->addWidget(Cancel);
    spacer1 = new QSpacerItem(23, 20, QSizePolicy::Expanding, QSizePolicy::Minimum);
    layout53->addItem(spacer1);
    Edit_Network_ConfigurationBaseLayout->addLayout(layout53, 2, 0);

    Edit_Network_ConfigurationBase::languageChange();
    const QSize hint = minimumSizeHint();
    resize(qMax(265, hint.width()), qMax(362, hint.height()));

    connect(OK, &QPushButton::clicked, this, [this] { OK_clicked(); });
    connect(Cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(DHCP, &QCheckBox::clicked, this, [this] { DHCP_clicked(); });
    connect(ResetIP, &QPushButton::clicked, this, [this] { ResetIP_clicked(); });

    setTabOrder(DHCP, ResetIP);
    setTabOrder(ResetIP, IP_Address);
    setTabOrder(IP_Address, Subnet_Mask);
    setTabOrder(Subnet_Mask, Gateway);
    setTabOrder(Gateway, Name);
    setTabOrder(Name, Location);
    setTabOrder(Location, OK);
    setTabOrder(OK, Cancel);
    setTabOrder(Cancel, Device_Type);
    setTabOrder(Device_Type, Serial_Number);
    setTabOrder(Serial_Number, Mac_Address);
    // The dialog opens with the first field of the tab order focused.
    DHCP->setFocus();
}

Edit_Network_ConfigurationBase::~Edit_Network_ConfigurationBase() = default;

void Edit_Network_ConfigurationBase::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        languageChange();
    QDialog::changeEvent(event);
}

void Edit_Network_ConfigurationBase::languageChange()
{
    setWindowTitle(tr("Edit Network Configuration"));
    buttonGroup1->setTitle(QString());
    DHCP->setText(tr("DHCP Enabled"));
    ResetIP->setText(tr("Renew Lease"));
    textLabel2_2->setText(tr("IP Address :"));
    textLabel2_2_2->setText(tr("Subnet Mask :"));
    textLabel2_2_3->setText(tr("Gateway :"));
    textLabel2_2_4->setText(tr("Name :"));
    textLabel2_2_5->setText(tr("Location :"));
    OK->setText(tr("OK"));
    Cancel->setText(tr("Cancel"));
    buttonGroup2->setTitle(QString());
    textLabel1_2->setText(tr("Device Type:"));
    textLabel1->setText(tr("Serial Number :"));
    textLabel2->setText(tr("MAC Address :"));

    // For screen readers and UI automation; nothing on screen changes.
    Device_Type->setAccessibleName(tr("Device Type"));
    Device_Type->setAccessibleDescription(tr("Type of the device (read only)"));
    Serial_Number->setAccessibleName(tr("Serial Number"));
    Serial_Number->setAccessibleDescription(tr("Serial number of the device (read only)"));
    Mac_Address->setAccessibleName(tr("MAC Address"));
    Mac_Address->setAccessibleDescription(tr("Hardware address of the device (read only)"));
    DHCP->setAccessibleName(tr("DHCP Enabled"));
    DHCP->setAccessibleDescription(
        tr("When checked, the device takes its IP address, subnet mask and gateway from a DHCP server"));
    ResetIP->setAccessibleName(tr("Renew Lease"));
    ResetIP->setAccessibleDescription(tr("Ask the device to fetch a new address from its DHCP server"));
    IP_Address->setAccessibleName(tr("IP Address"));
    IP_Address->setAccessibleDescription(
        tr("IPv4 address of the device: four numbers from 0 to 255 separated by dots"));
    Subnet_Mask->setAccessibleName(tr("Subnet Mask"));
    Subnet_Mask->setAccessibleDescription(tr("Subnet mask of the device, for example 255.255.255.0"));
    Gateway->setAccessibleName(tr("Gateway"));
    Gateway->setAccessibleDescription(tr("IPv4 address of the default gateway"));
    Name->setAccessibleName(tr("Name"));
    Name->setAccessibleDescription(tr("Up to 12 letters, digits and underscores, starting with a letter"));
    Location->setAccessibleName(tr("Location"));
    Location->setAccessibleDescription(tr("Up to 31 letters, digits, underscores and blanks"));
    OK->setAccessibleName(tr("OK"));
    OK->setAccessibleDescription(tr("Check the settings and send them to the device"));
    Cancel->setAccessibleName(tr("Cancel"));
    Cancel->setAccessibleDescription(tr("Close without changing the device"));
}

void Edit_Network_ConfigurationBase::DHCP_clicked()
{
    qWarning("Edit_Network_ConfigurationBase::DHCP_clicked(): Not implemented yet");
}

void Edit_Network_ConfigurationBase::OK_clicked()
{
    qWarning("Edit_Network_ConfigurationBase::OK_clicked(): Not implemented yet");
}

void Edit_Network_ConfigurationBase::ResetIP_clicked()
{
    qWarning("Edit_Network_ConfigurationBase::ResetIP_clicked(): Not implemented yet");
}

void Edit_Network_ConfigurationBase::keyPressEvent(QKeyEvent *)
{
    qWarning("Edit_Network_ConfigurationBase::keyPressEvent(QKeyEvent*): Not implemented yet");
}
