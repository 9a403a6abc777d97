// SPDX-License-Identifier: Apache-2.0
// The Devices menu: many devices changed at once, and the list to a file.

#include "mainwindow/mainwindow.h"

#include "commissioning/commissioningdialog.h"
#include "forms/windowflags.h"
#include "layout/columnlayoutrecord.h"
#include "mainwindow/devicetablemodel.h"
#include "plan/planfile.h"
#include "ui/appshell.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QTreeView>

#include <algorithm>

void Zol_ClientMainWindow::openCommissioning(CommissioningDialog *dialog)
{
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    // The edit dialog can't open meanwhile: one change at a time per device.
    dialog->setWindowModality(Qt::ApplicationModal);
    // Fresh settings in the list once a run is over.
    connect(dialog, &CommissioningDialog::runFinished, this, [this] { Find_All_clicked(); });
    m_commissioning = dialog;
    centreOverWindow(dialog);
    dialog->show();
}

void Zol_ClientMainWindow::AssignAddresses()
{
    const QModelIndexList selected = MainList->selectionModel()->selectedRows(DeviceColumn::Mac);
    openCommissioning(new CommissioningDialog(this, m_devices->listedDevices(),
                                              selected.isEmpty() ? QString() : selected.first().data().toString()));
}

QString Zol_ClientMainWindow::chooseFile(bool saving, const QString &title, const QString &filter)
{
    if (m_lastFolder.isEmpty())
        m_lastFolder = QDir::homePath();
    const QString fileName = saving
        ? QFileDialog::getSaveFileName(this, title, QDir(m_lastFolder).filePath(QStringLiteral("devices.csv")), filter)
        : QFileDialog::getOpenFileName(this, title, m_lastFolder, filter);
    if (!fileName.isEmpty())
        m_lastFolder = QFileInfo(fileName).absolutePath();
    return fileName;
}

void Zol_ClientMainWindow::ApplyPlan()
{
    if (const QString fileName = chooseFile(false, tr("Apply Plan"), tr("Plans (*.csv *.json);;All files (*)"));
        !fileName.isEmpty())
        applyPlanFrom(fileName);
}

bool Zol_ClientMainWindow::applyPlanFrom(const QString &fileName)
{
    QFile file(fileName);
    QString why;
    PlanFileResult read;
    if (!file.open(QIODevice::ReadOnly)) {
        why = file.errorString();
    } else if (read = ReadPlanFile(file); !read.ok()) {
        why = read.errorText();
    } else if (read.plan.isEmpty()) {
        why = tr("it names no device");
    }
    if (!why.isEmpty()) {
        ShowMessage(tr("The plan %1 cannot be applied:\n%2").arg(QDir::toNativeSeparators(fileName), why));
        return false;
    }
    openCommissioning(new CommissioningDialog(this, m_devices->listedDevices(), read.plan, QFileInfo(fileName).fileName()));
    return true;
}

void Zol_ClientMainWindow::ExportList()
{
    if (const QString fileName = chooseFile(true, tr("Export List"), tr("CSV files (*.csv);;All files (*)"));
        !fileName.isEmpty())
        exportListTo(fileName);
}

bool Zol_ClientMainWindow::exportListTo(const QString &fileName)
{
    // As zolctl find writes it: by MAC, the devices' own texts, English titles.
    QList<DeviceTexts> devices = m_devices->listedDevices();
    std::sort(devices.begin(), devices.end(), [](const DeviceTexts &a, const DeviceTexts &b) {
        return a[DeviceColumn::Mac] < b[DeviceColumn::Mac];
    });
    QString csv = DeviceCsvHeader();
    for (const DeviceTexts &texts : std::as_const(devices))
        AppendDeviceCsvLine(csv, texts);
    QString error;
    if (ColumnLayoutRecord::replaceFile(fileName, csv.toUtf8(), &error))
        return true;
    ShowMessage(tr("The list could not be written to %1:\n%2").arg(QDir::toNativeSeparators(fileName), error));
    return false;
}
