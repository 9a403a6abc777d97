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
// or "???", "Enabled"/"Disabled" or "???"; the other fields as received.
// shown(column, text) gives what is shown for a received field (the serial
// number's before it is formatted) and for a DHCP word; the window passes
// them through its translations. The fixed "VRD Module" and "???" are shown
// as they are. A template, so that a burst's answers pay for no call through
// a pointer.
template <typename Shown>
DeviceTexts DeviceDisplayTexts(const ReadResponse &response, Shown &&shown)
{
    using namespace DeviceColumn;
    return DeviceTexts{
        response.hasDeviceType ? shown(Type, response.deviceType) : DefaultDeviceTypeText(),
        response.hasSerial ? FormatSerialNumber(shown(Serial, response.serialField)) : MissingFieldText(),
        shown(Mac, response.mac),
        shown(Ip, response.ip),
        shown(Mask, response.mask),
        shown(Gateway, response.gateway),
        !response.hasDhcp ? MissingFieldText()
            : shown(Dhcp, response.dhcpField == QLatin1String("TRUE") ? DhcpEnabledText() : DhcpDisabledText()),
        shown(Name, response.name),
        shown(Location, response.location),
    };
}

// The same in the window's English texts, every field as received.
inline DeviceTexts DeviceDisplayTexts(const ReadResponse &response)
{
    return DeviceDisplayTexts(response, [](int, const QString &text) -> const QString & { return text; });
}

// The column titles in column order, as the window's form looks them up in
// its translations (context "Zol_ClientMainWindowBase"): all but the first
// and last end in a blank, room before the next column.
const std::array<const char *, DeviceColumnCount> &DeviceColumnTitleSources();
// The same in English, the words alone.
const std::array<QString, DeviceColumnCount> &DeviceColumnTitles();
