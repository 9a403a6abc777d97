#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

QT_BEGIN_NAMESPACE
class QAction;
class QMenu;
class QPoint;
class QTreeWidget;
class QTreeWidgetItem;
QT_END_NAMESPACE

// One line of tab-separated fields, ending in a line break. A tab or line
// break inside a field becomes a blank, so that a paste into a spreadsheet
// keeps the table's shape.
QString TabSeparatedLine(const QStringList &fields);

// The list's column titles and then the given rows, one line each, with the
// columns in the order the header shows them.
QString TabSeparatedRows(const QTreeWidget *list, const QList<QTreeWidgetItem *> &rows);

// Puts rows of a list on the clipboard as tab-separated text: Ctrl+C copies
// the selected row; the list's context menu offers "Copy" and "Copy All".
class RowCopy final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RowCopy)

public:
    // Lives as long as the list, as its child.
    explicit RowCopy(QTreeWidget *list);

    void copySelected();
    void copyAll();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showMenu(const QPoint &position);

    QTreeWidget *m_list;
    QMenu *m_menu = nullptr;
    QAction *m_copy = nullptr;
    QAction *m_copyAll = nullptr;
};
