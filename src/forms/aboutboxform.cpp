// SPDX-License-Identifier: Apache-2.0
#include "forms/aboutboxform.h"

#include "forms/formlayouts.h"
#include "forms/images.h"
#include "forms/version.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpacerItem>
#include <QVBoxLayout>

const QString VERSION = QStringLiteral(ZOL_VERSION_TEXT);

aboutboxformBase::aboutboxformBase(QWidget *parent, const char *name, bool modal, Qt::WindowFlags fl)
    : QDialog(parent, fl)
    , iconImage(WindowIconXpm)
    , aboutImage(AboutImageXpm)
{
    setObjectName(name ? QString::fromLatin1(name) : QStringLiteral("aboutboxformBase"));
    setModal(modal);
    setWindowIcon(iconImage);
    setSizeGripEnabled(false);

    aboutboxformBaseLayout = new QGridLayout(this);
    aboutboxformBaseLayout->setObjectName(QStringLiteral("aboutboxformBaseLayout"));
    aboutboxformBaseLayout->setContentsMargins(11, 11, 11, 11);
    aboutboxformBaseLayout->setSpacing(6);
    layout60 = makeBox<QVBoxLayout>("layout60");
    layout59 = makeBox<QVBoxLayout>("layout59");

    pixmapLabel2 = new QLabel(this);
    pixmapLabel2->setObjectName(QStringLiteral("pixmapLabel2"));
    pixmapLabel2->setPixmap(aboutImage);
    pixmapLabel2->setScaledContents(true);
    layout59->addWidget(pixmapLabel2);

    layout114 = makeBox<QHBoxLayout>("layout114");
    versionLabel = new QLabel(this);
    versionLabel->setObjectName(QStringLiteral("versionLabel"));
    layout114->addWidget(versionLabel);
    versionSpacer = new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum);
    layout114->addItem(versionSpacer);
    layout59->addLayout(layout114);
    layout60->addLayout(layout59);

    layout112 = makeBox<QHBoxLayout>("layout112");
    okSpacer = new QSpacerItem(279, 20, QSizePolicy::Expanding, QSizePolicy::Minimum);
    layout112->addItem(okSpacer);
    buttonOk = new QPushButton(this);
    buttonOk->setObjectName(QStringLiteral("buttonOk"));
    buttonOk->setAutoDefault(true);
    buttonOk->setDefault(true);
    layout112->addWidget(buttonOk);
    layout60->addLayout(layout112);
    aboutboxformBaseLayout->addLayout(layout60, 0, 0);

    aboutboxformBase::languageChange();
    const QSize hint = minimumSizeHint();
    resize(qMax(395, hint.width()), qMax(359, hint.height()));

    connect(buttonOk, &QPushButton::clicked, this, &QDialog::accept);
}

aboutboxformBase::~aboutboxformBase() = default;

void aboutboxformBase::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        languageChange();
    QDialog::changeEvent(event);
}

void aboutboxformBase::languageChange()
{
    setWindowTitle(tr("About ZOL Client"));
    versionLabel->setText(tr("Version X.Y"));
    buttonOk->setText(tr("&OK"));

    // For screen readers and UI automation; nothing on screen changes.
    setAccessibleDescription(tr("Name and version of this program"));
    pixmapLabel2->setAccessibleName(tr("ZOL Client picture"));
    pixmapLabel2->setAccessibleDescription(tr("The program's picture, shown above the version"));
    versionLabel->setAccessibleDescription(tr("Version of this program"));
    buttonOk->setAccessibleName(tr("OK"));
    buttonOk->setAccessibleDescription(tr("Close this window"));
}

aboutboxform::aboutboxform(QWidget *parent, const char *name, bool modal, Qt::WindowFlags fl)
    : aboutboxformBase(parent, name, modal, fl)
{
    versionLabel->setText(tr("Version ") + VERSION);
}
