#pragma once

#include <QHash>
#include <QString>
#include <QTranslator>

// Translates the given source texts of one context; every other text, and
// every text of another context, has no translation.
class MapTranslator final : public QTranslator
{
public:
    explicit MapTranslator(const char *context, const QHash<QString, QString> &translations)
        : m_context(context), m_translations(translations)
    {
    }

    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *sourceText, const char *, int) const override
    {
        if (m_context != context)
            return QString();
        return m_translations.value(QString::fromUtf8(sourceText));
    }

private:
    QByteArray m_context;
    QHash<QString, QString> m_translations;
};
