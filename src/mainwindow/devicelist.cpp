// The device table: discovery, and what every device answer does to it.

#include "mainwindow/mainwindow.h"

#include "mainwindow/devicelistdelegate.h"
#include "mainwindow/devicerowitem.h"

#include "app/appshell.h"
#include "net/deviceresponseevent.h"
#include "net/messages.h"
#include "net/sender.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTreeWidget>

#ifdef __GLIBC__
#include <malloc.h>
#endif

static_assert(DeviceRowItem::Columns == Zol_ClientMainWindowBase::ColumnCount,
              "a device row holds a text for every column of the list");

namespace {

// Clearing a table of at least this many rows hands the freed memory back
// to the system.
constexpr int ReleaseMemoryAboveRows = 1000;

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
    if (const QString failure = SendToAllAdapters(FormatReadQuery(GetQuerySequence()), false); !failure.isEmpty())
        ShowMessage(failure);
}

void Zol_ClientMainWindow::customEvent(QEvent *event)
{
    if (event->type() != DeviceResponseEvent::eventType()) {
        qWarning("Unknown custom event type: %d", int(event->type()));
        return;
    }
    // Answers in hand are alive but no longer queued: a message box opened
    // by one of them runs a loop that handles the next.
    ++m_answersInHand;
    const QString &text = static_cast<DeviceResponseEvent *>(event)->text();
    if (text.size() >= 5) {
        FieldReader reader(text);
        QStringView keyword;
        reader.nextFieldView(&keyword);
        if (keyword == ReadResponseKeyword())
            handleReadResponse(text);
        else if (keyword == WriteResponseKeyword())
            handleWriteResponse(text);
    }
    joinWaitingRowsWhenDue();
    --m_answersInHand;
}

void Zol_ClientMainWindow::handleReadResponse(const QString &text)
{
    // A device heard through two adapters, or answering again, usually
    // repeats itself word for word: then its row is already what this
    // answer would make of it.
    {
        FieldReader reader(text);
        QStringView mac;
        for (int field = 0; field < 5; ++field)
            reader.nextFieldView(&mac);
        const auto known = m_rowsByMac.constFind(QString::fromRawData(mac.data(), mac.size()));
        if (known != m_rowsByMac.cend() && known->answer == text)
            return;
    }

    ReadResponse response;
    if (!ParseReadResponse(text, &response))
        return;

    const auto known = m_rowsByMac.find(response.mac);
    const bool isNew = known == m_rowsByMac.end();
    QTreeWidgetItem *row = isNew ? nullptr : known->item;
    if (isNew && m_rowsByMac.size() >= MaxDeviceRows) {
        if (!m_deviceListFull)
            qWarning("Device list full (%d devices): further devices are ignored until the next Find All",
                     MaxDeviceRows);
        m_deviceListFull = true;
        return;
    }
    // A new row gets all its texts before it joins the list, so the sorted
    // list places it once instead of re-sorting for every column.
    if (isNew)
        row = new DeviceRowItem;

    const QString texts[ColumnCount] = {
        response.hasDeviceType ? sharedDeviceType(translatedData(response.deviceType)) : QStringLiteral("VRD Module"),
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
    // For the marks of addresses that several devices show.
    const QString previousIp = isNew ? QString() : row->text(IpColumn);
    unsigned changed = 0;
    for (int column = 0; column < ColumnCount; ++column) {
        // Unchanged texts are left alone: a refresh of a known device then
        // costs the list nothing.
        if (isNew || row->text(column) != texts[column]) {
            row->setText(column, texts[column]);
            changed |= 1u << column;
        }
    }
    if (changed & (1u << IpColumn))
        m_deviceListDelegate->addressChanged(texts[MacColumn], previousIp, texts[IpColumn]);

    if (isNew) {
        m_rowsByMac.insert(texts[MacColumn], DeviceRow{row, text});
        // The row joins the list in joinWaitingRowsWhenDue().
        if (m_waitingRows.empty())
            m_waitingSince.start();
        m_waitingRows.emplace_back(row);
    } else {
        known->answer = text;
    }
    widenColumnsFor(row, changed);
}

QString Zol_ClientMainWindow::sharedDeviceType(const QString &type)
{
    // Rows of one device type share one copy of its text, which the list's
    // sorting then compares without reading it. Bounded: made-up types from
    // a flood simply go unshared.
    constexpr qsizetype MaxSharedTypes = 1024;
    const auto known = m_deviceTypes.constFind(type);
    if (known != m_deviceTypes.cend())
        return *known;
    if (m_deviceTypes.size() < MaxSharedTypes)
        m_deviceTypes.insert(type);
    return type;
}

void Zol_ClientMainWindow::joinWaitingRowsWhenDue()
{
    if (m_waitingRows.empty())
        return;
    // With no further answer queued or held back by the receiver, new rows
    // join the list at once. During a burst they wait and join together: the
    // list sorts all its rows again whenever rows join it, so joining is kept
    // to about a tenth of the time.
    const qint64 interval = qBound<qint64>(MinJoinIntervalMs, 10 * m_lastJoinCostMs, MaxJoinIntervalMs);
    const qint64 waited = m_waitingSince.elapsed();
    const bool queueEmpty = DeviceResponseEvent::alive() <= m_answersInHand && !Receiver.holdingBack();
    // A cheap join happens as soon as nothing more is queued. A costly one
    // (a long list) waits for the answers to stop for a moment: during a
    // burst the queue runs empty now and then while the receiver catches up.
    // A short list always counts as cheap, whatever one join happened to
    // cost on a busy machine: its rows show the moment they are answered.
    const bool cheap = m_lastJoinCostMs < CheapJoinMs || MainList->topLevelItemCount() < CostlyJoinRows;
    if (waited >= interval || (queueEmpty && cheap)) {
        addWaitingRows();
        return;
    }
    if (!m_joinTimer.isActive() || queueEmpty != m_joinWhenQuiet) {
        m_joinWhenQuiet = queueEmpty;
        m_joinTimer.start(int(queueEmpty ? qMin(QuietMs, interval - waited) : interval - waited));
    }
}

void Zol_ClientMainWindow::addWaitingRows()
{
    m_joinTimer.stop();
    if (m_waitingRows.empty())
        return;
    QElapsedTimer cost;
    cost.start();
    // One by one, each at the end, as single answers are added: rows whose
    // sort texts are equal keep their arrival order.
    for (std::unique_ptr<QTreeWidgetItem> &row : m_waitingRows)
        MainList->addTopLevelItem(row.release());
    m_waitingRows.clear();
    // The list sorts itself on first use after rows were added; do it now so
    // that its cost is known.
    MainList->topLevelItem(0);
    m_lastJoinCostMs = cost.elapsed();
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
        const auto known = m_rowsByMac.find(response.mac);
        if (known != m_rowsByMac.end()) {
            QTreeWidgetItem *row = known->item;
            m_deviceListDelegate->addressChanged(row->text(MacColumn), row->text(IpColumn),
                                                 EditDialog.IP_Address->text());
            row->setText(IpColumn, EditDialog.IP_Address->text());
            row->setText(MaskColumn, EditDialog.Subnet_Mask->text());
            row->setText(GatewayColumn, EditDialog.Gateway->text());
            row->setText(DhcpColumn, EditDialog.DHCP->isChecked() ? tr("Enabled") : tr("Disabled"));
            row->setText(NameColumn, EditDialog.Name->text());
            row->setText(LocationColumn, EditDialog.Location->text());
            // The device's next answer must be read in full again.
            known->answer.clear();
            widenColumnsFor(row, 1u << IpColumn | 1u << MaskColumn | 1u << GatewayColumn | 1u << DhcpColumn
                                     | 1u << NameColumn | 1u << LocationColumn);
        }
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

void Zol_ClientMainWindow::clearDeviceRows()
{
    const bool large = m_rowsByMac.size() >= ReleaseMemoryAboveRows;
    m_joinTimer.stop();
    m_waitingRows.clear();
    m_rowsByMac.clear();
    m_deviceTypes.clear();
    m_deviceListDelegate->clearAddresses();
    MainList->clear();
    m_deviceListFull = false;
#ifdef __GLIBC__
    // The allocator keeps what a large table freed for later use; give it
    // back to the system, so that a flood of answers leaves no lasting mark.
    if (large)
        malloc_trim(0);
#endif
}

QTreeWidgetItem *Zol_ClientMainWindow::findDeviceRow(const QString &mac) const
{
    const auto known = m_rowsByMac.constFind(mac);
    return known == m_rowsByMac.cend() ? nullptr : known->item;
}

void Zol_ClientMainWindow::widenColumnsFor(const QTreeWidgetItem *row, unsigned columns)
{
    if (!columns)
        return;
    QHeaderView *header = MainList->header();
    const QFont font = MainList->font();
    const int margin = cellTextMargin();
    for (int column = 0; column < ColumnCount; ++column) {
        if (!(columns & (1u << column)))
            continue;
        const QString text = row->text(column);
        if (text.isEmpty())
            continue;
        // Most texts of a burst are no wider than the column already is;
        // telling that from a bound costs a fraction of laying them out.
        const int room = header->sectionSize(column) - margin;
        const int bound = m_widthBound.upperBound(font, text);
        if (bound >= 0 && bound <= room)
            continue;
        const int needed = textWidth(column, text) + margin;
        if (needed > header->sectionSize(column))
            header->resizeSection(column, needed);
    }
}

int Zol_ClientMainWindow::cellTextMargin()
{
    // Asked of the style once per font, style and resolution: asking costs
    // more than the rest of an answer.
    QStyle *style = MainList->style();
    const QFont font = MainList->font();
    const int dpi = MainList->logicalDpiX();
    if (m_cellMargin.value >= 0 && m_cellMargin.style == style && m_cellMargin.dpi == dpi
        && m_cellMargin.font == font)
        return m_cellMargin.value;
    // What the style adds around a cell's text, asked of the style itself.
    QStyleOptionViewItem option;
    option.initFrom(MainList);
    option.font = font;
    option.features = QStyleOptionViewItem::HasDisplay;
    option.text = QStringLiteral("0");
    // Two pixels more: the view lays text out with fractional advances, which
    // can come out a pixel wider than the rounded metrics say, and then elides it.
    m_cellMargin.value = style->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), MainList).width()
        - MainList->fontMetrics().horizontalAdvance(option.text) + 2;
    m_cellMargin.style = style;
    m_cellMargin.dpi = dpi;
    m_cellMargin.font = font;
    return m_cellMargin.value;
}

int Zol_ClientMainWindow::textWidth(int column, const QString &text)
{
    // Kept per column and bounded, so columns whose texts never repeat (MAC,
    // serial number) don't push out the ones that do.
    constexpr qsizetype MaxRemembered = 1024;
    if (MainList->font() != m_textWidthFont) {
        m_textWidthFont = MainList->font();
        for (QHash<QString, int> &widths : m_textWidths)
            widths.clear();
    }
    QHash<QString, int> &widths = m_textWidths[column];
    const auto known = widths.constFind(text);
    if (known != widths.cend())
        return *known;
    const int width = MainList->fontMetrics().horizontalAdvance(text);
    if (widths.size() >= MaxRemembered)
        widths.clear();
    widths.insert(text, width);
    return width;
}
