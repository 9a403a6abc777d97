#pragma once

#include "zolctl/listener.h"
#include "zolctl/options.h"

#include <QByteArray>
#include <QList>

// The found devices as printed by "zolctl find", UTF-8. Device texts are
// data: they are never used as a format.
QByteArray FormatDevices(const QList<const DeviceEntry *> &devices, OutputFormat format);

// The entries in a stable order: by MAC address.
QList<const DeviceEntry *> SortedByMac(const QHash<QString, DeviceEntry> &devices);
