// SPDX-License-Identifier: Apache-2.0
#include "mainwindow/mainwindow.h"

#include "ui/appshell.h"

#include <QAction>
#include <QCoreApplication>
#include <QTranslator>

void Zol_ClientMainWindow::loadLanguage(const QString &code)
{
    if (!AppTranslator)
        return;
    // A missing or unreadable file leaves the translator empty: the texts then
    // stay in English, which is all that is wanted, so the result is not used.
    [[maybe_unused]] const bool loaded =
            AppTranslator->load(QStringLiteral("qrt_") + code, QStringLiteral("."));
    // Installing it again on its own would put it in the list a second time.
    // Removed first, it stays there once, and the removal alone tells every
    // window to apply its texts again, whatever the file held.
    QCoreApplication::removeTranslator(AppTranslator);
    QCoreApplication::installTranslator(AppTranslator);
}

void Zol_ClientMainWindow::MenuInit(bool useStored)
{
    const QString locale = SystemLocaleName();
    bool englishOn = false;
    bool chineseOn = false;

    if (useStored && LayoutLoaded) {
        // The code came from the command line or from "config.cfg".
        if (CurrentLanguage == QLatin1String("c"))
            chineseOn = true;
        else
            englishOn = true;
    } else {
        if (locale == QLatin1String("en"))
            englishOn = true;
        else if (locale == QLatin1String("c"))
            chineseOn = true;
        CurrentLanguage = locale;
    }

    loadLanguage(CurrentLanguage);
    MEnglish->setChecked(englishOn);
    MChinese->setChecked(chineseOn);
}

void Zol_ClientMainWindow::English()
{
    chooseLanguage(QStringLiteral("en"));
}

void Zol_ClientMainWindow::Chinese()
{
    chooseLanguage(QStringLiteral("c"));
}

void Zol_ClientMainWindow::chooseLanguage(const QString &code)
{
    if (CurrentLanguage != code) {
        loadLanguage(code);
        CurrentLanguage = code;
    }
    MEnglish->setChecked(code == QLatin1String("en"));
    MChinese->setChecked(code == QLatin1String("c"));
}

void Zol_ClientMainWindow::Detect()
{
    MenuInit(false);
}
