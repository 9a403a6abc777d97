// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "net/messages.h"
#include "plan/writeattempts.h"

#include <QString>
#include <QStringList>

#include <optional>

// What zolctl was asked to do, read from its arguments.
enum class CtlCommand { Help, Version, Find, Set, Renew, Apply, Assign };
enum class OutputFormat { Table, Csv, Json };

struct CtlOptions
{
    CtlCommand command = CtlCommand::Help;
    int waitMs = 2000;
    std::optional<OutputFormat> format; // unset: table on a terminal, csv otherwise
    QStringList to;                     // extra destinations of every query, IPv4 texts
    int expect = 0;
    int retries = WriteAttempts::DefaultRetries;
    QString mac;                        // set, renew: as typed; MacKey() compares
    std::optional<QString> ip, mask, gateway, name, location;
    std::optional<bool> dhcp;
    QString plan;                       // apply: a file, or "-" for standard input
    bool dryRun = false;
    QString first;                      // assign: the first address given
    QString namePattern;
    QStringList macs;                   // assign: the devices chosen, in order
    bool all = false;                   // assign: every device found
};

// The options, or the one line that says what is wrong with the arguments
// (the program's name not included).
struct CtlParseResult
{
    CtlOptions options;
    QString error;
};
CtlParseResult ParseCtlArguments(const QStringList &arguments);

QString CtlUsage();
