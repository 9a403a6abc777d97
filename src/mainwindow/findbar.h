// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QWidget>

QT_BEGIN_NAMESPACE
class QAbstractItemView;
class QLabel;
class QLineEdit;
class QToolButton;
QT_END_NAMESPACE

class DeviceTableModel;

// The bar under the device list that filters its rows as the user types:
// a text field, "n of m devices" and a close button. Hidden until asked for;
// Esc (in the bar or in the list) or the close button hides it and shows
// every row again.
class FindBar final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FindBar)

public:
    FindBar(DeviceTableModel *devices, QAbstractItemView *list, QWidget *parent);

    // Shows the bar with the keyboard in its field; the text it kept filters again.
    void open();
    void dismiss();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void retranslate();
    // "n of m devices" as the list stands now.
    void updateCount();

    DeviceTableModel *m_devices;
    QAbstractItemView *m_list;
    QLineEdit *m_text;
    QLabel *m_count;
    QToolButton *m_close;
};
