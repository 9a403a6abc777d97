// SPDX-License-Identifier: Apache-2.0
#include "mainwindow/findbar.h"

#include "mainwindow/devicetablemodel.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>

FindBar::FindBar(DeviceTableModel *devices, QAbstractItemView *list, QWidget *parent)
    : QWidget(parent)
    , m_devices(devices)
    , m_list(list)
    , m_text(new QLineEdit(this))
    , m_count(new QLabel(this))
    , m_close(new QToolButton(this))
{
    setObjectName(QStringLiteral("FindBar"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    layout->addWidget(m_text);
    layout->addWidget(m_count);
    layout->addStretch();
    layout->addWidget(m_close);
    m_text->setMinimumWidth(m_text->fontMetrics().averageCharWidth() * 32);
    m_text->setClearButtonEnabled(true);
    m_close->setAutoRaise(true);
    m_close->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    connect(m_text, &QLineEdit::textChanged, devices, &DeviceTableModel::setFilterText);
    connect(devices, &DeviceTableModel::countsChanged, this, &FindBar::updateCount);
    connect(m_close, &QToolButton::clicked, this, &FindBar::dismiss);
    m_text->installEventFilter(this);
    list->installEventFilter(this);
    retranslate();
    hide();
}

void FindBar::open()
{
    show();
    m_devices->setFilterText(m_text->text());
    m_text->selectAll();
    m_text->setFocus(Qt::ShortcutFocusReason);
}

void FindBar::dismiss()
{
    hide();
    m_devices->setFilterText(QString());
    m_list->setFocus(Qt::OtherFocusReason);
}

void FindBar::updateCount()
{
    const int shown = m_devices->rowCount();
    const int listed = m_devices->deviceCount();
    m_count->setText(listed == 1 ? tr("%1 of 1 device").arg(shown) : tr("%1 of %2 devices").arg(shown).arg(listed));
}

bool FindBar::eventFilter(QObject *watched, QEvent *event)
{
    if (!isVisible() || (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride))
        return QWidget::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    // Esc closes the bar before it reaches the Exit button.
    if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
        if (event->type() == QEvent::KeyPress)
            dismiss();
        event->accept();
        return true;
    }
    // Return or Down in the field goes on to the rows found.
    if (watched == m_text && event->type() == QEvent::KeyPress
        && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_Down)) {
        if (!m_list->currentIndex().isValid() && m_devices->rowCount() > 0)
            m_list->setCurrentIndex(m_devices->index(0, 0));
        m_list->setFocus(Qt::OtherFocusReason);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void FindBar::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void FindBar::retranslate()
{
    m_text->setPlaceholderText(tr("Find in the list"));
    m_text->setAccessibleName(tr("Find"));
    m_text->setAccessibleDescription(tr("Shows only the devices with this text in a column"));
    m_close->setToolTip(tr("Close the find bar (Esc)"));
    m_close->setAccessibleName(tr("Close the find bar"));
    updateCount();
}
