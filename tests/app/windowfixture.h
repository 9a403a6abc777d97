#pragma once

// Shared set-up for the tests that build the real main window: a fresh current
// directory per test, no message boxes (they are recorded instead), and a way
// to act as an ordinary user, since root ignores folder permissions.

#include "ui/appshell.h"
#include "mainwindow/mainwindow.h"
#include "../support/capturingplatform.h"
#include "layoutfiletools.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QStringList>
#include <QTemporaryDir>
#include <QTranslator>
#include <QTreeWidget>

#include <memory>

#include <sys/stat.h>
#include <unistd.h>

class WindowFixture
{
public:
    // Call from init(): a new empty current directory, empty language.
    bool begin()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        if (!m_dir->isValid())
            return false;
        // Reachable by the ordinary user that some tests become.
        ::chmod(QFile::encodeName(m_dir->path()).constData(), 0755);
        m_previousDir = QDir::currentPath();
        QDir::setCurrent(m_dir->path());
        CurrentLanguage.clear();
        SetSystemLocaleNameOverride(QStringLiteral("C"));
        messages.clear();
        SetMessageHook([this](const QString &text) { messages << text; });
        // The window's discovery queries are kept, not sent.
        m_previousPlatform = SetNetworkPlatform(&m_platform);
        freshTranslator();
        return true;
    }

    // Call from cleanup().
    void end()
    {
        SetMessageHook({});
        SetNetworkPlatform(m_previousPlatform);
        SetSystemLocaleNameOverride(QString());
        QDir::setCurrent(m_previousDir);
        ::chmod(QFile::encodeName(m_dir->path()).constData(), 0755);
        m_dir.reset();
    }

    // The start-up sequence creates one empty translator and installs it.
    static void freshTranslator()
    {
        if (AppTranslator) {
            QCoreApplication::removeTranslator(AppTranslator);
            delete AppTranslator;
        }
        AppTranslator = new QTranslator;
        QCoreApplication::installTranslator(AppTranslator);
        QCoreApplication::processEvents();
    }

    QString path(const QString &name) const { return m_dir->filePath(name); }
    QString dirPath() const { return m_dir->path(); }

    static bool writeFile(const QString &name, const QByteArray &bytes)
    {
        QFile file(name);
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate)
            && file.write(bytes) == bytes.size();
    }

    static QByteArray readFile(const QString &name)
    {
        QFile file(name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    }

    // Copies a built message file into the current directory under a name.
    static bool copyMessageFile(const QString &builtName, const QString &asName)
    {
        const QString from = qEnvironmentVariable("ZOL_BIN_DIR") + QLatin1Char('/') + builtName;
        QFile::remove(asName);
        return QFile::copy(from, asName);
    }

    static std::unique_ptr<Zol_ClientMainWindow> makeWindow()
    {
        return std::make_unique<Zol_ClientMainWindow>(nullptr, nullptr, Qt::Window);
    }

    static QList<int> widths(const Zol_ClientMainWindow &w)
    {
        QList<int> result;
        for (int i = 0; i < w.MainList->header()->count(); ++i)
            result << w.MainList->header()->sectionSize(i);
        return result;
    }

    // Logical column shown at each visual position.
    static QList<int> shown(const Zol_ClientMainWindow &w)
    {
        QList<int> result;
        for (int v = 0; v < w.MainList->header()->count(); ++v)
            result << w.MainList->header()->logicalIndex(v);
        return result;
    }

    // A record with these orders and widths, the code written over offset 64.
    static QByteArray record(const QList<int> &orders, const QList<int> &widths,
                             const QByteArray &code = QByteArray())
    {
        QByteArray bytes;
        for (int i = 0; i < 9; ++i)
            bytes += le32(orders.value(i)) + le32(widths.value(i));
        bytes.replace(64, code.size(), code);
        return bytes;
    }

    QStringList messages;

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_previousDir;
    CapturingPlatform m_platform;
    NetworkPlatform *m_previousPlatform = nullptr;
};
