#pragma once

#include <QObject>

QT_BEGIN_NAMESPACE
class QAction;
class QMenu;
class QPoint;
class QTreeWidget;
QT_END_NAMESPACE

// Puts rows of a list on the clipboard as tab-separated text: Ctrl+C copies
// the selected row; the list's context menu offers "Copy" and "Copy All".
class RowCopy final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RowCopy)

public:
    // Lives as long as the list, as its child.
    explicit RowCopy(QTreeWidget *list);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void copySelected();
    void copyAll();
    void showMenu(const QPoint &position);

    QTreeWidget *m_list;
    QMenu *m_menu = nullptr;
    QAction *m_copy = nullptr;
    QAction *m_copyAll = nullptr;
};
