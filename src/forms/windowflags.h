// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <Qt>

// Dialogs other than the main window: a top-level dialog whose decoration is a
// title bar and a system menu (with its close command), nothing else.
inline Qt::WindowFlags DialogWindowFlags()
{
    return Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
        | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
}
