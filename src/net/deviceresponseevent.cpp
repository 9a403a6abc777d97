// SPDX-License-Identifier: Apache-2.0
#include "net/deviceresponseevent.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace {

std::mutex &waitMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::condition_variable &waitCondition()
{
    static std::condition_variable condition;
    return condition;
}

} // namespace

QEvent::Type DeviceResponseEvent::eventType()
{
    // Reserved once, so that no other code is handed the same number.
    static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType(TypeNumber));
    return type;
}

void DeviceResponseEvent::waitUntilFewerAlive(int count, int timeoutMs)
{
    std::unique_lock<std::mutex> lock(waitMutex());
    // Set before the count is looked at: an event destroyed in between
    // either sees it and wakes this, or was counted already.
    s_wakeBelow.store(count);
    waitCondition().wait_for(lock, std::chrono::milliseconds(timeoutMs), [count] { return alive() < count; });
    s_wakeBelow.store(0);
}

void DeviceResponseEvent::wakeWaiting()
{
    const std::lock_guard<std::mutex> lock(waitMutex());
    waitCondition().notify_all();
}
