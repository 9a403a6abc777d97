// Which language the program starts in (command line, "config.cfg", system
// locale), which message file it loads for it, the two language actions, and
// that a switch re-applies the texts of every open window.

#include "../support/devsim.h"

#include "windowfixture.h"

#include "forms/aboutboxform.h"
#include "forms/deviceupdating.h"
#include "forms/windowflags.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTest>

namespace {

const QString Config = QStringLiteral("config.cfg");
const QString FindAllEnglish = QStringLiteral("Find All");
const QString FindAllChinese = QStringLiteral("查找全部");

// Counts the language-change notifications a widget receives.
class LanguageChangeCounter : public QObject
{
public:
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::LanguageChange)
            ++count;
        return false;
    }
};

QByteArray recordWithCode(const QByteArray &code)
{
    return WindowFixture::record({ 0, 1, 2, 3, 4, 5, 6, 7, 8 }, QList<int>(9, 80), code);
}

void settle()
{
    // Language changes arrive as posted events.
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

} // namespace

class tst_Language : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void startUp_data();
    void startUp();

    void switchReappliesTextsOfEveryWindow();
    void switchToCurrentLanguageLoadsNothing_data();
    void switchToCurrentLanguageLoadsNothing();
    void detectFollowsTheLocale();
    void translatorInstalledOnce();

    void unusableMessageFile_data();
    void unusableMessageFile();

private:
    void putMessageFiles();
    WindowFixture f;
};

void tst_Language::initTestCase()
{
    // The program broadcasts its discovery query at start-up.
    ZOL_REQUIRE_NETNS();
}

void tst_Language::init()
{
    QVERIFY(f.begin());
}

void tst_Language::cleanup()
{
    QVERIFY2(f.messages.isEmpty(), qPrintable(f.messages.join(QLatin1String(" | "))));
    f.end();
}

void tst_Language::putMessageFiles()
{
    QVERIFY(f.copyMessageFile(QStringLiteral("qrt_c.qm"), QStringLiteral("qrt_c.qm")));
    QVERIFY(f.copyMessageFile(QStringLiteral("qrt_en.qm"), QStringLiteral("qrt_en.qm")));
}

void tst_Language::startUp_data()
{
    QTest::addColumn<QByteArray>("file");       // "-" for no file
    QTest::addColumn<QString>("commandLine");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("chineseFileAs"); // a Chinese message file under this name
    QTest::addColumn<QString>("language");
    QTest::addColumn<bool>("englishOn");
    QTest::addColumn<bool>("chineseOn");
    QTest::addColumn<bool>("chineseTexts");

    const QByteArray none("-");
    const QString noSwitch;
    const QString noExtra;

    QTest::newRow("first run follows the locale, not the command line")
            << none << QStringLiteral("c") << QStringLiteral("en") << noExtra
            << QStringLiteral("en") << true << false << false;
    QTest::newRow("first run with locale c")
            << none << noSwitch << QStringLiteral("c") << noExtra
            << QStringLiteral("c") << false << true << true;
    QTest::newRow("first run without a locale")
            << none << QStringLiteral("c") << QStringLiteral("C") << noExtra
            << QStringLiteral("C") << false << false << false;
    QTest::newRow("an empty file counts as a first run")
            << QByteArray() << QStringLiteral("c") << QStringLiteral("en") << noExtra
            << QStringLiteral("en") << true << false << false;
    QTest::newRow("second run: the command line wins")
            << recordWithCode("en") << QStringLiteral("c") << QStringLiteral("en") << noExtra
            << QStringLiteral("c") << false << true << true;
    QTest::newRow("second run: English on the command line over stored c")
            << recordWithCode("c") << QStringLiteral("en") << QStringLiteral("c") << noExtra
            << QStringLiteral("en") << true << false << false;
    QTest::newRow("stored c without a switch")
            << recordWithCode("c") << noSwitch << QStringLiteral("en") << noExtra
            << QStringLiteral("c") << false << true << true;
    QTest::newRow("stored en without a switch")
            << recordWithCode("en") << noSwitch << QStringLiteral("c") << noExtra
            << QStringLiteral("en") << true << false << false;
    QTest::newRow("stored de: English action, qrt_de attempted")
            << recordWithCode("de") << noSwitch << QStringLiteral("c") << QStringLiteral("qrt_de.qm")
            << QStringLiteral("de") << true << false << true;
    QTest::newRow("stored de without qrt_de")
            << recordWithCode("de") << noSwitch << QStringLiteral("c") << noExtra
            << QStringLiteral("de") << true << false << false;
    QTest::newRow("switch de: English action, qrt_de attempted")
            << recordWithCode("c") << QStringLiteral("de") << QStringLiteral("c")
            << QStringLiteral("qrt_de.qm") << QStringLiteral("de") << true << false << true;
    QTest::newRow("short file: no code, English action")
            << recordWithCode("en").left(40) << noSwitch << QStringLiteral("c") << noExtra
            << QString() << true << false << false;
    QTest::newRow("locale en_US: neither action, qrt_en_US attempted")
            << none << noSwitch << QStringLiteral("en_US") << QStringLiteral("qrt_en_US.qm")
            << QStringLiteral("en_US") << false << false << true;
    QTest::newRow("locale en_US falls back to qrt_en")
            << none << noSwitch << QStringLiteral("en_US") << QStringLiteral("qrt_en.qm")
            << QStringLiteral("en_US") << false << false << true;
    QTest::newRow("locale zh_CN is not c")
            << none << noSwitch << QStringLiteral("zh_CN") << noExtra
            << QStringLiteral("zh_CN") << false << false << false;
}

void tst_Language::startUp()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, commandLine);
    QFETCH(QString, locale);
    QFETCH(QString, chineseFileAs);
    QFETCH(QString, language);
    QFETCH(bool, englishOn);
    QFETCH(bool, chineseOn);
    QFETCH(bool, chineseTexts);

    putMessageFiles();
    if (!chineseFileAs.isEmpty())
        QVERIFY(f.copyMessageFile(QStringLiteral("qrt_c.qm"), chineseFileAs));
    if (file != "-")
        QVERIFY(f.writeFile(Config, file));
    CurrentLanguage = commandLine;
    SetSystemLocaleNameOverride(locale);

    {
        auto w = f.makeWindow();
        w->MenuInit(true);
        settle();

        QCOMPARE(CurrentLanguage, language);
        QCOMPARE(w->MEnglish->isChecked(), englishOn);
        QCOMPARE(w->MChinese->isChecked(), chineseOn);
        QCOMPARE(w->Find_All->text(), chineseTexts ? FindAllChinese : FindAllEnglish);
        QCOMPARE(w->windowTitle(),
                 chineseTexts ? QStringLiteral("ZOL 客户端") : QStringLiteral("ZOL Client"));
    }
    // The code in force is what the next run finds.
    QCOMPARE(f.readFile(Config).mid(64, language.size()), language.toLatin1());
    if (!language.isEmpty() && language.size() < 4)
        QCOMPARE(f.readFile(Config).at(64 + language.size()), '\0');
}

void tst_Language::switchReappliesTextsOfEveryWindow()
{
    putMessageFiles();
    SetSystemLocaleNameOverride(QStringLiteral("en"));
    auto w = f.makeWindow();
    w->MenuInit(true);
    w->show();
    aboutboxform about(w.get(), nullptr, false, DialogWindowFlags());
    about.show();
    Device_Updating progress(w.get(), nullptr, false, DialogWindowFlags());
    progress.show();
    settle();
    QCOMPARE(w->Find_All->text(), FindAllEnglish);

    w->Chinese();
    settle();
    QCOMPARE(CurrentLanguage, QStringLiteral("c"));
    QVERIFY(!w->MEnglish->isChecked());
    QVERIFY(w->MChinese->isChecked());
    // The caption comes from the controller's own context.
    QCOMPARE(w->windowTitle(), QStringLiteral("ZOL 客户端"));
    QCOMPARE(w->MainList->headerItem()->text(0), QStringLiteral("设备类型"));
    QCOMPARE(w->MainList->headerItem()->text(8), QStringLiteral("位置"));
    QCOMPARE(w->Find_All->text(), FindAllChinese);
    QCOMPARE(w->Exit->text(), QStringLiteral("退出"));
    QCOMPARE(w->HelpMenu->title(), QStringLiteral("帮助(&H)"));
    // The shortcuts stay on the same keys.
    QCOMPARE(w->Find_All->shortcut(), QKeySequence(Qt::Key_F));
    QCOMPARE(w->Edit->shortcut(), QKeySequence(Qt::Key_E));
    QCOMPARE(w->Exit->shortcut(), QKeySequence(Qt::Key_Escape));
    QCOMPARE(w->EditDialog.windowTitle(), QStringLiteral("编辑网络配置"));
    QCOMPARE(w->EditDialog.textLabel2_2->text(), QStringLiteral("IP 地址："));
    QCOMPARE(w->EditDialog.ResetIP->text(), QStringLiteral("续订租约"));
    QCOMPARE(about.windowTitle(), QStringLiteral("关于 ZOL 客户端"));
    QCOMPARE(progress.windowTitle(), QStringLiteral("请稍候"));
    QCOMPARE(QCoreApplication::translate("Edit_Network_Configuration", "Invalid IP Address."),
             QStringLiteral("IP 地址无效。"));

    w->English();
    settle();
    QCOMPARE(CurrentLanguage, QStringLiteral("en"));
    QVERIFY(w->MEnglish->isChecked());
    QVERIFY(!w->MChinese->isChecked());
    QCOMPARE(w->windowTitle(), QStringLiteral("ZOL Client"));
    QCOMPARE(w->MainList->headerItem()->text(1), QStringLiteral("Serial Number "));
    QCOMPARE(w->Find_All->text(), FindAllEnglish);
    QCOMPARE(w->EditDialog.textLabel2_2->text(), QStringLiteral("IP Address :"));
    QCOMPARE(about.windowTitle(), QStringLiteral("About ZOL Client"));
    QCOMPARE(progress.windowTitle(), QStringLiteral("Please Wait"));
}

void tst_Language::switchToCurrentLanguageLoadsNothing_data()
{
    QTest::addColumn<bool>("chinese");
    QTest::newRow("English while en") << false;
    QTest::newRow("Chinese while c") << true;
}

void tst_Language::switchToCurrentLanguageLoadsNothing()
{
    QFETCH(bool, chinese);

    putMessageFiles();
    QVERIFY(f.writeFile(Config, recordWithCode(chinese ? "c" : "en")));
    auto w = f.makeWindow();
    w->MenuInit(true);
    settle();
    const QString textBefore = w->Find_All->text();
    QCOMPARE(textBefore, chinese ? FindAllChinese : FindAllEnglish);

    // Had the file been loaded again, this swapped one would show.
    QVERIFY(f.copyMessageFile(chinese ? QStringLiteral("qrt_en.qm") : QStringLiteral("qrt_c.qm"),
                              chinese ? QStringLiteral("qrt_c.qm") : QStringLiteral("qrt_en.qm")));
    LanguageChangeCounter counter;
    w->installEventFilter(&counter);
    // The actions' states are set again even if something changed them.
    w->MEnglish->setChecked(chinese);
    w->MChinese->setChecked(!chinese);

    if (chinese)
        w->Chinese();
    else
        w->English();
    settle();

    QCOMPARE(counter.count, 0);
    QCOMPARE(w->Find_All->text(), textBefore);
    QCOMPARE(w->MEnglish->isChecked(), !chinese);
    QCOMPARE(w->MChinese->isChecked(), chinese);
    QCOMPARE(CurrentLanguage, chinese ? QStringLiteral("c") : QStringLiteral("en"));
}

void tst_Language::detectFollowsTheLocale()
{
    putMessageFiles();
    QVERIFY(f.writeFile(Config, recordWithCode("en")));
    auto w = f.makeWindow();
    w->MenuInit(true);
    settle();
    QCOMPARE(w->Find_All->text(), FindAllEnglish);

    SetSystemLocaleNameOverride(QStringLiteral("c"));
    w->Detect();
    settle();
    QCOMPARE(CurrentLanguage, QStringLiteral("c"));
    QVERIFY(w->MChinese->isChecked());
    QVERIFY(!w->MEnglish->isChecked());
    QCOMPARE(w->Find_All->text(), FindAllChinese);

    // A locale that is neither code: both actions off, and the Chinese texts
    // go, since no file is found for it.
    SetSystemLocaleNameOverride(QStringLiteral("fr_FR"));
    w->Detect();
    settle();
    QCOMPARE(CurrentLanguage, QStringLiteral("fr_FR"));
    QVERIFY(!w->MChinese->isChecked());
    QVERIFY(!w->MEnglish->isChecked());
    QCOMPARE(w->Find_All->text(), FindAllEnglish);
}

void tst_Language::translatorInstalledOnce()
{
    // A translator that counts how often it is asked.
    class CountingTranslator : public QTranslator
    {
    public:
        mutable int asked = 0;
        QString translate(const char *context, const char *sourceText, const char *disambiguation,
                          int n) const override
        {
            ++asked;
            return QTranslator::translate(context, sourceText, disambiguation, n);
        }
    };
    QCoreApplication::removeTranslator(AppTranslator);
    delete AppTranslator;
    auto *counting = new CountingTranslator;
    AppTranslator = counting;
    QCoreApplication::installTranslator(AppTranslator);

    putMessageFiles();
    auto w = f.makeWindow();
    w->MenuInit(true);
    w->Chinese();
    w->English();
    w->Detect();
    w->Chinese();
    settle();
    QCOMPARE(w->Find_All->text(), FindAllChinese);

    // Installed twice, it would be asked once per copy.
    counting->asked = 0;
    QCOMPARE(QCoreApplication::translate("nowhere", "no such text"), QStringLiteral("no such text"));
    QCOMPARE(counting->asked, 1);
}

void tst_Language::unusableMessageFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("missing") << QStringLiteral("missing");
    QTest::newRow("empty") << QStringLiteral("empty");
    QTest::newRow("random bytes") << QStringLiteral("random");
    QTest::newRow("message file header, then random bytes") << QStringLiteral("header");
    QTest::newRow("cut in half") << QStringLiteral("half");
    QTest::newRow("a directory") << QStringLiteral("directory");
}

void tst_Language::unusableMessageFile()
{
    QFETCH(QString, kind);

    putMessageFiles();
    SetSystemLocaleNameOverride(QStringLiteral("c"));
    auto w = f.makeWindow();
    w->MenuInit(true);
    settle();
    QCOMPARE(w->Find_All->text(), FindAllChinese);

    // Spoil the English file, then switch to it.
    const QString name = QStringLiteral("qrt_en.qm");
    const QByteArray good = f.readFile(name);
    QVERIFY(QFile::remove(name));
    QRandomGenerator gen(11);
    QByteArray noise(3000, '\0');
    for (char &c : noise)
        c = char(gen.bounded(256));
    if (kind == QLatin1String("empty"))
        QVERIFY(f.writeFile(name, QByteArray()));
    else if (kind == QLatin1String("random"))
        QVERIFY(f.writeFile(name, noise));
    else if (kind == QLatin1String("header"))
        QVERIFY(f.writeFile(name, good.left(16) + noise));
    else if (kind == QLatin1String("half"))
        QVERIFY(f.writeFile(name, good.left(good.size() / 2)));
    else if (kind == QLatin1String("directory"))
        QVERIFY(QDir().mkdir(name));

    w->English();
    settle();
    QCOMPARE(CurrentLanguage, QStringLiteral("en"));
    QVERIFY(w->MEnglish->isChecked());
    QVERIFY(!w->MChinese->isChecked());
    // No usable file: the source texts show, not the Chinese ones of before.
    QCOMPARE(w->Find_All->text(), FindAllEnglish);
    QCOMPARE(w->windowTitle(), QStringLiteral("ZOL Client"));
}

QTEST_MAIN(tst_Language)
#include "tst_language.moc"
