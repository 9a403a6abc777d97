#include "zolctl/listener.h"

#include "net/deviceresponseevent.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

Listener::Listener()
    : m_receiver(this)
{
    if (m_receiver.isBound())
        m_receiver.start();
}

Listener::~Listener() = default;

bool Listener::listen(int waitMs, const std::function<bool()> &done)
{
    // Answers are taken in batches between short sleeps rather than each as
    // it is posted: during a burst, waking up for every answer costs more
    // than reading it.
    const QDeadlineTimer deadline(waitMs, Qt::PreciseTimer);
    for (;;) {
        const qint64 handled = m_handled;
        QCoreApplication::sendPostedEvents(this, DeviceResponseEvent::eventType());
        if (done && done())
            return true;
        if (deadline.hasExpired())
            break;
        const qint64 pause = m_handled != handled ? BusyPauseMs : IdlePauseMs;
        QThread::msleep(static_cast<unsigned long>(qMin(pause, deadline.remainingTime())));
    }
    // Answers that arrived in time may still be on their way through the
    // receiver, or held back in the socket's queue while it waits for these.
    const QDeadlineTimer drain(MaxDrainMs);
    while ((DeviceResponseEvent::alive() > 0 || m_receiver.holdingBack()) && !drain.hasExpired()) {
        QCoreApplication::sendPostedEvents(this, DeviceResponseEvent::eventType());
        if (done && done())
            return true;
        QThread::msleep(BusyPauseMs);
    }
    return done && done();
}

void Listener::expectVerdictFrom(const QString &mac)
{
    m_verdictMac = mac;
    m_verdict.reset();
}

void Listener::customEvent(QEvent *event)
{
    if (event->type() != DeviceResponseEvent::eventType())
        return;
    const auto *answer = static_cast<DeviceResponseEvent *>(event);
    ++m_handled;
    const QString &text = answer->text();
    if (text.size() < 5)
        return;
    FieldReader reader(text);
    QStringView keyword;
    reader.nextFieldView(&keyword);
    if (keyword == ReadResponseKeyword())
        takeReadResponse(text, answer->sourceIPv4());
    else if (keyword == WriteResponseKeyword())
        takeWriteResponse(text);
}

void Listener::takeReadResponse(const QString &text, quint32 from)
{
    // The same device heard through two adapters repeats itself word for
    // word: then only where it came from may be new.
    {
        FieldReader reader(text);
        QStringView mac;
        for (int field = 0; field < 5; ++field)
            reader.nextFieldView(&mac);
        const auto known = m_devices.find(QString::fromRawData(mac.data(), mac.size()));
        if (known != m_devices.end() && known->answer == text) {
            known->from = from;
            return;
        }
    }
    ReadResponse response;
    if (!ParseReadResponse(text, &response))
        return;
    auto known = m_devices.find(response.mac);
    if (known == m_devices.end()) {
        if (m_devices.size() >= MaxDevices) {
            m_capped = true;
            return;
        }
        known = m_devices.insert(response.mac, DeviceEntry{});
    }
    known->texts = DeviceDisplayTexts(response);
    known->from = from;
    known->answer = text;
}

void Listener::takeWriteResponse(const QString &text)
{
    WriteResponse response;
    if (m_verdict || m_verdictMac.isEmpty() || !ParseWriteResponse(text, &response))
        return;
    if (response.mac != m_verdictMac)
        return;
    if (IsWriteAccepted(response) || !WriteRefusalMessage(response.status).isEmpty())
        m_verdict = response;
}
