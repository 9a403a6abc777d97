// Device rows must sort exactly as plain list rows do, whatever the column,
// the order and the texts.

#include "mainwindow/devicerowitem.h"

#include <QHeaderView>
#include <QTest>
#include <QTreeWidget>

namespace {

constexpr int Columns = DeviceRowItem::Columns;

// Fills a sorted list with one row per text (the text in every column, the
// row's number in the last), and returns the numbers in list order.
template <typename Row>
QList<int> sortedOrder(const QStringList &texts, int column, Qt::SortOrder order)
{
    QTreeWidget list;
    list.setColumnCount(Columns);
    list.setSortingEnabled(true);
    list.sortByColumn(column, order);
    for (int i = 0; i < texts.size(); ++i) {
        auto *row = new Row;
        for (int c = 0; c < Columns - 1; ++c)
            row->setText(c, texts.at(i));
        row->setText(Columns - 1, QString::number(i));
        list.addTopLevelItem(row);
    }
    QList<int> numbers;
    for (int i = 0; i < list.topLevelItemCount(); ++i)
        numbers << list.topLevelItem(i)->text(Columns - 1).toInt();
    return numbers;
}

} // namespace

class tst_DeviceRowItem : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void sortsLikePlainRows_data();
    void sortsLikePlainRows();
    void textChangedAfterJoining();
    void otherDisplayValuesSortAsBefore();
};

void tst_DeviceRowItem::initTestCase()
{
    // The comparison is the locale's: with a collating locale it differs
    // from comparing character codes, which is what makes these cases bite.
    if (QStringLiteral("a").localeAwareCompare(QStringLiteral("B")) >= 0)
        qInfo("the locale compares character codes; run with LANG=en_US.UTF-8 for the stronger check");
}

void tst_DeviceRowItem::sortsLikePlainRows_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("order");

    const QStringList types{QStringLiteral("VRD Module"), QStringLiteral("VRD-200"), QStringLiteral("vrd module"),
                            QStringLiteral("IOX Gateway"), QStringLiteral("VRD Module"), QString(),
                            QStringLiteral("Pump Control"), QStringLiteral("VRD-200"), QStringLiteral("VRD Module")};
    const QStringList accents{QString::fromLatin1("\xc9tage"), QStringLiteral("Etage"), QStringLiteral("etage"),
                              QString::fromLatin1("\xe9tage"), QStringLiteral("Zone"), QStringLiteral("apple"),
                              QStringLiteral("Apple"), QString::fromLatin1("Stra\xdf" "e"), QStringLiteral("Strasse")};
    const QStringList numbers{QStringLiteral("10.0.0.2"), QStringLiteral("10.0.0.10"), QStringLiteral("9.1.1.1"),
                              QStringLiteral("0000255"), QStringLiteral("-000001"), QStringLiteral("???"),
                              QStringLiteral("10.0.0.2"), QStringLiteral("100.0.0.1")};

    QTest::newRow("device types, column 0 ascending") << types << 0 << int(Qt::AscendingOrder);
    QTest::newRow("device types, column 0 descending") << types << 0 << int(Qt::DescendingOrder);
    QTest::newRow("accents and case, column 8") << accents << 8 << int(Qt::AscendingOrder);
    QTest::newRow("accents and case, descending") << accents << 3 << int(Qt::DescendingOrder);
    QTest::newRow("addresses and serials, column 3") << numbers << 3 << int(Qt::AscendingOrder);
    QTest::newRow("all equal keep their order") << QStringList(6, QStringLiteral("VRD Module")) << 0
                                                << int(Qt::AscendingOrder);
}

void tst_DeviceRowItem::sortsLikePlainRows()
{
    QFETCH(QStringList, texts);
    QFETCH(int, column);
    QFETCH(int, order);
    const auto sortOrder = Qt::SortOrder(order);
    QCOMPARE(sortedOrder<DeviceRowItem>(texts, column, sortOrder),
             sortedOrder<QTreeWidgetItem>(texts, column, sortOrder));
}

void tst_DeviceRowItem::textChangedAfterJoining()
{
    // A row whose sort text changes while listed moves as a plain row would.
    for (const bool device : {true, false}) {
        QTreeWidget list;
        list.setColumnCount(Columns);
        list.setSortingEnabled(true);
        list.sortByColumn(0, Qt::AscendingOrder);
        QList<QTreeWidgetItem *> rows;
        for (const QString &text : {QStringLiteral("B"), QStringLiteral("D"), QStringLiteral("F")}) {
            QTreeWidgetItem *row = device ? new DeviceRowItem : new QTreeWidgetItem;
            row->setText(0, text);
            list.addTopLevelItem(row);
            rows << row;
        }
        list.topLevelItem(0);
        rows.at(2)->setText(0, QStringLiteral("A"));
        QCOMPARE(list.topLevelItem(0), rows.at(2));
        rows.at(2)->setData(0, Qt::EditRole, QStringLiteral("E"));
        QCOMPARE(list.topLevelItem(2), rows.at(2));
    }
}

void tst_DeviceRowItem::otherDisplayValuesSortAsBefore()
{
    // Numbers shown as numbers sort by value in a plain list ("9" before
    // "10"); a device row holding them must not sort them as texts.
    for (const bool device : {true, false}) {
        QTreeWidget list;
        list.setColumnCount(Columns);
        list.setSortingEnabled(true);
        list.sortByColumn(1, Qt::AscendingOrder);
        for (const int value : {10, 9, 100}) {
            QTreeWidgetItem *row = device ? new DeviceRowItem : new QTreeWidgetItem;
            row->setData(1, Qt::DisplayRole, value);
            list.addTopLevelItem(row);
        }
        QCOMPARE(list.topLevelItem(0)->data(1, Qt::DisplayRole).toInt(), 9);
        QCOMPARE(list.topLevelItem(2)->data(1, Qt::DisplayRole).toInt(), 100);
    }
}

QTEST_MAIN(tst_DeviceRowItem)
#include "tst_devicerowitem.moc"
