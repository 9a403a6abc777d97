// SPDX-License-Identifier: Apache-2.0
// Fuzz target: arbitrary text through the edit dialog's field checks and the
// reader of received texts, each compared with a plain statement of its rule.
// The first byte picks how the rest becomes text: Latin-1 as received, UTF-8,
// or raw UTF-16 as typed or pasted.

#include "fuzzsupport.h"

#include "net/messages.h"
#include "net/validation.h"

#include <QRegularExpression>

#include <cstdint>

namespace {

QString textOf(const uint8_t *data, size_t size, int mode)
{
    const auto *chars = reinterpret_cast<const char *>(data);
    if (mode == 0)
        return QString::fromLatin1(chars, qsizetype(size));
    if (mode == 1)
        return QString::fromUtf8(chars, qsizetype(size));
    QString text;
    for (size_t i = 0; i + 1 < size; i += 2)
        text += QChar(char16_t(data[i] | (data[i + 1] << 8)));
    return text;
}

bool matches(const QString &text, const char *rule)
{
    return QRegularExpression(QString::fromLatin1(rule)).match(text).hasMatch();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const QString text = textOf(data + 1, size - 1, data[0] % 3);

    // Name: up to 12 ASCII letters, digits and underscores, a letter first
    // (or empty); location: up to 31 of those and blanks.
    FUZZ_CHECK(isValidFieldText(text, true, 12) == matches(text, "\\A(?:[A-Za-z][A-Za-z0-9_]{0,11})?\\z"),
               "name check differs from its rule");
    FUZZ_CHECK(isValidFieldText(text, false, 31) == matches(text, "\\A[A-Za-z0-9_ ]{0,31}\\z"),
               "location check differs from its rule");
    // Four numbers 0-255 in plain decimal, no leading zeros, single dots.
    FUZZ_CHECK(isCanonicalAddress(text)
                   == matches(text, "\\A(?:(?:25[0-5]|2[0-4][0-9]|1[0-9][0-9]|[1-9]?[0-9])(?:\\.(?!\\z)|\\z)){4}\\z"),
               "address check differs from its rule");

    // Reading field after field gives the non-empty comma-separated parts.
    const QStringList parts = text.split(u',', Qt::SkipEmptyParts);
    FieldReader reader(text);
    QString field;
    qsizetype count = 0;
    while (reader.nextField(&field)) {
        FUZZ_CHECK(field == parts.value(count), "a field differs from the text's parts");
        ++count;
    }
    FUZZ_CHECK(count == parts.size() && reader.atEnd(), "the reader missed fields");
    return 0;
}
