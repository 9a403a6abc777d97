// SPDX-License-Identifier: Apache-2.0
#include "ui/appshell.h"

#include <QFile>
#include <QLocale>
#include <QMessageBox>

QString CurrentLanguage;
QTranslator *AppTranslator = nullptr;

namespace {

MessageHook &messageHook()
{
    static MessageHook hook;
    return hook;
}

QString &localeOverride()
{
    static QString name;
    return name;
}

// Scripted runs of the whole program (tests) set ZOL_MESSAGE_LOG to a file:
// every message is then appended there instead of waiting for a click.
bool logInsteadOfShowing(const QString &text)
{
    const QByteArray path = qgetenv("ZOL_MESSAGE_LOG");
    if (path.isEmpty())
        return false;
    QFile log(QString::fromLocal8Bit(path));
    if (log.open(QIODevice::WriteOnly | QIODevice::Append)) {
        log.write(text.toUtf8());
        log.write("\n--\n");
    }
    return true;
}

} // namespace

void ShowMessage(QString text)
{
    if (messageHook()) {
        messageHook()(text);
        return;
    }
    if (logInsteadOfShowing(text))
        return;
    QMessageBox box(QMessageBox::Information, QStringLiteral("Zol Client"), text, QMessageBox::Ok);
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
}

MessageHook SetMessageHook(MessageHook hook)
{
    MessageHook previous = std::move(messageHook());
    messageHook() = std::move(hook);
    return previous;
}

QString SystemLocaleName()
{
    if (!localeOverride().isEmpty())
        return localeOverride();
    return QLocale::system().name();
}

void SetSystemLocaleNameOverride(const QString &name)
{
    localeOverride() = name;
}
