// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "net/devicecolumns.h"
#include "net/messages.h"

#include <QString>

#include <array>

// What the device table shows for one read response: one text per column,
// in column order.
using DeviceTexts = std::array<QString, DeviceColumnCount>;

// The DHCP column's texts, untranslated (the window looks them up in its own
// context "Zol_ClientMainWindow").
const QString &DhcpEnabledText();
const QString &DhcpDisabledText();
// One of them as the list shows it, in the window's language.
QString ShownDhcpText(bool on);
// "???": a serial number or DHCP flag the answer left out.
const QString &MissingFieldText();
const QString &DefaultDeviceTypeText();

// "VRD Module" when the answer names no type, the seven-digit serial number
// or "???", "Enabled"/"Disabled" or "???" (untranslated); the other fields
// as received.
DeviceTexts DeviceDisplayTexts(const ReadResponse &response);

// The column titles in column order, as the window's form looks them up in
// its translations (context "Zol_ClientMainWindowBase"): all but the first
// and last end in a blank, room before the next column.
const std::array<const char *, DeviceColumnCount> &DeviceColumnTitleSources();
// The same in English, the words alone.
const std::array<QString, DeviceColumnCount> &DeviceColumnTitles();
