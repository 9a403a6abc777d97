// SPDX-License-Identifier: Apache-2.0
#include "mainwindow/rowcopy.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QItemSelectionModel>
#include <QTreeView>

#include <algorithm>
#include <numeric>

namespace {

bool breaksTheTable(QChar c)
{
    switch (c.unicode()) {
    case u'\t':
    case u'\n':
    case u'\v':
    case u'\f':
    case u'\r':
    case 0x85: // next line, the Latin-1 line break
    case 0x2028:
    case 0x2029:
        return true;
    default:
        return false;
    }
}

// One line of tab-separated fields, ending in a line break. A tab or line
// break inside a field becomes a blank, so that a paste into a spreadsheet
// keeps the table's shape.
QString TabSeparatedLine(const QStringList &fields)
{
    QString line;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += u'\t';
        const QString &field = fields.at(i);
        for (qsizetype k = 0; k < field.size(); ++k) {
            const QChar c = field.at(k);
            if (!breaksTheTable(c)) {
                line += c;
                continue;
            }
            line += u' ';
            // A carriage return and line feed are one line break.
            if (c == u'\r' && k + 1 < field.size() && field.at(k + 1) == u'\n')
                ++k;
        }
    }
    line += u'\n';
    return line;
}

// The list's column titles and then the given rows, one line each, with the
// columns in the order the header shows them.
QString TabSeparatedRows(const QTreeView *list, const QList<int> &rows)
{
    const QHeaderView *header = list->header();
    const QAbstractItemModel *model = list->model();
    QList<int> columns;
    for (int visual = 0; visual < header->count(); ++visual)
        columns.append(header->logicalIndex(visual));

    QStringList fields;
    for (int column : columns) {
        // Some titles end in a blank that only pads the header.
        fields.append(model->headerData(column, Qt::Horizontal).toString().trimmed());
    }
    QString text = TabSeparatedLine(fields);
    for (int row : rows) {
        fields.clear();
        for (int column : columns)
            fields.append(model->index(row, column).data().toString());
        text += TabSeparatedLine(fields);
    }
    return text;
}

} // namespace

RowCopy::RowCopy(QTreeView *list)
    : QObject(list)
    , m_list(list)
    , m_copy(new QAction(this))
    , m_copyAll(new QAction(this))
{
    connect(m_copy, &QAction::triggered, this, &RowCopy::copySelected);
    connect(m_copyAll, &QAction::triggered, this, &RowCopy::copyAll);
    // Shown in a menu as a reminder; the list's own key press does the work.
    m_copy->setShortcut(QKeySequence::Copy);
    m_copy->setShortcutContext(Qt::WidgetShortcut);
    m_list->installEventFilter(this);
}

QList<QAction *> RowCopy::actions(bool filtered)
{
    // Texts in the language of the moment.
    m_copy->setText(tr("Copy"));
    m_copyAll->setText(filtered ? tr("Copy All Shown") : tr("Copy All"));
    m_copy->setEnabled(m_list->selectionModel()->hasSelection());
    m_copyAll->setEnabled(m_list->model()->rowCount() > 0);
    return {m_copy, m_copyAll};
}

void RowCopy::copySelected()
{
    QList<int> rows;
    for (const QModelIndex &index : m_list->selectionModel()->selectedRows())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    if (!rows.isEmpty())
        QGuiApplication::clipboard()->setText(TabSeparatedRows(m_list, rows));
}

void RowCopy::copyAll()
{
    // The rows shown, in the list's order of the moment.
    QList<int> rows(m_list->model()->rowCount());
    std::iota(rows.begin(), rows.end(), 0);
    QGuiApplication::clipboard()->setText(TabSeparatedRows(m_list, rows));
}

bool RowCopy::eventFilter(QObject *watched, QEvent *event)
{
    // Ahead of the view's own Ctrl+C, which copies one cell.
    if (watched == m_list && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->matches(QKeySequence::Copy)) {
        copySelected();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
