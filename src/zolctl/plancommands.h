// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "zolctl/options.h"

class OutputStream;

// zolctl apply: a plan file carried out by the plan engine.
int RunApply(const CtlOptions &options, OutputStream &out);
// zolctl assign: a plan built from the devices found, carried out as apply's.
int RunAssign(const CtlOptions &options, OutputStream &out);
