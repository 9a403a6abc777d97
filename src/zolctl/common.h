// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "zolctl/options.h"

#include <QString>
#include <QStringList>

class Listener;

// Standard error: where a failure is told, so nothing is left to tell of its
// own failure. A line end is added unless the text has one.
void PrintError(const QString &text);
// The same after "zolctl: ".
void Complain(const QString &line);
// "2 s", "0.5 s"
QString SecondsText(int ms);
// --format as given, else a table on a terminal and CSV for a program.
OutputFormat ChosenFormat(const CtlOptions &options);

// The query from every local IPv4 address to 255.255.255.255, then to each
// extra destination. Empty, or the line that says why nothing could be sent.
QString SendQuery(const QString &query, const QStringList &to);

// True when the listener has port 2851; otherwise the reason is told.
bool OpenListener(const Listener &listener);
