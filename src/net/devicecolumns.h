// SPDX-License-Identifier: Apache-2.0
#pragma once

// The device table's columns, in their order. The network core's row texts,
// the layout record's pairs and the window's list all count on this, so it
// names no Qt type: every layer can include it.
namespace DeviceColumn {
enum : int { Type, Serial, Mac, Ip, Mask, Gateway, Dhcp, Name, Location };
}
constexpr int DeviceColumnCount = DeviceColumn::Location + 1;
