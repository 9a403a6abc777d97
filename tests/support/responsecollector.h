#pragma once

#include "net/deviceresponseevent.h"

#include <QEvent>
#include <QList>
#include <QObject>
#include <QStringList>

// Stands for the receiver's owner: keeps the type of every custom event it
// gets and the text of every device answer, in arrival order.
class ResponseCollector final : public QObject
{
public:
    QStringList texts;
    QList<int> types;

protected:
    void customEvent(QEvent *event) override
    {
        types << int(event->type());
        if (event->type() == DeviceResponseEvent::eventType())
            texts << static_cast<DeviceResponseEvent *>(event)->text();
    }
};
