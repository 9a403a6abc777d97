// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>

#include <functional>

QT_BEGIN_NAMESPACE
class QTranslator;
QT_END_NAMESPACE

// The language code in force: empty at start, "en" English, "c" Chinese; any
// other code is carried and stored as well.
extern QString CurrentLanguage;

// The one translator of the program. Created and installed by the start-up
// sequence; message files are loaded into it and it is installed again.
extern QTranslator *AppTranslator;

// The one message box of the program: modal, caption "Zol Client", information
// icon, a single default OK button, no parent.
void ShowMessage(QString text);

// Test seam: while a hook is set, ShowMessage hands the text to it instead of
// opening a box. Returns the previous hook.
using MessageHook = std::function<void(const QString &)>;
MessageHook SetMessageHook(MessageHook hook);

// The system locale name as the toolkit reports it ("en_US", "zh_CN", "C").
// Tests may inject a fixed name; an empty override restores the real one.
QString SystemLocaleName();
void SetSystemLocaleNameOverride(const QString &name);
