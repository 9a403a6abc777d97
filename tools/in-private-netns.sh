#!/bin/sh
# SPDX-License-Identifier: Apache-2.0
# Runs a command in a new network namespace that has nothing but loopback, so
# the program's broadcasts and binds stay inside it.
# Usage: in-private-netns.sh <command> [args...]
if ! command -v unshare >/dev/null 2>&1 || ! unshare -n true 2>/dev/null; then
    echo "in-private-netns: cannot create a network namespace (needs root and util-linux unshare)" >&2
    if [ "${CI:-}" = "true" ]; then exit 1; fi
    # Outside CI the test is skipped (CTest SKIP_RETURN_CODE 77).
    exit 77
fi
export ZOL_PRIVATE_NETNS=1
exec unshare -n sh -c 'ip link set lo up 2>/dev/null || true; exec "$@"' in-private-netns "$@"
