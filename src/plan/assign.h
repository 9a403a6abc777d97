// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "plan/plan.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// Giving chosen devices consecutive fixed addresses, and perhaps numbered
// names and a location, as a plan.
struct AssignRequest
{
    QStringList macs;                // the devices chosen, in order
    QString first;                   // the first address to give
    std::optional<QString> mask;     // unset: the first chosen device's
    std::optional<QString> gateway;  // unset: the first chosen device's
    // Empty: names kept. "{n}" is the running number from 1, "{n:03}" the
    // same padded with zeros to three digits.
    QString namePattern;
    std::optional<QString> location; // unset: kept
};

enum class AssignField { First, Mask, Gateway, NamePattern, Location };
constexpr int AssignFieldCount = int(AssignField::Location) + 1;

struct AssignResult
{
    // One row per chosen device, in order, each row's line its place from 1.
    // Runs only when ok().
    Plan plan;
    // What is wrong with a value typed into the request (empty when fine):
    // the edit dialog's messages, shown under the field.
    std::array<QString, AssignFieldCount> fieldErrors;
    // Per chosen device: why it cannot be given its address (past the end
    // of the subnet) or what the plan's checks say of its row; empty when fine.
    QStringList rowErrors;

    bool ok() const;
    const QString &fieldError(AssignField field) const { return fieldErrors[size_t(field)]; }
};

// Builds the plan: addresses counted up from the first, DHCP off, skipping
// every address a found device other than the chosen ones shows, and the
// gateway's; running past the end of the subnet (the broadcast address is
// never given) is an error on the rows left over. Chosen devices that were
// not found keep their place in the count (their rows come out "not found").
// Cheap enough for every keystroke over a thousand devices: linear in the
// devices and the rows.
AssignResult BuildAssignPlan(const QList<DeviceSettings> &found, const AssignRequest &request);
