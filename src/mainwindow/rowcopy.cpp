#include "mainwindow/rowcopy.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QTreeWidget>

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
QString TabSeparatedRows(const QTreeWidget *list, const QList<QTreeWidgetItem *> &rows)
{
    const QHeaderView *header = list->header();
    QList<int> columns;
    for (int visual = 0; visual < header->count(); ++visual)
        columns.append(header->logicalIndex(visual));

    QStringList fields;
    const QTreeWidgetItem *titles = list->headerItem();
    for (int column : columns) {
        // Some titles end in a blank that only pads the header.
        fields.append(titles->text(column).trimmed());
    }
    QString text = TabSeparatedLine(fields);
    for (const QTreeWidgetItem *row : rows) {
        fields.clear();
        for (int column : columns)
            fields.append(row->text(column));
        text += TabSeparatedLine(fields);
    }
    return text;
}

} // namespace

RowCopy::RowCopy(QTreeWidget *list)
    : QObject(list)
    , m_list(list)
{
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_list, &QWidget::customContextMenuRequested, this, &RowCopy::showMenu);
    m_list->installEventFilter(this);
}

void RowCopy::copySelected()
{
    const QList<QTreeWidgetItem *> selected = m_list->selectedItems();
    if (!selected.isEmpty())
        QGuiApplication::clipboard()->setText(TabSeparatedRows(m_list, selected));
}

void RowCopy::copyAll()
{
    QList<QTreeWidgetItem *> rows;
    const int count = m_list->topLevelItemCount();
    rows.reserve(count);
    // In the list's order, as sorted at this moment.
    for (int i = 0; i < count; ++i)
        rows.append(m_list->topLevelItem(i));
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

void RowCopy::showMenu(const QPoint &position)
{
    // Made when first asked for, not while the window starts.
    if (!m_menu) {
        m_menu = new QMenu(m_list);
        m_copy = m_menu->addAction(QString(), this, &RowCopy::copySelected);
        m_copyAll = m_menu->addAction(QString(), this, &RowCopy::copyAll);
        // Shown in the menu as a reminder; the list's own key press does the work.
        m_copy->setShortcut(QKeySequence::Copy);
        m_copy->setShortcutContext(Qt::WidgetShortcut);
    }
    // Texts in the language of the moment.
    m_copy->setText(tr("Copy"));
    m_copyAll->setText(tr("Copy All"));
    m_copy->setEnabled(!m_list->selectedItems().isEmpty());
    m_copyAll->setEnabled(m_list->topLevelItemCount() > 0);
    m_menu->popup(m_list->viewport()->mapToGlobal(position));
}
