// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QDialog>
#include <QPixmap>

QT_BEGIN_NAMESPACE
class QCheckBox;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTreeView;
class QVBoxLayout;
QT_END_NAMESPACE

// The commissioning form: the devices with a check box each, a filter, the
// fields of an address range, the checks' verdict, the progress of a run and
// its buttons. Shared by Assign Addresses and Apply Plan; the derived class
// shows what each needs.
class CommissioningDialogBase : public QDialog
{
    Q_OBJECT

public:
    explicit CommissioningDialogBase(QWidget *parent = nullptr, const char *name = nullptr,
                                     bool modal = false, Qt::WindowFlags fl = Qt::WindowFlags());
    ~CommissioningDialogBase() override;

    QLabel *PlanLabel;
    QLabel *FilterLabel;
    QLineEdit *Filter;
    QPushButton *CheckAll;
    QPushButton *CheckNone;
    QLabel *CheckedCount;
    QTreeView *Devices;
    QGroupBox *AssignGroup;
    QLabel *First_AddressLabel;
    QLineEdit *First_Address;
    QLabel *First_AddressMessage;
    QLabel *Subnet_MaskLabel;
    QLineEdit *Subnet_Mask;
    QLabel *Subnet_MaskMessage;
    QLabel *GatewayLabel;
    QLineEdit *Gateway;
    QLabel *GatewayMessage;
    QLabel *Name_PatternLabel;
    QLineEdit *Name_Pattern;
    QLabel *Name_PatternMessage;
    QLabel *LocationLabel;
    QLineEdit *Location;
    QLabel *LocationMessage;
    QCheckBox *Skip_In_Use;
    QLabel *ChecksMessage;
    QProgressBar *Progress;
    QLabel *ProgressText;
    QLabel *Summary;
    QPushButton *Apply;
    QPushButton *Cancel;
    QPushButton *Close;

public slots:
    virtual void Apply_clicked();
    virtual void Cancel_clicked();
    virtual void CheckAll_clicked();
    virtual void CheckNone_clicked();
    virtual void Filter_textChanged(const QString &text);
    // Any of the range's fields was edited.
    virtual void Fields_textEdited();

protected:
    QVBoxLayout *CommissioningDialogBaseLayout;
    QHBoxLayout *filterLayout;
    QGridLayout *assignLayout;
    QHBoxLayout *progressLayout;
    QHBoxLayout *buttonLayout;

    void changeEvent(QEvent *event) override;

protected slots:
    virtual void languageChange();

private:
    QPixmap iconImage;
};
