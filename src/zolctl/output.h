// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "zolctl/listener.h"
#include "zolctl/options.h"

#include "plan/plan.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include <cstdio>

// A stream whose every write is checked. After the first failure nothing
// more is written to it: a full disk would only fail again, and a reader
// that has gone wants nothing more.
class OutputStream final
{
    Q_DISABLE_COPY_MOVE(OutputStream)

public:
    explicit OutputStream(FILE *stream) : m_stream(stream) {}

    // False once anything could not be written.
    bool write(QByteArrayView bytes);
    // Writes the text as UTF-8, with a line end unless it has one.
    bool writeLine(const QString &text);
    // Flushes what the stream still holds: 0 when everything was written,
    // otherwise the error (errno) of the first failure.
    int finish();

private:
    bool failed(int error);

    FILE *m_stream;
    int m_error = 0;
};

// Prints the found devices as "zolctl find" does, UTF-8. Device texts are
// data: they are never used as a format. A failure is the stream's to tell.
void WriteDevices(OutputStream &out, const QList<const DeviceEntry *> &devices, OutputFormat format);

// One plan row's outcome as apply and assign report it.
struct PlanReportEntry
{
    int line = 0;
    QString mac;
    QString result;
    int sent = 0; // write queries sent for the row
    QList<FieldChange> changes;
    QString message; // a refusal, a check's failures, why not verified
    QString warning;
};
// One entry per plan row: in a table a line each, in CSV a record each under
// a header row, in JSON an object each.
void WritePlanReport(OutputStream &out, const QList<PlanReportEntry> &entries, OutputFormat format);

// The entries in a stable order: by MAC address.
QList<const DeviceEntry *> SortedByMac(const QList<DeviceEntry> &devices);
