// SPDX-License-Identifier: Apache-2.0
#pragma once

// Built-in pictures as XPM data.
extern const char *const WindowIconXpm[];   // 16x16, 2 colours: a small table
extern const char *const ContentsIconXpm[]; // 16x15, 3 colours: a question mark
extern const char *const AboutImageXpm[];   // 337x260, 52 grey levels
