// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QDialog>
#include <QPixmap>

QT_BEGIN_NAMESPACE
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QSpacerItem;
class QVBoxLayout;
QT_END_NAMESPACE

extern const QString VERSION;

class aboutboxformBase : public QDialog
{
    Q_OBJECT

public:
    explicit aboutboxformBase(QWidget *parent = nullptr, const char *name = nullptr,
                              bool modal = false, Qt::WindowFlags fl = Qt::WindowFlags());
    ~aboutboxformBase() override;

    QLabel *pixmapLabel2;
    QLabel *versionLabel;
    QPushButton *buttonOk;

protected:
    QGridLayout *aboutboxformBaseLayout;
    QVBoxLayout *layout60;
    QVBoxLayout *layout59;
    QHBoxLayout *layout114;
    QSpacerItem *versionSpacer;
    QHBoxLayout *layout112;
    QSpacerItem *okSpacer;

    void changeEvent(QEvent *event) override;

protected slots:
    virtual void languageChange();

private:
    QPixmap iconImage;
    QPixmap aboutImage;
};

// The About box: the form with the program's version in place of the placeholder.
class aboutboxform final : public aboutboxformBase
{
    Q_OBJECT

public:
    explicit aboutboxform(QWidget *parent = nullptr, const char *name = nullptr,
                          bool modal = false, Qt::WindowFlags fl = Qt::WindowFlags());
};
