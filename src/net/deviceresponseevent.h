#pragma once

#include <QEvent>
#include <QString>

// One received datagram's text, posted by the receiver thread to its owner.
class DeviceResponseEvent final : public QEvent
{
public:
    static constexpr int TypeNumber = 12345;
    static QEvent::Type eventType();

    explicit DeviceResponseEvent(QString text)
        : QEvent(eventType()), m_text(std::move(text)) {}

    const QString &text() const { return m_text; }

private:
    QString m_text;
};
