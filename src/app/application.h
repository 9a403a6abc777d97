// SPDX-License-Identifier: Apache-2.0
#pragma once

// The whole start-up, run and tear-down of the program; main() only calls it.
int ZolClientMain(int argc, char **argv);
