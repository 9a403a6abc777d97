// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <functional>

// The blocking pauses of the modify flow (20 ms before the progress display,
// then one per step). Tests may install a hook that observes the flow at each
// pause instead of sleeping; returns the previous hook.
using ModifyPauseHook = std::function<void(int milliseconds)>;
ModifyPauseHook SetModifyPauseHook(ModifyPauseHook hook);
