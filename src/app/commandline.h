// SPDX-License-Identifier: Apache-2.0
#pragma once

// Checks the arguments left by the application object: zero or more pairs of
// "/s" or "-s" (any case) and a language code. Returns 0 when accepted (and
// stores the last code in CurrentLanguage), -1 when invalid.
int ParseCommandLine(int argc, char **argv);
