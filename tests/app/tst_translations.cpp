// Every translatable text the sources hold needs a finished Chinese
// translation: lupdate lists the texts, the committed message file must hold
// them all.
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

namespace {
// "context / source" of every message (with finishedOnly, of every message
// with a finished, non-empty translation).
QSet<QString> messages(const QString &path, bool finishedOnly)
{
    QSet<QString> result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return result;
    QXmlStreamReader xml(&file);
    QString context, source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("name"))
            context = xml.readElementText();
        else if (xml.name() == QLatin1String("source"))
            source = xml.readElementText();
        else if (xml.name() == QLatin1String("translation")) {
            const bool unfinished = !xml.attributes().value(QLatin1String("type")).isEmpty();
            const bool empty = xml.readElementText().isEmpty();
            if (!finishedOnly || !(unfinished || empty))
                result << context + QLatin1String(" / ") + source;
        }
    }
    return result;
}
} // namespace

class tst_Translations : public QObject
{
    Q_OBJECT

private slots:
    void everyTextHasAChineseTranslation();
};

void tst_Translations::everyTextHasAChineseTranslation()
{
    const QString sources = qEnvironmentVariable("ZOL_SOURCE_DIR");
    QTemporaryDir dir;
    const QString scan = dir.filePath(QStringLiteral("scan.ts"));
    QProcess lupdate;
    lupdate.setProcessChannelMode(QProcess::ForwardedChannels);
    lupdate.start(qEnvironmentVariable("ZOL_LUPDATE"), {QStringLiteral("-silent"), QStringLiteral("-no-obsolete"),
                                                        sources + QLatin1String("/src"), QStringLiteral("-ts"), scan});
    QVERIFY(lupdate.waitForFinished(60000) && lupdate.exitCode() == 0);
    QSet<QString> missing = messages(scan, false);
    QVERIFY2(missing.size() > 40, "lupdate found the texts");
    missing -= messages(sources + QLatin1String("/translations/qrt_c.ts"), true);
    QVERIFY2(missing.isEmpty(), qPrintable(missing.values().join(u'\n')));
}

QTEST_APPLESS_MAIN(tst_Translations)
#include "tst_translations.moc"
