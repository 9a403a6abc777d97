// SPDX-License-Identifier: Apache-2.0
#pragma once

// The fixed words and ports of the device protocol. Plain C++ without Qt: the
// client, the device simulator and the benchmarks all take them from here.
// Queries go from port QueryPort to 255.255.255.255:QueryPort, answers come
// back to port ResponsePort.
namespace ZolProtocol {

constexpr unsigned short QueryPort = 2850;
constexpr unsigned short ResponsePort = 2851;

// The first field of every datagram.
constexpr char ReadQueryKeyword[] = "ZOL_READ_QUERY";
constexpr char WriteQueryKeyword[] = "ZOL_WRITE_QUERY";
constexpr char ReadResponseKeyword[] = "ZOL_READ_RESPONSE";
constexpr char WriteResponseKeyword[] = "ZOL_WRITE_RESPONSE";

// Status words of a write response: the first applies the settings, the
// others refuse them.
constexpr char ConfigurationUpdated[] = "ZOL_CONFIGURATION_UPDATED";
constexpr char MissingParameters[] = "ZOL_MISSING_PARAMETERS";
constexpr char SecurityViolation[] = "ZOL_SECURITY_VIOLATION";
constexpr char InvalidParameter[] = "ZOL_INVALID_PARAMETER";

} // namespace ZolProtocol
