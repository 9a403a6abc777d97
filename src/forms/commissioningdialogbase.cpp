// SPDX-License-Identifier: Apache-2.0
#include "forms/commissioningdialogbase.h"

#include "forms/formlayouts.h"
#include "forms/images.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

template<class Widget>
Widget *make(QWidget *parent, const char *name)
{
    auto *widget = new Widget(parent);
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// A field's message under it: red, wrapped, out of the way while empty.
QLabel *makeMessage(QWidget *parent, const char *name)
{
    auto *label = make<QLabel>(parent, name);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(176, 0, 0));
    label->setPalette(palette);
    label->setWordWrap(true);
    label->hide();
    return label;
}

} // namespace

CommissioningDialogBase::CommissioningDialogBase(QWidget *parent, const char *name, bool modal, Qt::WindowFlags fl)
    : QDialog(parent, fl)
    , iconImage(WindowIconXpm)
{
    setObjectName(name ? QString::fromLatin1(name) : QStringLiteral("CommissioningDialogBase"));
    setModal(modal);
    setSizeGripEnabled(true);
    setWindowIcon(iconImage);

    CommissioningDialogBaseLayout = new QVBoxLayout(this);
    CommissioningDialogBaseLayout->setObjectName(QStringLiteral("CommissioningDialogBaseLayout"));
    CommissioningDialogBaseLayout->setContentsMargins(11, 11, 11, 11);
    CommissioningDialogBaseLayout->setSpacing(6);

    PlanLabel = make<QLabel>(this, "PlanLabel");
    PlanLabel->setWordWrap(true);
    PlanLabel->hide();
    CommissioningDialogBaseLayout->addWidget(PlanLabel);

    filterLayout = makeBox<QHBoxLayout>("filterLayout");
    FilterLabel = make<QLabel>(this, "FilterLabel");
    Filter = make<QLineEdit>(this, "Filter");
    Filter->setClearButtonEnabled(true);
    Filter->setMinimumWidth(Filter->fontMetrics().averageCharWidth() * 24);
    FilterLabel->setBuddy(Filter);
    CheckAll = make<QPushButton>(this, "CheckAll");
    CheckNone = make<QPushButton>(this, "CheckNone");
    // Return in a field must not press a button: no button is a default one.
    CheckAll->setAutoDefault(false);
    CheckNone->setAutoDefault(false);
    CheckedCount = make<QLabel>(this, "CheckedCount");
    for (QWidget *widget : std::initializer_list<QWidget *>{FilterLabel, Filter, CheckAll, CheckNone, CheckedCount})
        filterLayout->addWidget(widget);
    filterLayout->addStretch();
    CommissioningDialogBaseLayout->addLayout(filterLayout);

    Devices = make<QTreeView>(this, "Devices");
    Devices->setRootIsDecorated(false);
    Devices->setUniformRowHeights(true);
    Devices->setAllColumnsShowFocus(true);
    Devices->setSelectionMode(QAbstractItemView::ExtendedSelection);
    Devices->setSelectionBehavior(QAbstractItemView::SelectRows);
    Devices->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Devices->header()->setStretchLastSection(true);
    Devices->header()->setSectionResizeMode(QHeaderView::Interactive);
    CommissioningDialogBaseLayout->addWidget(Devices, 1);

    AssignGroup = make<QGroupBox>(this, "AssignGroup");
    assignLayout = new QGridLayout(AssignGroup);
    assignLayout->setObjectName(QStringLiteral("assignLayout"));
    assignLayout->setContentsMargins(11, 11, 11, 11);
    assignLayout->setSpacing(6);
    // Three label and field pairs a row, each field's message under it; the
    // label and the message are named after the field.
    const auto field = [this](int row, int pair, const char *name, QLabel **label, QLabel **message) {
        auto *edit = make<QLineEdit>(AssignGroup, name);
        *label = make<QLabel>(AssignGroup, (QByteArray(name) + "Label").constData());
        *message = makeMessage(AssignGroup, (QByteArray(name) + "Message").constData());
        (*label)->setBuddy(edit);
        assignLayout->addWidget(*label, row, 2 * pair);
        assignLayout->addWidget(edit, row, 2 * pair + 1);
        assignLayout->addWidget(*message, row + 1, 2 * pair + 1);
        return edit;
    };
    First_Address = field(0, 0, "First_Address", &First_AddressLabel, &First_AddressMessage);
    Subnet_Mask = field(0, 1, "Subnet_Mask", &Subnet_MaskLabel, &Subnet_MaskMessage);
    Gateway = field(0, 2, "Gateway", &GatewayLabel, &GatewayMessage);
    Name_Pattern = field(2, 0, "Name_Pattern", &Name_PatternLabel, &Name_PatternMessage);
    Location = field(2, 1, "Location", &LocationLabel, &LocationMessage);
    for (QLineEdit *address : {First_Address, Subnet_Mask, Gateway})
        address->setMaxLength(15);
    Location->setMaxLength(31);
    // The only choice the range offers, shown so that nobody wonders.
    Skip_In_Use = make<QCheckBox>(AssignGroup, "Skip_In_Use");
    Skip_In_Use->setChecked(true);
    Skip_In_Use->setEnabled(false);
    assignLayout->addWidget(Skip_In_Use, 2, 4, 1, 2);
    for (int column : {1, 3, 5})
        assignLayout->setColumnStretch(column, 1);
    CommissioningDialogBaseLayout->addWidget(AssignGroup);

    ChecksMessage = make<QLabel>(this, "ChecksMessage");
    ChecksMessage->setWordWrap(true);
    CommissioningDialogBaseLayout->addWidget(ChecksMessage);

    progressLayout = makeBox<QHBoxLayout>("progressLayout");
    Progress = make<QProgressBar>(this, "Progress");
    Progress->setRange(0, 1);
    Progress->setValue(0);
    Progress->setTextVisible(false);
    ProgressText = make<QLabel>(this, "ProgressText");
    progressLayout->addWidget(Progress, 1);
    progressLayout->addWidget(ProgressText);
    CommissioningDialogBaseLayout->addLayout(progressLayout);

    Summary = make<QLabel>(this, "Summary");
    Summary->setWordWrap(true);
    Summary->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    CommissioningDialogBaseLayout->addWidget(Summary);

    buttonLayout = makeBox<QHBoxLayout>("buttonLayout");
    buttonLayout->addStretch();
    Apply = make<QPushButton>(this, "Apply");
    Apply->setEnabled(false);
    Apply->setAutoDefault(false);
    Cancel = make<QPushButton>(this, "Cancel");
    Cancel->setEnabled(false);
    Cancel->setAutoDefault(false);
    Close = make<QPushButton>(this, "Close");
    Close->setAutoDefault(false);
    for (QPushButton *button : {Apply, Cancel, Close})
        buttonLayout->addWidget(button);
    CommissioningDialogBaseLayout->addLayout(buttonLayout);

    CommissioningDialogBase::languageChange();
    const QSize hint = minimumSizeHint();
    resize(qMax(820, hint.width()), qMax(560, hint.height()));

    connect(Apply, &QPushButton::clicked, this, [this] { Apply_clicked(); });
    connect(Cancel, &QPushButton::clicked, this, [this] { Cancel_clicked(); });
    connect(Close, &QPushButton::clicked, this, &QDialog::reject);
    connect(CheckAll, &QPushButton::clicked, this, [this] { CheckAll_clicked(); });
    connect(CheckNone, &QPushButton::clicked, this, [this] { CheckNone_clicked(); });
    connect(Filter, &QLineEdit::textChanged, this, [this](const QString &text) { Filter_textChanged(text); });
    for (QLineEdit *field : {First_Address, Subnet_Mask, Gateway, Name_Pattern, Location})
        connect(field, &QLineEdit::textEdited, this, [this] { Fields_textEdited(); });

    setTabOrder(Filter, CheckAll);
    setTabOrder(CheckAll, CheckNone);
    setTabOrder(CheckNone, Devices);
    setTabOrder(Devices, First_Address);
    setTabOrder(First_Address, Subnet_Mask);
    setTabOrder(Subnet_Mask, Gateway);
    setTabOrder(Gateway, Name_Pattern);
    setTabOrder(Name_Pattern, Location);
    setTabOrder(Location, Apply);
    setTabOrder(Apply, Cancel);
    setTabOrder(Cancel, Close);
}

CommissioningDialogBase::~CommissioningDialogBase() = default;

void CommissioningDialogBase::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        languageChange();
    QDialog::changeEvent(event);
}

void CommissioningDialogBase::languageChange()
{
    setWindowTitle(tr("Assign Addresses"));
    FilterLabel->setText(tr("&Filter:"));
    Filter->setPlaceholderText(tr("Text in any column"));
    CheckAll->setText(tr("Check &all"));
    CheckNone->setText(tr("Check n&one"));
    AssignGroup->setTitle(tr("Addresses to give, counted up from the first"));
    First_AddressLabel->setText(tr("F&irst address:"));
    Subnet_MaskLabel->setText(tr("Subnet &mask:"));
    GatewayLabel->setText(tr("&Gateway:"));
    Name_PatternLabel->setText(tr("&Name pattern:"));
    Name_Pattern->setPlaceholderText(tr("e.g. Cam_{n}"));
    Name_Pattern->setToolTip(tr("{n} is the running number from 1, {n:03} the same with three digits; "
                                "empty keeps the names"));
    LocationLabel->setText(tr("&Location:"));
    Location->setPlaceholderText(tr("empty: kept"));
    Skip_In_Use->setText(tr("Skip addresses in use"));
    Skip_In_Use->setToolTip(tr("Addresses that devices outside the selection show, and the gateway's, are never given"));
    Apply->setText(tr("A&pply"));
    Cancel->setText(tr("&Cancel"));
    Close->setText(tr("Clos&e"));

    // For screen readers and UI automation; nothing on screen changes.
    Filter->setAccessibleName(tr("Filter"));
    Filter->setAccessibleDescription(tr("Shows only the devices with this text in a column"));
    CheckAll->setAccessibleName(tr("Check all"));
    CheckAll->setAccessibleDescription(tr("Check every device shown"));
    CheckNone->setAccessibleName(tr("Check none"));
    CheckNone->setAccessibleDescription(tr("Uncheck every device shown"));
    CheckedCount->setAccessibleName(tr("Devices checked"));
    Devices->setAccessibleName(tr("Devices to change"));
    Devices->setAccessibleDescription(
        tr("One row per device: its check box, its address now, the new settings and the status of the change"));
    First_Address->setAccessibleName(tr("First address"));
    First_Address->setAccessibleDescription(tr("The address the first checked device gets; the next ones count up"));
    Subnet_Mask->setAccessibleName(tr("Subnet mask"));
    Gateway->setAccessibleName(tr("Gateway"));
    Name_Pattern->setAccessibleName(tr("Name pattern"));
    Name_Pattern->setAccessibleDescription(Name_Pattern->toolTip());
    Location->setAccessibleName(tr("Location"));
    Location->setAccessibleDescription(tr("The location every checked device gets; empty keeps them"));
    for (QLabel *message : {First_AddressMessage, Subnet_MaskMessage, GatewayMessage, Name_PatternMessage, LocationMessage})
        message->setAccessibleName(tr("Problem with the field above"));
    Skip_In_Use->setAccessibleName(tr("Skip addresses in use"));
    ChecksMessage->setAccessibleName(tr("Checks"));
    Progress->setAccessibleName(tr("Progress"));
    ProgressText->setAccessibleName(tr("Devices done"));
    Summary->setAccessibleName(tr("Result"));
    Apply->setAccessibleName(tr("Apply"));
    Apply->setAccessibleDescription(tr("Send the new settings to the checked devices"));
    Cancel->setAccessibleName(tr("Cancel"));
    Cancel->setAccessibleDescription(tr("Send nothing more; what was sent stays sent"));
    Close->setAccessibleName(tr("Close"));
}

void CommissioningDialogBase::Apply_clicked()
{
    qWarning("CommissioningDialogBase::Apply_clicked(): Not implemented yet");
}

void CommissioningDialogBase::Cancel_clicked()
{
    qWarning("CommissioningDialogBase::Cancel_clicked(): Not implemented yet");
}

void CommissioningDialogBase::CheckAll_clicked()
{
    qWarning("CommissioningDialogBase::CheckAll_clicked(): Not implemented yet");
}

void CommissioningDialogBase::CheckNone_clicked()
{
    qWarning("CommissioningDialogBase::CheckNone_clicked(): Not implemented yet");
}

void CommissioningDialogBase::Filter_textChanged(const QString &)
{
    qWarning("CommissioningDialogBase::Filter_textChanged(const QString&): Not implemented yet");
}

void CommissioningDialogBase::Fields_textEdited()
{
    qWarning("CommissioningDialogBase::Fields_textEdited(): Not implemented yet");
}
