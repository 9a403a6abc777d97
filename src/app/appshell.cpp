#include "app/appshell.h"

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

bool isLanguageSwitch(const char *arg)
{
    const QString text = QString::fromLocal8Bit(arg);
    return text.compare(QLatin1String("/s"), Qt::CaseInsensitive) == 0
        || text.compare(QLatin1String("-s"), Qt::CaseInsensitive) == 0;
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

int ParseCommandLine(int argc, char **argv)
{
    for (int i = 1; i < argc; i += 2) {
        if (!isLanguageSwitch(argv[i]) || i + 1 >= argc)
            return -1;
        CurrentLanguage = QString::fromLocal8Bit(argv[i + 1]);
    }
    return 0;
}

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
