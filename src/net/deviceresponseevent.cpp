#include "net/deviceresponseevent.h"

QEvent::Type DeviceResponseEvent::eventType()
{
    // Reserved once, so that no other code is handed the same number.
    static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType(TypeNumber));
    return type;
}
