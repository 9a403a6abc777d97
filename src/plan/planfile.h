// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "net/devicetexts.h"
#include "plan/plan.h"

#include <QByteArray>
#include <QList>
#include <QString>

class QIODevice;

// Plans in the two formats "zolctl find" writes, and the device list's CSV.
//
// CSV: RFC 4180 in UTF-8, CRLF or LF, a header row of the table's English
// column titles (any order, any case; columns with an empty title are left
// out). JSON: an array of objects with find's keys: type, serial, mac, ip,
// mask, gateway, dhcp (true, false or null), name, location, from. Device
// type, serial number and "from" are not settings and are ignored. An empty
// cell or text (and a null) keeps the device's current value, so an empty
// name cannot be planned. DHCP takes Enabled/Disabled as find writes it, and
// on/off, true/false, in any case; "???" (find's unknown) keeps it.

struct PlanFileResult
{
    Plan plan;        // each row's line is the line its record or object starts on
    QString error;    // empty when the file was read
    int errorLine = 0;

    bool ok() const { return error.isEmpty(); }
    // "line 3: the row has 4 cells, the header 9"; the reason alone when it
    // is the whole file's (line 0).
    QString errorText() const;
};

// Reads a plan from a file's bytes, which are untrusted: anything that is
// not one of the two formats is an error with its line and the reason.
PlanFileResult ReadPlanFile(const QByteArray &bytes);
// The same from an open file, read to its end: a pipe's writer may be slow.
// More than MaxPlanFileBytes is an error, and so is a failed read.
PlanFileResult ReadPlanFile(QIODevice &file);
// The most of a plan file read: far above 100,000 devices' rows, and a file
// that never ends (a device, a pipe) does not take all memory.
constexpr qint64 MaxPlanFileBytes = 64 * 1024 * 1024;

// One line of the texts, RFC 4180 (quoted when needed, quotes doubled),
// ended by CRLF.
void AppendCsvLine(QString &out, const QString *texts, qsizetype count);
// One line of the nine column texts.
inline void AppendDeviceCsvLine(QString &out, const DeviceTexts &texts)
{
    AppendCsvLine(out, texts.data(), qsizetype(texts.size()));
}
// The header line of find's CSV.
QString DeviceCsvHeader();
// The plan in find's CSV, which ReadPlanFile() reads back as it is: device
// type and serial number empty, unset values empty.
QByteArray PlanCsv(const Plan &plan);
// The same in find's JSON: an object per row with its MAC and the values it
// sets.
QByteArray PlanJson(const Plan &plan);
