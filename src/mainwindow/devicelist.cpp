// The device table: discovery, and what every device answer does to it.

#include "mainwindow/mainwindow.h"

#include "app/appshell.h"
#include "net/deviceresponseevent.h"
#include "net/messages.h"
#include "net/sender.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>

namespace {

enum Column {
    DeviceTypeColumn,
    SerialColumn,
    MacColumn,
    IpColumn,
    MaskColumn,
    GatewayColumn,
    DhcpColumn,
    NameColumn,
    LocationColumn,
};

// Received texts go through the window's translations like the rest of its
// texts. The lookup takes UTF-8, so a Latin-1 text without a translation
// comes back unchanged.
QString translatedData(const QString &text)
{
    if (text.isEmpty() || text.contains(QChar(u'\0')))
        return text;
    const QByteArray utf8 = text.toUtf8();
    return QCoreApplication::translate("Zol_ClientMainWindow", utf8.constData());
}

} // namespace

void Zol_ClientMainWindow::Find_All_clicked()
{
    clearDeviceRows();
    Edit->setEnabled(false);
    IncrementQuerySequence();
    SendToAllAdapters(FormatReadQuery(GetQuerySequence()), false);
}

void Zol_ClientMainWindow::customEvent(QEvent *event)
{
    if (event->type() != DeviceResponseEvent::eventType()) {
        qWarning("Unknown custom event type: %d", int(event->type()));
        return;
    }
    const QString &text = static_cast<DeviceResponseEvent *>(event)->text();
    if (text.size() < 5)
        return;
    FieldReader reader(text);
    QString keyword;
    reader.nextField(&keyword);
    if (keyword == ReadResponseKeyword())
        handleReadResponse(text);
    else if (keyword == WriteResponseKeyword())
        handleWriteResponse(text);
}

void Zol_ClientMainWindow::handleReadResponse(const QString &text)
{
    ReadResponse response;
    if (!ParseReadResponse(text, &response))
        return;

    QTreeWidgetItem *row = findDeviceRow(response.mac);
    const bool isNew = row == nullptr;
    // A new row gets all its texts before it joins the list, so the sorted
    // list places it once instead of re-sorting for every column.
    if (isNew)
        row = new QTreeWidgetItem;

    const QString texts[ColumnCount] = {
        response.hasDeviceType ? translatedData(response.deviceType) : QStringLiteral("VRD Module"),
        response.hasSerial ? FormatSerialNumber(translatedData(response.serialField)) : QStringLiteral("???"),
        isNew ? translatedData(response.mac) : row->text(MacColumn),
        translatedData(response.ip),
        translatedData(response.mask),
        translatedData(response.gateway),
        response.hasDhcp ? (response.dhcpField == QLatin1String("TRUE") ? tr("Enabled") : tr("Disabled"))
                         : QStringLiteral("???"),
        translatedData(response.name),
        translatedData(response.location),
    };
    for (int column = 0; column < ColumnCount; ++column) {
        // Unchanged texts are left alone: a refresh of a known device then
        // costs the list nothing.
        if (isNew || row->text(column) != texts[column])
            row->setText(column, texts[column]);
    }

    if (isNew) {
        MainList->addTopLevelItem(row);
        m_rowsByMac.insert(row->text(MacColumn), row);
    }
    widenColumnsFor(row);
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

    const QString &status = response.status;
    if (status == QLatin1String("ZOL_CONFIGURATION_UPDATED")) {
        WriteAnswered = true;
        if (QTreeWidgetItem *row = findDeviceRow(response.mac)) {
            row->setText(IpColumn, EditDialog.IP_Address->text());
            row->setText(MaskColumn, EditDialog.Subnet_Mask->text());
            row->setText(GatewayColumn, EditDialog.Gateway->text());
            row->setText(DhcpColumn, EditDialog.DHCP->isChecked() ? tr("Enabled") : tr("Disabled"));
            row->setText(NameColumn, EditDialog.Name->text());
            row->setText(LocationColumn, EditDialog.Location->text());
            widenColumnsFor(row);
        }
        if (!ModifyInProgress)
            EditDialog.close();
        return;
    }

    QString message;
    if (status == QLatin1String("ZOL_MISSING_PARAMETERS"))
        message = QStringLiteral("Modify failed, missing parameters.");
    else if (status == QLatin1String("ZOL_SECURITY_VIOLATION"))
        message = QStringLiteral("Modify failed, security mode enabled on device.");
    else if (status == QLatin1String("ZOL_INVALID_PARAMETER"))
        message = QStringLiteral("Modify failed, invalid parameter");
    else
        return;

    ModifyFailed = true;
    // Only the first verdict on a write speaks; the flag is set before the
    // modal box runs its own loop, so a second refusal meanwhile stays quiet.
    if (!WriteAnswered) {
        WriteAnswered = true;
        ShowMessage(message);
    }
}

void Zol_ClientMainWindow::clearDeviceRows()
{
    m_rowsByMac.clear();
    MainList->clear();
}

QTreeWidgetItem *Zol_ClientMainWindow::findDeviceRow(const QString &mac) const
{
    return m_rowsByMac.value(mac, nullptr);
}

void Zol_ClientMainWindow::widenColumnsFor(const QTreeWidgetItem *row)
{
    QHeaderView *header = MainList->header();
    const QFontMetrics metrics = MainList->fontMetrics();
    // The item view draws a text with a focus-frame margin on either side.
    const int margin = 2 * (MainList->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, MainList) + 1);
    for (int column = 0; column < ColumnCount; ++column) {
        const QString text = row->text(column);
        if (text.isEmpty())
            continue;
        const int needed = metrics.horizontalAdvance(text) + margin;
        if (needed > header->sectionSize(column))
            header->resizeSection(column, needed);
    }
}
