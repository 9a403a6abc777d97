// SPDX-License-Identifier: Apache-2.0
#pragma once

// The guard for tests that send UDP: they run only inside a private network
// namespace (tools/in-private-netns.sh for NETNS, tools/netns.sh for
// SEGMENTS n), which those scripts mark in the environment.

#include <QStringList>
#include <QTest>

// Names of the segment namespaces made by tools/netns.sh, in order.
inline QStringList NetnsSegments() { return qEnvironmentVariable("ZOL_NETNS_SEGMENTS").split(u' ', Qt::SkipEmptyParts); }
inline bool InPrivateNetworkNamespace() { return qgetenv("ZOL_PRIVATE_NETNS") == "1"; }

#define ZOL_REQUIRE_NETNS()                                                                        \
    do {                                                                                           \
        if (!InPrivateNetworkNamespace()) {                                                        \
            if (qgetenv("CI") == "true")                                                           \
                QFAIL("not inside a private network namespace (run through ctest / netns.sh)");    \
            QSKIP("not inside a private network namespace (run through ctest / netns.sh)");        \
        }                                                                                          \
    } while (false)
