// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QAbstractTableModel>
#include <QString>

#include <vector>

// The rows of the commissioning dialog: one per device, or per plan line,
// each with a check box, the device's texts as the list shows them, a preview
// of its new settings and the status of its change. A filter text shows only
// the rows with it in one of the device's texts; the checks stay on the rows
// it hides.
class CommissioningModel final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CommissioningModel)

public:
    enum Column { Mac, Address, Name, Location, Type, Preview, Status, ColumnCount };
    // How a status reads at a glance.
    enum class Mark { None, Good, Bad, Warning };

    struct Row
    {
        QString mac; // the device's own, or as a plan writes it when not found
        QString address;
        QString name;
        QString location;
        QString type;
        bool checked = false;
        QString preview;
        QString status;
        QString statusTip; // the whole message behind a short status
        Mark mark = Mark::None;
    };

    explicit CommissioningModel(std::vector<Row> rows, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

    // All rows, shown or not, in their order.
    int size() const { return int(m_rows.size()); }
    const Row &row(int row) const { return m_rows[std::size_t(row)]; }
    // The row to change a preview or status in; views hear of it through
    // rowsEdited().
    Row &edit(int row) { return m_rows[std::size_t(row)]; }
    void rowsEdited();

    void setFilterText(const QString &text);
    // Checks or unchecks the rows shown.
    void setShownChecked(bool checked);
    void setChecked(int row, bool checked);
    // The rows checked, shown or not, in order.
    std::vector<int> checkedRows() const;
    // While a run goes on the checks can't change.
    void setChecksLocked(bool locked);

signals:
    void checksChanged();

private:
    bool shows(const Row &row) const;

    std::vector<Row> m_rows;
    std::vector<int> m_shown;
    QString m_filter;
    bool m_locked = false;
};
