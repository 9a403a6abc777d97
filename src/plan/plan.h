// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "net/devicetexts.h"
#include "net/messages.h"
#include "net/validation.h"

#include <QCoreApplication>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The engine's messages are written in English and looked up in its own
// context, so a window that has loaded a message file shows them in its
// language and zolctl, which loads none, prints them as written.
class PlanEngine
{
    Q_DECLARE_TR_FUNCTIONS(PlanEngine)
};

// Whose words a text is in. zolctl's report gives field keys and result
// words as data a script reads: always English. The window shows the same
// words in its language.
enum class Wording { Report, Shown };

// A device's settings as it reports them in a read response.
struct DeviceSettings
{
    QString mac; // exactly as the device writes it; verdicts are matched on it
    QString ip;
    QString mask;
    QString gateway;
    bool dhcp = false; // on only when the device says "TRUE", as the edit dialog reads it
    QString name;
    QString location;

    static DeviceSettings fromResponse(const ReadResponse &response);
    // From the table's English texts (DHCP "Enabled" is on).
    static DeviceSettings fromTexts(const DeviceTexts &texts);
    // What the edit dialog would be filled with.
    EditFields fields() const;
};

// One line of a plan: a device and the settings wanted for it. A field left
// unset keeps the device's current value.
struct PlanRow
{
    int line = 0; // where the row is written: a file's line, or its place in a list
    QString mac;  // as written; matched with MacKey()
    std::optional<QString> ip, mask, gateway, name, location;
    std::optional<bool> dhcp;
};
using Plan = QList<PlanRow>;

enum class PlanField { Ip, Mask, Gateway, Dhcp, Name, Location };
// "ip", "mask", "gateway", "dhcp", "name", "location": the keys find's JSON uses.
QString PlanFieldKey(PlanField field);
// The key, or (Shown) the field's name in the window's language.
QString PlanFieldText(PlanField field, Wording wording);

// One setting a row changes. DHCP is shown as the table shows it,
// "Enabled" or "Disabled".
struct FieldChange
{
    PlanField field;
    QString from;
    QString to;
};
// "ip 10.0.0.5 -> 10.0.0.20; name cam1 -> Cam_1". Shown: the fields' names
// and the DHCP words in the window's language.
QString ChangesText(const QList<FieldChange> &changes, Wording wording = Wording::Report);

// The checks' verdict on one plan row.
struct RowCheck
{
    int device = -1;    // index into the devices checked against; -1: not found
    QStringList errors; // each a message a technician reads; any one fails the plan
    QString warning;    // sent all the same
    QList<FieldChange> changes;
    EditFields values;  // what the write query carries (valid when found)

    bool found() const { return device >= 0; }
    bool unchanged() const { return found() && changes.isEmpty(); }
};

struct PlanCheck
{
    QList<RowCheck> rows; // one per plan row, in plan order
    // True when any row has an error: then nothing at all is sent.
    bool failed() const;
    // "line N: message" for every error, in plan order.
    QStringList errorLines(const Plan &plan) const;
};

// Finds devices by a MAC as a person writes it, in constant time: the device
// whose MAC text is exactly that, else the one (first by MAC text) that is
// the same six hex pairs.
class DeviceIndex
{
public:
    explicit DeviceIndex(const QList<DeviceSettings> &devices);
    // Index into the devices, or -1 when none matches.
    int find(const QString &mac) const;

private:
    QHash<QString, int> m_exact;
    QHash<QString, int> m_byKey;
};

// Checks a plan against the devices found, before anything is sent. A pure
// function; every failing row is reported.
// - A value the row gives is checked with the edit dialog's own field checks;
//   a value equal to the device's current one counts as kept, and kept values
//   go out exactly as the device reported them (a row exported by find and
//   edited in one cell passes whatever the device's other texts hold). When a
//   row switches DHCP off, the addresses become fixed and are checked too.
// - Addresses given while the resulting DHCP is on are not sent: the row gets
//   a warning and its write carries the device's own addresses.
// - A MAC that is not six hex pairs, or one that is on two rows, fails.
// - Two rows giving the same fixed address fail, and so does a row giving an
//   address that a found device shows which the plan does not move off it.
// - A MAC no device answered for is "not found": not an error, and its row
//   is not checked further (nothing is sent to it).
// - A fixed address whose gateway lies outside the subnet of its address and
//   mask gets a warning; the gateway 0.0.0.0 (none) does not.
PlanCheck CheckPlan(const Plan &plan, const QList<DeviceSettings> &devices);
