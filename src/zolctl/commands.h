// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "zolctl/options.h"

// zolctl's exit codes.
enum CtlExit : int {
    ExitSuccess = 0,
    ExitNoVerdict = 1, // the device refused, did not answer in time, or too few devices
    ExitUsage = 2,     // bad arguments or values; no change was sent
    ExitNetwork = 3,   // no answer can be received or no query sent
    ExitOutput = 4,    // the output could not be written (a full disk)
    ExitInterrupted = 130, // apply, assign: stopped by Ctrl+C, as a shell counts SIGINT
};

// Runs the command; what it prints goes to stdout and stderr. Every write to
// stdout is checked: a failure is told on stderr and ends in ExitOutput
// whatever the command did, and a closed pipe ends the program by SIGPIPE.
int RunCtlCommand(const CtlOptions &options);
