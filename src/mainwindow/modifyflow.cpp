// SPDX-License-Identifier: Apache-2.0
#include "mainwindow/modifyflow.h"

#include "mainwindow/mainwindow.h"
#include "mainwindow/responseholdback.h"

#include "forms/deviceupdating.h"
#include "forms/windowflags.h"
#include "net/devicecolumns.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QThread>
#include <QWindow>

namespace {

ModifyPauseHook &pauseHook()
{
    static ModifyPauseHook hook;
    return hook;
}

void pause(int milliseconds)
{
    if (pauseHook())
        pauseHook()(milliseconds);
    else
        QThread::msleep(static_cast<unsigned long>(milliseconds));
}

// Lets a freshly shown dialog be exposed and paints it completely, without
// returning to the event loop. The window system reports the exposure only
// through event processing; user input stays queued meanwhile.
void paintNow(QWidget *dialog)
{
    constexpr int ExposeWaitMs = 1000;
    const QDeadlineTimer deadline(ExposeWaitMs);
    do {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 5);
    } while (!(dialog->windowHandle() && dialog->windowHandle()->isExposed())
             && !deadline.hasExpired());
    dialog->repaint();
}

} // namespace

ModifyPauseHook SetModifyPauseHook(ModifyPauseHook hook)
{
    ModifyPauseHook previous = std::move(pauseHook());
    pauseHook() = std::move(hook);
    return previous;
}

void Zol_ClientMainWindow::centreOverWindow(QWidget *dialog) const
{
    // Centres of the two rectangles (0, 0, width - 1, height - 1), with
    // division truncating toward zero.
    const QPoint windowCentre((width() - 1) / 2, (height() - 1) / 2);
    const QPoint dialogCentre((dialog->width() - 1) / 2, (dialog->height() - 1) / 2);
    dialog->move(mapToGlobal(windowCentre) - dialogCentre);
}

void Zol_ClientMainWindow::MainList_doubleClicked(const QModelIndex &row)
{
    if (!row.isValid())
        return;

    const auto text = [&row](int column) { return row.siblingAtColumn(column).data().toString(); };
    const bool dhcpOn = text(DeviceColumn::Dhcp) == tr("Enabled");
    Edit_Network_Configuration &dialog = EditDialog;
    dialog.Device_Type->setText(text(DeviceColumn::Type));
    dialog.Serial_Number->setText(text(DeviceColumn::Serial));
    dialog.Mac_Address->setText(text(DeviceColumn::Mac));
    // The states the DHCP handler would produce, set without running it.
    dialog.DHCP->setChecked(dhcpOn);
    dialog.IP_Address->setEnabled(!dhcpOn);
    dialog.Subnet_Mask->setEnabled(!dhcpOn);
    dialog.Gateway->setEnabled(!dhcpOn);
    dialog.ResetIP->setEnabled(dhcpOn);
    dialog.IP_Address->setText(text(DeviceColumn::Ip));
    dialog.Subnet_Mask->setText(text(DeviceColumn::Mask));
    dialog.Gateway->setText(text(DeviceColumn::Gateway));
    dialog.Name->setText(text(DeviceColumn::Name));
    dialog.Location->setText(text(DeviceColumn::Location));
    // Read back from the fields, which may have cut the texts to length.
    dialog.Initial_IP_Address = dialog.IP_Address->text();
    dialog.Initial_Subnet_Mask = dialog.Subnet_Mask->text();
    dialog.Initial_Gateway = dialog.Gateway->text();
    dialog.Initial_Name = dialog.Name->text();
    dialog.Initial_Location = dialog.Location->text();
    dialog.Initial_DHCP = dhcpOn;

    ModifyInProgress = true;
    centreOverWindow(&dialog);
    if (dialog.exec() == QDialog::Accepted) {
        // From here to the refresh the device's answers wait, as if the GUI
        // thread were blocked throughout.
        if (!m_responseHoldBack)
            m_responseHoldBack = new ResponseHoldBack(this);
        m_responseHoldBack->hold();

        if (ModifyTimer.isActive())
            ModifyTimer.stop();

        {
            Device_Updating progress(this, nullptr, false, DialogWindowFlags());
            centreOverWindow(&progress);

            const bool gettingAddress = !dialog.Initial_DHCP && dialog.DHCP->isChecked();
            const int stepDelay = gettingAddress ? 100 : 20;
            progress.setMessage(gettingAddress
                                    ? QStringLiteral("Device Getting IP Address from DHCP Server...")
                                    : QStringLiteral("Device Updating..."));

            pause(20);

            // A refusal handled while the dialog was open skips the display.
            if (!ModifyFailed) {
                progress.show();
                paintNow(&progress);
                for (int i = 0; i <= 40; ++i) {
                    progress.setProgress(i * 5 / 2);
                    pause(stepDelay);
                }
                progress.hide();
            }

            ModifyFailed = false;
            Find_All_clicked();
        }

        ModifyInProgress = false;
        m_responseHoldBack->release();
        return;
    }
    ModifyInProgress = false;
}

void Zol_ClientMainWindow::ModifyTimeOut()
{
    ModifyTimer.stop();
    Find_All_clicked();
}
