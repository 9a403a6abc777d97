// SPDX-License-Identifier: Apache-2.0
// Discovery, and what the window does with every device answer.

#include "mainwindow/mainwindow.h"

#include "commissioning/commissioningdialog.h"
#include "mainwindow/devicetablemodel.h"

#include "net/deviceresponseevent.h"
#include "net/devicetexts.h"
#include "net/messages.h"
#include "net/sender.h"
#include "ui/appshell.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

void Zol_ClientMainWindow::Find_All_clicked()
{
    m_devices->clear();
    Edit->setEnabled(false);
    if (const QString failure = SendToAllAdapters(NextReadQuery(), false); !failure.isEmpty())
        ShowMessage(failure);
}

void Zol_ClientMainWindow::customEvent(QEvent *event)
{
    if (event->type() != DeviceResponseEvent::eventType()) {
        qWarning("Unknown custom event type: %d", int(event->type()));
        return;
    }
    const QString &text = static_cast<DeviceResponseEvent *>(event)->text();
    if (text.size() >= 5) {
        FieldReader reader(text);
        QStringView keyword;
        reader.nextFieldView(&keyword);
        if (keyword == ReadResponseKeyword()) {
            m_devices->takeReadResponse(text);
            if (m_commissioning)
                m_commissioning->takeReadAnswer(text);
        } else if (keyword == WriteResponseKeyword()) {
            // While a batch runs, its devices' verdicts are its own.
            if (!m_commissioning || !m_commissioning->takeWriteAnswer(text))
                handleWriteResponse(text);
        }
    }
}

void Zol_ClientMainWindow::handleWriteResponse(const QString &text)
{
    // Any write answer ends the wait for one.
    ModifyTimer.stop();

    WriteResponse response;
    if (!ParseWriteResponse(text, &response))
        return;
    if (response.mac != EditDialog.Mac_Address->text())
        return;
    if (!response.hasStatus)
        return;

    if (IsWriteAccepted(response)) {
        WriteAnswered = true;
        // The DHCP words as the list keeps them, translated when shown.
        m_devices->setRowTexts(response.mac, {
            {DeviceColumn::Ip, EditDialog.IP_Address->text()},
            {DeviceColumn::Mask, EditDialog.Subnet_Mask->text()},
            {DeviceColumn::Gateway, EditDialog.Gateway->text()},
            {DeviceColumn::Dhcp, EditDialog.DHCP->isChecked() ? DhcpEnabledText() : DhcpDisabledText()},
            {DeviceColumn::Name, EditDialog.Name->text()},
            {DeviceColumn::Location, EditDialog.Location->text()},
        });
        if (!ModifyInProgress)
            EditDialog.close();
        return;
    }

    const QString message = WriteRefusalMessage(response.status);
    if (message.isEmpty())
        return;

    ModifyFailed = true;
    // Only the first verdict on a write speaks; the flag is set before the
    // modal box runs its own loop, so a second refusal meanwhile stays quiet.
    if (!WriteAnswered) {
        WriteAnswered = true;
        ShowMessage(message);
    }
}
