// SPDX-License-Identifier: Apache-2.0
#include "forms/deviceupdating.h"

#include "forms/formlayouts.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QProgressBar>
#include <QVBoxLayout>

Device_UpdatingBase::Device_UpdatingBase(QWidget *parent, const char *name, bool modal, Qt::WindowFlags fl)
    : QDialog(parent, fl)
{
    setObjectName(name ? QString::fromLatin1(name) : QStringLiteral("Device_UpdatingBase"));
    // The icon is looked up by name in the current directory; without the
    // file the dialog simply has no icon.
    setWindowIcon(QPixmap(QStringLiteral("QOB.bmp")));
    setSizeGripEnabled(true);
    setModal(modal);

    Device_UpdatingBaseLayout = new QGridLayout(this);
    Device_UpdatingBaseLayout->setObjectName(QStringLiteral("Device_UpdatingBaseLayout"));
    Device_UpdatingBaseLayout->setContentsMargins(11, 11, 11, 11);
    Device_UpdatingBaseLayout->setSpacing(6);
    layout14 = makeBox<QVBoxLayout>("layout14");

    progressBar1 = new QProgressBar(this);
    progressBar1->setObjectName(QStringLiteral("progressBar1"));
    progressBar1->setMinimumSize(0, 100);
    progressBar1->setRange(0, 100);
    progressBar1->setValue(0);
    QPalette palette = progressBar1->palette();
    palette.setColor(QPalette::WindowText, QColor(0, 0, 0));
    progressBar1->setPalette(palette);
    layout14->addWidget(progressBar1);

    textLabel1 = new QLabel(this);
    textLabel1->setObjectName(QStringLiteral("textLabel1"));
    QFont font = textLabel1->font();
    font.setPointSize(12);
    textLabel1->setFont(font);
    textLabel1->setTextFormat(Qt::AutoText);
    layout14->addWidget(textLabel1);
    Device_UpdatingBaseLayout->addLayout(layout14, 0, 0);

    Device_UpdatingBase::languageChange();
    const QSize hint = minimumSizeHint();
    resize(qMax(505, hint.width()), qMax(172, hint.height()));
}

Device_UpdatingBase::~Device_UpdatingBase() = default;

void Device_UpdatingBase::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        languageChange();
    QDialog::changeEvent(event);
}

void Device_UpdatingBase::languageChange()
{
    setWindowTitle(tr("Please Wait"));
    textLabel1->setText(tr("textLabel1"));

    // For screen readers and UI automation; nothing on screen changes.
    progressBar1->setAccessibleName(tr("Update progress"));
    progressBar1->setAccessibleDescription(tr("How far the device has got with its new settings"));
}

Device_Updating::Device_Updating(QWidget *parent, const char *name, bool modal, Qt::WindowFlags fl)
    : Device_UpdatingBase(parent, name, modal, fl)
{
}

void Device_Updating::setProgress(int value)
{
    progressBar1->setValue(value);
    progressBar1->repaint();
}

void Device_Updating::setMessage(QString text)
{
    textLabel1->setText(text);
}
