// The message files must keep up with the code: every translatable text the
// sources hold needs a finished translation, and nothing else may be there
// (a stray entry in the main window's context would translate device data).

#include <QDir>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <QXmlStreamReader>

namespace {

struct Entry
{
    QString translation;
    QString type; // "unfinished", "vanished", "obsolete" or empty
};

// (context, source) -> entry
using Catalogue = QHash<QPair<QString, QString>, Entry>;

bool readTs(const QString &path, Catalogue &out, QString &error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return false;
    }
    QXmlStreamReader xml(&file);
    QString context;
    QString source;
    Entry entry;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        const auto name = xml.name();
        if (name == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (name == QLatin1String("message")) {
            source.clear();
            entry = Entry();
        } else if (name == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (name == QLatin1String("translation")) {
            entry.type = xml.attributes().value(QLatin1String("type")).toString();
            entry.translation = xml.readElementText();
            const QPair<QString, QString> key(context, source);
            if (out.contains(key)) {
                error = QStringLiteral("duplicate entry %1 / %2").arg(context, source);
                return false;
            }
            out.insert(key, entry);
        }
    }
    if (xml.hasError()) {
        error = xml.errorString();
        return false;
    }
    return true;
}

QString describe(const QPair<QString, QString> &key)
{
    return key.first + QLatin1String(" / \"") + key.second + QLatin1Char('"');
}

bool hasChinese(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x4e00 && c.unicode() <= 0x9fff)
            return true;
    }
    return false;
}

} // namespace

class tst_Translations : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyTextHasAFinishedTranslation_data();
    void everyTextHasAFinishedTranslation();
    void chineseIsChinese();
    void englishIsTheSourceText();
    void compiledFilesMatch_data();
    void compiledFilesMatch();
    void deviceDataIsNotTranslated();

private:
    QString m_sourceDir;
    QString m_binDir;
    QList<QPair<QString, QString>> m_texts; // what the sources hold
};

void tst_Translations::initTestCase()
{
    m_sourceDir = qEnvironmentVariable("ZOL_SOURCE_DIR");
    m_binDir = qEnvironmentVariable("ZOL_BIN_DIR");
    QVERIFY2(!m_sourceDir.isEmpty() && !m_binDir.isEmpty(), "ZOL_SOURCE_DIR and ZOL_BIN_DIR must be set");
    const QString lupdate = qEnvironmentVariable("ZOL_LUPDATE");
    QVERIFY2(QFileInfo(lupdate).isExecutable(), "ZOL_LUPDATE must name the lupdate program");

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString scan = dir.filePath(QStringLiteral("scan.ts"));
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(lupdate, { QStringLiteral("-silent"), QStringLiteral("-no-obsolete"),
                             QStringLiteral("-locations"), QStringLiteral("none"),
                             m_sourceDir + QLatin1String("/src"), QStringLiteral("-ts"), scan });
    QVERIFY(process.waitForFinished(60000));
    QVERIFY2(process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0,
             process.readAll().constData());

    Catalogue found;
    QString error;
    QVERIFY2(readTs(scan, found, error), qPrintable(error));
    m_texts = found.keys();
    std::sort(m_texts.begin(), m_texts.end());
    // The forms alone hold dozens; an empty scan means lupdate saw nothing.
    QVERIFY2(m_texts.size() > 40, qPrintable(QString::number(m_texts.size())));
}

void tst_Translations::everyTextHasAFinishedTranslation_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("Chinese") << QStringLiteral("qrt_c.ts");
    QTest::newRow("English") << QStringLiteral("qrt_en.ts");
}

void tst_Translations::everyTextHasAFinishedTranslation()
{
    QFETCH(QString, file);

    Catalogue committed;
    QString error;
    QVERIFY2(readTs(m_sourceDir + QLatin1String("/translations/") + file, committed, error),
             qPrintable(error));

    QStringList problems;
    for (const auto &key : std::as_const(m_texts)) {
        const auto it = committed.constFind(key);
        if (it == committed.cend())
            problems << QLatin1String("missing: ") + describe(key);
        else if (!it->type.isEmpty() || it->translation.isEmpty())
            problems << QLatin1String("not finished: ") + describe(key);
    }
    for (auto it = committed.cbegin(); it != committed.cend(); ++it) {
        if (!m_texts.contains(it.key()))
            problems << QLatin1String("no such text in the sources: ") + describe(it.key());
    }
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
}

void tst_Translations::chineseIsChinese()
{
    Catalogue zh;
    QString error;
    QVERIFY2(readTs(m_sourceDir + QLatin1String("/translations/qrt_c.ts"), zh, error),
             qPrintable(error));

    // Shortcut keys stay the same keys; language names stay in their own
    // language; the rest must read as Chinese.
    const QHash<QPair<QString, QString>, QString> fixed{
        { { QStringLiteral("Zol_ClientMainWindowBase"), QStringLiteral("F") }, QStringLiteral("F") },
        { { QStringLiteral("Zol_ClientMainWindowBase"), QStringLiteral("E") }, QStringLiteral("E") },
        { { QStringLiteral("Zol_ClientMainWindowBase"), QStringLiteral("Esc") }, QStringLiteral("Esc") },
        { { QStringLiteral("Zol_ClientMainWindowBase"), QStringLiteral("English") }, QStringLiteral("English") },
        { { QStringLiteral("Zol_ClientMainWindowBase"), QStringLiteral("DHCP ") }, QStringLiteral("DHCP ") },
        // A placeholder that is replaced before the dialog is shown.
        { { QStringLiteral("Device_UpdatingBase"), QStringLiteral("textLabel1") }, QStringLiteral("textLabel1") },
    };
    QStringList problems;
    for (auto it = zh.cbegin(); it != zh.cend(); ++it) {
        const auto f = fixed.constFind(it.key());
        if (f != fixed.cend()) {
            if (it->translation != *f)
                problems << QLatin1String("must stay \"") + *f + QLatin1String("\": ") + describe(it.key());
        } else if (!hasChinese(it->translation)) {
            problems << QLatin1String("not Chinese: ") + describe(it.key());
        }
        // Headings end in the same line breaks as their source.
        if (it.key().second.endsWith(QLatin1String("\n\n")) && !it->translation.endsWith(QLatin1String("\n\n")))
            problems << QLatin1String("line breaks lost: ") + describe(it.key());
    }
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
}

void tst_Translations::englishIsTheSourceText()
{
    Catalogue en;
    QString error;
    QVERIFY2(readTs(m_sourceDir + QLatin1String("/translations/qrt_en.ts"), en, error),
             qPrintable(error));
    for (auto it = en.cbegin(); it != en.cend(); ++it)
        QVERIFY2(it->translation == it.key().second, qPrintable(describe(it.key())));
}

void tst_Translations::compiledFilesMatch_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("Chinese") << QStringLiteral("c");
    QTest::newRow("English") << QStringLiteral("en");
}

void tst_Translations::compiledFilesMatch()
{
    QFETCH(QString, name);

    Catalogue committed;
    QString error;
    QVERIFY2(readTs(m_sourceDir + QLatin1String("/translations/qrt_") + name + QLatin1String(".ts"),
                    committed, error),
             qPrintable(error));
    // Loaded the way the program loads it: by name, from the program's folder.
    QTranslator translator;
    QVERIFY(translator.load(QLatin1String("qrt_") + name, m_binDir));
    QVERIFY(!translator.isEmpty());
    for (const auto &key : std::as_const(m_texts)) {
        const QString got = translator.translate(key.first.toUtf8().constData(),
                                                 key.second.toUtf8().constData());
        QVERIFY2(got == committed.value(key).translation,
                 qPrintable(describe(key) + QLatin1String(" -> ") + got));
    }
}

void tst_Translations::deviceDataIsNotTranslated()
{
    // The main window passes device fields through its translation as well;
    // values a device sends must come back as they are.
    QTranslator translator;
    QVERIFY(translator.load(QStringLiteral("qrt_c"), m_binDir));
    for (const char *text : { "VRD Module", "192.168.1.10", "00:11:22:33:44:55", "TRUE", "Lab_1",
                              "Device Type", "Location", "Name " }) {
        QVERIFY2(translator.translate("Zol_ClientMainWindow", text).isEmpty(), text);
    }
    // The context itself is there.
    QCOMPARE(translator.translate("Zol_ClientMainWindow", "ZOL Client"), QStringLiteral("ZOL 客户端"));
}

QTEST_GUILESS_MAIN(tst_Translations)
#include "tst_translations.moc"
