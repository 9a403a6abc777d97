// SPDX-License-Identifier: Apache-2.0
#include "net/receivethread.h"

#include "net/deviceresponseevent.h"
#include "net/responsesocket.h"

#include <QCoreApplication>

#include <linux/sock_diag.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

namespace {

// The loop looks at stopRequested at least this often, even when nothing
// wakes it.
constexpr int PollIntervalMs = 250;

// Answers waiting for the GUI thread at the most while the kernel's queue has
// room: the GUI thread handles everything queued when it starts on its posted
// events, so a short queue lets it paint and take input between batches
// during a burst instead of working through thousands of answers at once.
constexpr int MaxQueuedAnswers = 256;
// Held-back answers are read again once the GUI thread is half-way through
// the queue, so that it never runs dry during a burst; the kernel's queue and
// stopRequested are looked at again at least this often.
constexpr int ResumeBelow = MaxQueuedAnswers / 2;
constexpr int HoldBackCheckMs = 20;
// Past the hard bound (DeviceResponseEvent::MaxWaiting) reading resumes once
// a quarter of the queue has been handled.
constexpr int ResumeBelowBound = DeviceResponseEvent::MaxWaiting / 4 * 3;

// True while the socket's kernel queue is less than half full, so that the
// thread may leave datagrams there a little longer. Unknown counts as full:
// then nothing is held back.
bool kernelQueueHasRoom(int fd)
{
    std::uint32_t info[SK_MEMINFO_VARS] = {};
    socklen_t length = sizeof info;
    if (::getsockopt(fd, SOL_SOCKET, SO_MEMINFO, info, &length) != 0
        || length < sizeof(std::uint32_t) * (SK_MEMINFO_RCVBUF + 1))
        return false;
    return info[SK_MEMINFO_RMEM_ALLOC] < info[SK_MEMINFO_RCVBUF] / 2;
}

} // namespace

ReceiveThread::ReceiveThread(QObject *owner)
    : owner(owner)
{
    DeviceResponseEvent::eventType();
    // Bound here rather than on the new thread: the first query leaves right
    // after start(), and answers arriving before a late bind would be lost.
    m_socket.store(ResponseSocket::open());
}

ReceiveThread::~ReceiveThread()
{
    stopRequested = true;
    // The socket stays open until the thread has finished, so waking it by
    // shutting the socket down can never hit a descriptor reused elsewhere.
    const int fd = m_socket.load();
    if (fd >= 0)
        ::shutdown(fd, SHUT_RDWR);
    wait(2000);
    const int left = m_socket.exchange(-1);
    if (left >= 0 && !isRunning())
        ::close(left);
}

void ReceiveThread::run()
{
    const int fd = m_socket.load();
    if (fd < 0) {
        emit bindFailed();
        return;
    }

    // A burst is read in batches and handed over in one go, so that the GUI
    // thread wakes once for many answers.
    ResponseSocket::Batch batch;
    // The last read filled its batch: more are likely queued, no need to wait.
    bool more = false;
    while (!stopRequested) {
        if (!more) {
            pollfd p{fd, POLLIN, 0};
            const int ready = ::poll(&p, 1, PollIntervalMs);
            if (stopRequested)
                break;
            if (ready == 0 || (ready < 0 && errno == EINTR))
                continue;
            if (ready < 0)
                break;
        }
        more = false;
        const int waiting = DeviceResponseEvent::alive();
        if (waiting >= MaxQueuedAnswers && kernelQueueHasRoom(fd)) {
            DeviceResponseEvent::waitUntilFewerAlive(ResumeBelow, HoldBackCheckMs);
            continue;
        }
        // A flood is left to the socket's buffer (which drops what does not
        // fit) rather than queued without end, even when that buffer is full.
        if (waiting >= DeviceResponseEvent::MaxWaiting) {
            DeviceResponseEvent::waitUntilFewerAlive(ResumeBelowBound, HoldBackCheckMs);
            continue;
        }

        const int room = (waiting < MaxQueuedAnswers ? MaxQueuedAnswers : DeviceResponseEvent::MaxWaiting) - waiting;
        const int wanted = qMin(room, ResponseSocket::Batch::Size);
        const int received = batch.receive(fd, wanted);
        if (received < 0) {
            if (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK)
                continue;
            break;
        }
        for (int i = 0; i < received; ++i)
            QCoreApplication::postEvent(owner, new DeviceResponseEvent(QString::fromLatin1(batch.text(i))));
        more = received == wanted;
    }
}
