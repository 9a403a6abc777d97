// SPDX-License-Identifier: Apache-2.0
// Every translatable text of the sources (as lupdate finds them) needs a
// finished Chinese translation in the committed message file.
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

namespace {
// "context / source" of each message (with finishedOnly, of each one with a
// finished, non-empty translation).
QSet<QString> messages(const QString &path, bool finishedOnly)
{
    QSet<QString> result;
    QFile file(path);
    file.open(QIODevice::ReadOnly);
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
            if (!(xml.readElementText().isEmpty() || unfinished) || !finishedOnly)
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
    void everyTextHasAChineseTranslation()
    {
        const QString sources = qEnvironmentVariable("ZOL_SOURCE_DIR");
        QTemporaryDir dir;
        const QString scan = dir.filePath(QStringLiteral("scan.ts"));
        QProcess lupdate;
        lupdate.start(qEnvironmentVariable("ZOL_LUPDATE"), {QStringLiteral("-silent"), sources + QLatin1String("/src"),
                                                            QStringLiteral("-ts"), scan});
        QVERIFY(lupdate.waitForFinished(60000) && lupdate.exitCode() == 0);
        QSet<QString> missing = messages(scan, false);
        QVERIFY2(missing.size() > 40, "lupdate found the texts");
        missing -= messages(sources + QLatin1String("/translations/qrt_c.ts"), true);
        QVERIFY2(missing.isEmpty(), qPrintable(missing.values().join(u'\n')));
    }
};

QTEST_APPLESS_MAIN(tst_Translations)
#include "tst_translations.moc"
