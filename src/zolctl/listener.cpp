#include "zolctl/listener.h"

#include "net/deviceresponseevent.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

Listener::Listener()
    : m_receiver(this)
{
    if (m_receiver.isBound())
        m_receiver.start();
}

Listener::~Listener() = default;

bool Listener::listen(int waitMs, const std::function<bool()> &done)
{
    if (done && done())
        return true;
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.setTimerType(Qt::PreciseTimer);
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    m_done = done;
    m_loop = &loop;
    deadline.start(waitMs);
    loop.exec();
    m_loop = nullptr;
    m_done = nullptr;
    // Answers already handed over when the time ran out arrived within it.
    if (!(done && done()))
        QCoreApplication::sendPostedEvents(this, DeviceResponseEvent::eventType());
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
    if (m_loop && m_done && m_done())
        m_loop->quit();
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
