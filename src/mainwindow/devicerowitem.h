#pragma once

#include "layout/columnlayoutrecord.h"

#include <QString>
#include <QTreeWidgetItem>

// A row of the device list. It sorts exactly as a plain row does (display
// texts compared the locale-aware way), but keeps its texts at hand: the list
// sorts itself again after every batch of new rows, and a comparison that
// copies two variants costs more than the rest of a burst put together.
class DeviceRowItem final : public QTreeWidgetItem
{
public:
    static constexpr int RowType = QTreeWidgetItem::UserType + 1;
    static constexpr int Columns = ColumnLayoutRecord::ColumnCount;

    DeviceRowItem() : QTreeWidgetItem(RowType) {}

    void setData(int column, int role, const QVariant &value) override;
    QVariant data(int column, int role) const override;
    bool operator<(const QTreeWidgetItem &other) const override;

private:
    QString m_texts[Columns];
    // Columns whose display value is a text; any other value sorts the way
    // the base class sorts it.
    unsigned m_textColumns = 0;
};
