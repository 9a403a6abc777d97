#include "zolctl/listener.h"

#include "net/responsesocket.h"

#include <QDeadlineTimer>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

namespace {

// Datagrams read with one system call, and read at the most before the
// caller looks at its deadline and condition again.
constexpr int BatchSize = 64;
constexpr int MaxBatchesPerTurn = 16;

} // namespace

Listener::Listener()
    : m_socket(ResponseSocket::open())
{
}

Listener::~Listener()
{
    if (m_socket >= 0)
        ::close(m_socket);
}

bool Listener::listen(int waitMs, const std::function<bool()> &done)
{
    if (m_socket < 0)
        return done && done();
    // The socket is read on this thread, in batches, whenever it has
    // something: no hand-over between threads and no wake-up per datagram.
    const QDeadlineTimer deadline(waitMs, Qt::PreciseTimer);
    for (;;) {
        const bool more = takeQueued();
        if (done && done())
            return true;
        if (deadline.hasExpired())
            break;
        if (more)
            continue;
        // Rounded up: a poll that returns early would only spin.
        const qint64 remainingNs = deadline.remainingTimeNSecs();
        pollfd p{m_socket, POLLIN, 0};
        ::poll(&p, 1, static_cast<int>((remainingNs + 999999) / 1000000));
    }
    // What is queued now arrived in time.
    const QDeadlineTimer drain(MaxDrainMs);
    while (takeQueued() && !drain.hasExpired()) {
        if (done && done())
            return true;
    }
    return done && done();
}

bool Listener::takeQueued()
{
    char buffers[BatchSize][MaxDatagramText];
    sockaddr_in sources[BatchSize];
    iovec parts[BatchSize];
    mmsghdr messages[BatchSize];
    for (int batch = 0; batch < MaxBatchesPerTurn; ++batch) {
        for (int i = 0; i < BatchSize; ++i) {
            parts[i] = iovec{buffers[i], sizeof buffers[i]};
            messages[i] = mmsghdr{};
            messages[i].msg_hdr.msg_name = &sources[i];
            messages[i].msg_hdr.msg_namelen = sizeof sources[i];
            messages[i].msg_hdr.msg_iov = &parts[i];
            messages[i].msg_hdr.msg_iovlen = 1;
        }
        const int received = ::recvmmsg(m_socket, messages, BatchSize, MSG_DONTWAIT, nullptr);
        if (received < 0)
            return errno == EINTR;
        for (int i = 0; i < received; ++i) {
            const sockaddr_in &source = sources[i];
            const bool known = messages[i].msg_hdr.msg_namelen >= sizeof source && source.sin_family == AF_INET;
            takeDatagram(buffers[i], ResponseSocket::textLength(buffers[i], messages[i].msg_len),
                         known ? ntohl(source.sin_addr.s_addr) : 0);
        }
        if (received < BatchSize)
            return false;
    }
    return true;
}

void Listener::expectVerdictFrom(const QString &mac)
{
    m_verdictMac = mac;
    m_verdict.reset();
}

void Listener::takeDatagram(const char *data, qsizetype length, quint32 from)
{
    if (length < 5)
        return;
    const auto repeated = m_macOfAnswer.constFind(QByteArray::fromRawData(data, length));
    if (repeated != m_macOfAnswer.cend()) {
        if (const auto device = m_devices.find(*repeated); device != m_devices.end())
            device->from = from;
        return;
    }
    const QString text = QString::fromLatin1(data, length);
    FieldReader reader(text);
    QStringView keyword;
    reader.nextFieldView(&keyword);
    if (keyword == ReadResponseKeyword())
        takeReadResponse(QByteArray(data, length), text, from);
    else if (keyword == WriteResponseKeyword())
        takeWriteResponse(text);
}

void Listener::takeReadResponse(const QByteArray &bytes, const QString &text, quint32 from)
{
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
    } else {
        m_macOfAnswer.remove(known->answer);
    }
    known->texts = DeviceDisplayTexts(response);
    known->from = from;
    known->answer = bytes;
    m_macOfAnswer.insert(known->answer, response.mac);
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
