// SPDX-License-Identifier: Apache-2.0
// Fuzz target: arbitrary bytes read as a plan file, then put through the
// plan's checks. Checked: an error names a line of the file; a plan read has
// a MAC on every row, its rows in file order, and written out in find's CSV
// or JSON it reads back the same.

#include "fuzzsupport.h"

#include "plan/planfile.h"

#include <cstdint>

namespace {

// A row's values as text; what UTF-8 cannot carry (a lone surrogate from a
// JSON escape) as it comes back.
QString valuesOf(const PlanRow &row)
{
    const auto text = [](const std::optional<QString> &value) { return value ? u'=' + *value : QStringLiteral("-"); };
    const QString values = QStringList{row.mac, text(row.ip), text(row.mask), text(row.gateway),
                                       row.dhcp ? QString::number(*row.dhcp) : QStringLiteral("-"), text(row.name),
                                       text(row.location)}
                               .join(u'|');
    return QString::fromUtf8(values.toUtf8());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const int lines = int(bytes.count('\n')) + 1;
    const PlanFileResult read = ReadPlanFile(bytes);
    if (!read.ok()) {
        FUZZ_CHECK(read.errorLine >= 1 && read.errorLine <= lines, "the error names no line of the file");
        return 0;
    }
    int previous = 1;
    QList<DeviceSettings> devices;
    for (const PlanRow &row : read.plan) {
        FUZZ_CHECK(!row.mac.isEmpty(), "a row without a MAC address");
        FUZZ_CHECK(row.line >= previous && row.line <= lines, "rows out of order or outside the file");
        previous = row.line;
        devices << DeviceSettings{row.mac, row.gateway.value_or(QString()), row.mask.value_or(QString()),
                                  row.ip.value_or(QString()), false, row.location.value_or(QString()), QString()};
    }
    for (const QByteArray &written : {PlanCsv(read.plan), PlanJson(read.plan)}) {
        const PlanFileResult again = ReadPlanFile(written);
        FUZZ_CHECK(again.ok() && again.plan.size() == read.plan.size(), "the plan written out does not read back");
        for (qsizetype i = 0; i < read.plan.size(); ++i)
            FUZZ_CHECK(valuesOf(again.plan[i]) == valuesOf(read.plan[i]), "a row written out reads back otherwise");
    }
    // The checks take whatever a file holds, here against devices made of it
    // (their addresses crossed, so that rows change and collide).
    CheckPlan(read.plan, devices);
    return 0;
}
