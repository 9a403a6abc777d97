// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QList>
#include <QObject>

QT_BEGIN_NAMESPACE
class QAction;
class QTreeView;
QT_END_NAMESPACE

// Puts rows of a list on the clipboard as tab-separated text: Ctrl+C copies
// the selected row; "Copy" and "Copy All" do it from a menu.
class RowCopy final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RowCopy)

public:
    // Lives as long as the list, as its child.
    explicit RowCopy(QTreeView *list);

    // "Copy" and "Copy All" for a menu, texts and states as of now; while a
    // filter hides rows, Copy All says that it copies the rows shown.
    QList<QAction *> actions(bool filtered);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void copySelected();
    void copyAll();

    QTreeView *m_list;
    QAction *m_copy;
    QAction *m_copyAll;
};
