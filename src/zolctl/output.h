#pragma once

#include "zolctl/listener.h"
#include "zolctl/options.h"

#include <QByteArray>
#include <QList>

#include <cstdio>

// Prints the found devices as "zolctl find" does, UTF-8. Device texts are
// data: they are never used as a format.
void WriteDevices(FILE *stream, const QList<const DeviceEntry *> &devices, OutputFormat format);

// The entries in a stable order: by MAC address.
QList<const DeviceEntry *> SortedByMac(const QList<DeviceEntry> &devices);
