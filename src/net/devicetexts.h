#pragma once

#include <QString>

#include <array>

struct ReadResponse;

// What the device table shows for one read response, in the window's English
// texts: one text per column, in column order.
constexpr int DeviceColumnCount = 9;
using DeviceTexts = std::array<QString, DeviceColumnCount>;

namespace DeviceColumn {
enum : int { Type, Serial, Mac, Ip, Mask, Gateway, Dhcp, Name, Location };
}

// "VRD Module" when the answer names no type, the seven-digit serial number
// or "???", "Enabled"/"Disabled" or "???"; the other fields as received.
DeviceTexts DeviceDisplayTexts(const ReadResponse &response);

// The DHCP column's texts, untranslated (the window looks them up in its own
// context "Zol_ClientMainWindow").
const QString &DhcpEnabledText();
const QString &DhcpDisabledText();
// "???": a serial number or DHCP flag the answer left out.
const QString &MissingFieldText();

// The English column titles, in column order.
const std::array<QString, DeviceColumnCount> &DeviceColumnTitles();
