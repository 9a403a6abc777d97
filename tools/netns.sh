#!/bin/sh
# SPDX-License-Identifier: Apache-2.0
# Private networks for tests that send UDP: traffic never touches the
# machine's real adapters. Needs root and iproute2.
#
#   netns.sh up PREFIX [SEGMENTS]   build the topology below (SEGMENTS default 2)
#   netns.sh down PREFIX            delete it (safe to call twice)
#   netns.sh run [--segments N] [--] CMD [ARGS...]
#       build a topology named after this shell's PID, run CMD inside the
#       client namespace, tear everything down (trap, also on failure) and
#       return CMD's status. N=0 gives a namespace with loopback only. CMD sees:
#         ZOL_PRIVATE_NETNS   1 (also set by in-private-netns.sh)
#         ZOL_NETNS_CLIENT    name of the client namespace (where CMD runs)
#         ZOL_NETNS_SEGMENTS  segment namespace names, space separated, in order
#         ZOL_NETNS_CLIENT_ADDRS  client addresses 10.77.<i>.1, same order
#         ZOL_NETNS_DEVICE_ADDRS  segment addresses 10.77.<i>.2, same order
#       Start a device simulator on segment i with
#         ip netns exec <i-th of ZOL_NETNS_SEGMENTS> zol_devsim ...
#       When namespaces can't be made, exits 77 (the test's skip code) with
#       the reason on stderr, or 1 when CI=true.
#
# Topology for PREFIX (P) with segments 1..N:
#   P-c          client namespace: lo up, veth zP<i>c 10.77.<i>.1/24 per segment
#   P-s<i>       segment namespace: lo up, veth zP<i>s 10.77.<i>.2/24
# Interface names are built from a short hash of P so they fit in 15 chars.
set -u

ifname() { # prefix segment side
    # Always eight hex digits: a short checksum must not leave a blank in the name.
    h=$(printf '%s' "$1" | cksum | awk '{printf "%08x", $1}')
    printf 'z%s%s%s' "$h" "$2" "$3"
}

cannot() {
    echo "netns.sh: cannot build test namespaces: $*" >&2
    if [ "${CI:-}" = "true" ]; then exit 1; fi
    exit 77
}

up() {
    p=$1; n=${2:-2}
    ip netns add "$p-c" || return 1
    ip -n "$p-c" link set lo up || return 1
    i=1
    while [ "$i" -le "$n" ]; do
        c=$(ifname "$p" "$i" c); s=$(ifname "$p" "$i" s)
        ip netns add "$p-s$i" || return 1
        ip -n "$p-s$i" link set lo up || return 1
        ip link add "$c" type veth peer name "$s" || return 1
        ip link set "$c" netns "$p-c" || return 1
        ip link set "$s" netns "$p-s$i" || return 1
        ip -n "$p-c" addr add "10.77.$i.1/24" dev "$c" || return 1
        ip -n "$p-s$i" addr add "10.77.$i.2/24" dev "$s" || return 1
        ip -n "$p-c" link set "$c" up || return 1
        ip -n "$p-s$i" link set "$s" up || return 1
        i=$((i + 1))
    done
    # Addresses on veth are usable at once (no duplicate address detection
    # for IPv4); nothing to wait for.
}

down() {
    p=$1
    for ns in $(ip netns list 2>/dev/null | awk '{print $1}'); do
        case "$ns" in
            "$p-c"|"$p-s"[0-9]*)
                # A namespace outlives its deletion while anything runs in
                # it: what a failed test left there (a simulator) ends first.
                pids=$(ip netns pids "$ns" 2>/dev/null)
                if [ -n "$pids" ]; then
                    kill $pids 2>/dev/null
                    sleep 0.2
                    kill -KILL $pids 2>/dev/null
                fi
                ip netns del "$ns" 2>/dev/null ;;
        esac
    done
    return 0
}

case "${1:-}" in
up)
    shift; up "$@" || { down "$1"; exit 1; } ;;
down)
    shift; down "$1" ;;
run)
    shift
    n=2
    if [ "${1:-}" = "--segments" ]; then n=$2; shift 2; fi
    if [ "${1:-}" = "--" ]; then shift; fi
    [ "$(id -u)" = 0 ] || cannot "not root"
    command -v ip >/dev/null 2>&1 || cannot "iproute2 (ip) is missing"
    p="zt$$"
    trap 'down "$p"' EXIT
    trap 'exit 130' INT TERM
    up "$p" "$n" || cannot "ip netns/veth setup failed"
    segs=""; caddrs=""; daddrs=""
    i=1
    while [ "$i" -le "$n" ]; do
        segs="$segs${segs:+ }$p-s$i"
        caddrs="$caddrs${caddrs:+ }10.77.$i.1"
        daddrs="$daddrs${daddrs:+ }10.77.$i.2"
        i=$((i + 1))
    done
    export ZOL_PRIVATE_NETNS=1 ZOL_NETNS_CLIENT="$p-c" ZOL_NETNS_SEGMENTS="$segs"
    export ZOL_NETNS_CLIENT_ADDRS="$caddrs" ZOL_NETNS_DEVICE_ADDRS="$daddrs"
    ip netns exec "$p-c" "$@"
    status=$?
    exit $status ;;
*)
    echo "usage: netns.sh up PREFIX [SEGMENTS] | down PREFIX | run [--segments N] [--] CMD..." >&2
    exit 2 ;;
esac
