// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QDialog>

QT_BEGIN_NAMESPACE
class QGridLayout;
class QLabel;
class QProgressBar;
class QVBoxLayout;
QT_END_NAMESPACE

// The progress dialog form.
class Device_UpdatingBase : public QDialog
{
    Q_OBJECT

public:
    explicit Device_UpdatingBase(QWidget *parent = nullptr, const char *name = nullptr,
                                 bool modal = false, Qt::WindowFlags fl = Qt::WindowFlags());
    ~Device_UpdatingBase() override;

    QProgressBar *progressBar1;
    QLabel *textLabel1;

protected:
    QGridLayout *Device_UpdatingBaseLayout;
    QVBoxLayout *layout14;

    void changeEvent(QEvent *event) override;

protected slots:
    virtual void languageChange();
};

// The progress dialog as the modify flow drives it.
class Device_Updating final : public Device_UpdatingBase
{
    Q_OBJECT

public:
    explicit Device_Updating(QWidget *parent = nullptr, const char *name = nullptr,
                             bool modal = false, Qt::WindowFlags fl = Qt::WindowFlags());

    // Sets the bar's value and repaints it at once, even while the GUI thread
    // does not return to the event loop.
    void setProgress(int value);
    void setMessage(QString text);
};
