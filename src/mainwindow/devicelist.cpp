#include "mainwindow/devicelist.h"

#include "mainwindow/devicelistdelegate.h"
#include "mainwindow/devicerowitem.h"
#include "net/deviceresponseevent.h"
#include "net/devicetexts.h"
#include "net/messages.h"
#include "net/receivethread.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTreeWidget>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

constexpr int ColumnCount = ColumnLayoutRecord::ColumnCount;

// Clearing a list of at least this many rows hands the freed memory back
// to the system.
constexpr int ReleaseMemoryAboveRows = 1000;

// The device type and the DHCP words go through the window's translations;
// the other texts are the device's own and are shown as received. The lookup
// takes UTF-8, so a Latin-1 text without a translation comes back unchanged.
QString translatedData(const QString &text)
{
    if (text.isEmpty() || text.contains(QChar(u'\0')))
        return text;
    const QByteArray utf8 = text.toUtf8();
    return QCoreApplication::translate("Zol_ClientMainWindow", utf8.constData());
}

} // namespace

DeviceList::DeviceList(QTreeWidget *list, const ReceiveThread *receiver)
    : m_list(list), m_receiver(receiver)
    // The list's child: it learns of every address the list shows.
    , m_delegate(new DeviceListDelegate(list, MacColumn, IpColumn))
{
    m_joinTimer.setSingleShot(true);
    connect(&m_joinTimer, &QTimer::timeout, this, &DeviceList::addWaitingRows);
}

DeviceList::~DeviceList() = default;

void DeviceList::beginAnswer()
{
    ++m_answersInHand;
}

void DeviceList::endAnswer()
{
    joinWaitingRowsWhenDue();
    --m_answersInHand;
}

void DeviceList::takeReadResponse(const QString &text)
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
    if (isNew && m_rowsByMac.size() >= MaxRows) {
        if (!m_full)
            qWarning("Device list full (%d devices): further devices are ignored until the next Find All",
                     MaxRows);
        m_full = true;
        return;
    }
    // A new row gets all its texts before it joins the list, so the sorted
    // list places it once instead of re-sorting for every column.
    if (isNew)
        row = new DeviceRowItem;

    // The core's rule, with the type and the DHCP words going through the
    // window's translations; a known row keeps the MAC text it was made with.
    const DeviceTexts texts = DeviceDisplayTexts(response, [&](int column, const QString &field) {
        if (column == MacColumn && !isNew)
            return row->text(MacColumn);
        if (column == DeviceTypeColumn)
            return sharedDeviceType(translatedData(field));
        return column == DhcpColumn ? translatedData(field) : field;
    });
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
        m_delegate->addressChanged(texts[MacColumn], previousIp, texts[IpColumn]);

    if (isNew) {
        m_rowsByMac.insert(texts[MacColumn], Row{row, text});
        // The row joins the list in joinWaitingRowsWhenDue().
        if (m_waitingRows.empty())
            m_waitingSince.start();
        m_waitingRows.emplace_back(row);
    } else {
        known->answer = text;
    }
    widenColumnsFor(row, changed);
}

void DeviceList::setRowTexts(const QString &mac, std::initializer_list<std::pair<Column, QString>> texts)
{
    const auto known = m_rowsByMac.find(mac);
    if (known == m_rowsByMac.end())
        return;
    QTreeWidgetItem *row = known->item;
    unsigned changed = 0;
    for (const auto &[column, text] : texts) {
        if (column == IpColumn)
            m_delegate->addressChanged(mac, row->text(IpColumn), text);
        row->setText(column, text);
        changed |= 1u << column;
    }
    // The device's next answer must be read in full again.
    known->answer.clear();
    widenColumnsFor(row, changed);
}

void DeviceList::forgetAnswers()
{
    for (Row &row : m_rowsByMac)
        row.answer.clear();
}

QString DeviceList::sharedDeviceType(const QString &type)
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

void DeviceList::joinWaitingRowsWhenDue()
{
    if (m_waitingRows.empty())
        return;
    // With no further answer queued or held back by the receiver, new rows
    // join the list at once. During a burst they wait and join together: the
    // list sorts all its rows again whenever rows join it, so joining is kept
    // to about a tenth of the time.
    const qint64 interval = qBound<qint64>(MinJoinIntervalMs, 10 * m_lastJoinCostMs, MaxJoinIntervalMs);
    const qint64 waited = m_waitingSince.elapsed();
    const bool queueEmpty = DeviceResponseEvent::alive() <= m_answersInHand && !m_receiver->holdingBack();
    // A cheap join happens as soon as nothing more is queued. A costly one
    // (a long list) waits for the answers to stop for a moment: during a
    // burst the queue runs empty now and then while the receiver catches up.
    // A short list always counts as cheap, whatever one join happened to
    // cost on a busy machine: its rows show the moment they are answered.
    const bool cheap = m_lastJoinCostMs < CheapJoinMs || m_list->topLevelItemCount() < CostlyJoinRows;
    if (waited >= interval || (queueEmpty && cheap)) {
        addWaitingRows();
        return;
    }
    if (!m_joinTimer.isActive() || queueEmpty != m_joinWhenQuiet) {
        m_joinWhenQuiet = queueEmpty;
        m_joinTimer.start(int(queueEmpty ? qMin(QuietMs, interval - waited) : interval - waited));
    }
}

void DeviceList::addWaitingRows()
{
    m_joinTimer.stop();
    if (m_waitingRows.empty())
        return;
    QElapsedTimer cost;
    cost.start();
    // One by one, each at the end, as single answers are added: rows whose
    // sort texts are equal keep their arrival order.
    for (std::unique_ptr<QTreeWidgetItem> &row : m_waitingRows)
        m_list->addTopLevelItem(row.release());
    m_waitingRows.clear();
    // The list sorts itself on first use after rows were added; do it now so
    // that its cost is known.
    m_list->topLevelItem(0);
    m_lastJoinCostMs = cost.elapsed();
}

void DeviceList::clear()
{
    const bool large = m_rowsByMac.size() >= ReleaseMemoryAboveRows;
    m_joinTimer.stop();
    m_waitingRows.clear();
    m_rowsByMac.clear();
    m_deviceTypes.clear();
    m_delegate->clearAddresses();
    m_list->clear();
    m_full = false;
#ifdef __GLIBC__
    // The allocator keeps what a large list freed for later use; give it
    // back to the system, so that a flood of answers leaves no lasting mark.
    if (large)
        malloc_trim(0);
#endif
}

QTreeWidgetItem *DeviceList::findRow(const QString &mac) const
{
    const auto known = m_rowsByMac.constFind(mac);
    return known == m_rowsByMac.cend() ? nullptr : known->item;
}

void DeviceList::widenColumnsFor(const QTreeWidgetItem *row, unsigned columns)
{
    if (!columns)
        return;
    QHeaderView *header = m_list->header();
    const QFont font = m_list->font();
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

int DeviceList::cellTextMargin()
{
    // Asked of the style once per font, style and resolution: asking costs
    // more than the rest of an answer.
    QStyle *style = m_list->style();
    const QFont font = m_list->font();
    const int dpi = m_list->logicalDpiX();
    if (m_cellMargin.value >= 0 && m_cellMargin.style == style && m_cellMargin.dpi == dpi
        && m_cellMargin.font == font)
        return m_cellMargin.value;
    // What the style adds around a cell's text, asked of the style itself.
    QStyleOptionViewItem option;
    option.initFrom(m_list);
    option.font = font;
    option.features = QStyleOptionViewItem::HasDisplay;
    option.text = QStringLiteral("0");
    // Two pixels more: the view lays text out with fractional advances, which
    // can come out a pixel wider than the rounded metrics say, and then elides it.
    m_cellMargin.value = style->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), m_list).width()
        - m_list->fontMetrics().horizontalAdvance(option.text) + 2;
    m_cellMargin.style = style;
    m_cellMargin.dpi = dpi;
    m_cellMargin.font = font;
    return m_cellMargin.value;
}

int DeviceList::textWidth(int column, const QString &text)
{
    // Kept per column and bounded, so columns whose texts never repeat (MAC,
    // serial number) don't push out the ones that do.
    constexpr qsizetype MaxRemembered = 1024;
    if (m_list->font() != m_textWidthFont) {
        m_textWidthFont = m_list->font();
        for (QHash<QString, int> &widths : m_textWidths)
            widths.clear();
    }
    QHash<QString, int> &widths = m_textWidths[column];
    const auto known = widths.constFind(text);
    if (known != widths.cend())
        return *known;
    const int width = m_list->fontMetrics().horizontalAdvance(text);
    if (widths.size() >= MaxRemembered)
        widths.clear();
    widths.insert(text, width);
    return width;
}
