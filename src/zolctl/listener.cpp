#include "zolctl/listener.h"

#include "net/responsesocket.h"

#include <QDeadlineTimer>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

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

DeviceTexts DeviceEntry::texts() const
{
    ReadResponse response;
    ParseReadResponse(QString::fromLatin1(answer), &response);
    return DeviceDisplayTexts(response);
}

size_t qHash(Listener::TextKey key, size_t seed) noexcept
{
    // Qt's own hash of bytes is a keyed SipHash: sound, but the larger part
    // of handling a repeated answer. This multiply-and-mix hash is several
    // times faster, and its start from Qt's random seed still keeps made-up
    // answers from being chosen to collide.
    constexpr quint64 Multiplier = 0x9e3779b97f4a7c15ULL;
    quint64 h = quint64(seed) ^ (quint64(key.size) * Multiplier);
    qsizetype i = 0;
    for (; i + 8 <= key.size; i += 8) {
        quint64 word;
        std::memcpy(&word, key.data + i, 8);
        h = (h ^ word) * Multiplier;
        h ^= h >> 29;
    }
    quint64 tail = 0;
    std::memcpy(&tail, key.data + i, size_t(key.size - i));
    h = (h ^ tail) * Multiplier;
    h ^= h >> 32;
    return size_t(h);
}

const DeviceEntry *Listener::device(const QString &mac) const
{
    const QByteArray bytes = mac.toLatin1();
    // A character beyond Latin-1 can't be in a received text.
    if (QString::fromLatin1(bytes) != mac)
        return nullptr;
    const auto found = m_byMac.constFind(TextKey{bytes.constData(), bytes.size()});
    return found == m_byMac.cend() ? nullptr : &m_devices[size_t(*found)];
}

void Listener::takeDatagram(const char *data, qsizetype length, quint32 from)
{
    if (length < 5)
        return;
    const auto repeated = m_byAnswer.constFind(TextKey{data, length});
    if (repeated != m_byAnswer.cend()) {
        m_devices[size_t(*repeated)].from = from;
        return;
    }
    const QString text = QString::fromLatin1(data, length);
    FieldReader reader(text);
    QStringView keyword;
    reader.nextFieldView(&keyword);
    if (keyword == ReadResponseKeyword())
        takeReadResponse(text, data, from);
    else if (keyword == WriteResponseKeyword())
        takeWriteResponse(text);
}

void Listener::takeReadResponse(const QString &text, const char *data, quint32 from)
{
    // The MAC address is the fifth field, as the full reading finds it; a
    // Latin-1 text has its characters where its bytes are.
    FieldReader reader(text);
    QStringView mac;
    for (int field = 0; field < 5; ++field)
        reader.nextFieldView(&mac);
    const qsizetype macAt = mac.isEmpty() ? 0 : mac.data() - text.constData();
    const auto known = m_byMac.constFind(TextKey{data + macAt, mac.size()});
    qsizetype index;
    if (known == m_byMac.cend()) {
        if (deviceCount() >= MaxDevices) {
            m_capped = true;
            return;
        }
        index = deviceCount();
        m_devices.emplace_back();
    } else {
        // Its keys point into the answer about to be replaced.
        index = *known;
        const DeviceEntry &old = m_devices[size_t(index)];
        m_byAnswer.remove(TextKey{old.answer.constData(), old.answer.size()});
        m_byMac.remove(TextKey{old.answer.constData() + old.macAt, old.macSize});
    }
    DeviceEntry &device = m_devices[size_t(index)];
    device.answer = QByteArray(data, text.size());
    device.macAt = macAt;
    device.macSize = mac.size();
    device.from = from;
    m_byAnswer.insert(TextKey{device.answer.constData(), device.answer.size()}, index);
    m_byMac.insert(TextKey{device.answer.constData() + macAt, mac.size()}, index);
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
