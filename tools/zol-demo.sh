#!/bin/sh
# SPDX-License-Identifier: Apache-2.0
# ZOL Client with a demo network, for a first look without devices.
#
#   zol-demo.sh PROGRAM DATA_DIR DEVSIM
#       PROGRAM   the window program (Zol_Client)
#       DATA_DIR  the folder with its message files (qrt_*.qm) and QOB.bmp
#       DEVSIM    the device simulator (zol-devsim)
#   zol-demo.sh --check
#       only look for what the demo needs; says what is missing, exit code 1
#
# Builds a client network namespace joined to two simulated segments
# (netns.sh, next to this script), plays eight devices there with two
# simulators and starts the window inside the client namespace, on the
# current X display, in a scratch folder (so no user's "config.cfg" is read
# or written). Closing the window, or interrupting the command, removes the
# namespaces, the simulators and the scratch folder. Traffic never leaves the
# namespaces. Needs root (or CAP_SYS_ADMIN and CAP_NET_ADMIN) and iproute2.
# Started through sudo, the window runs as the user who called sudo.
set -u

say() { echo "zol-demo: $*" >&2; }
here=$(dirname -- "$(readlink -f -- "$0")")

# Prints what is missing (one line) and fails, or succeeds silently.
check() {
    if [ "$(id -u)" != 0 ]; then
        caps=$(sed -n 's/^CapEff:[[:space:]]*//p' /proc/$$/status 2>/dev/null)
        need=$(((1 << 12) | (1 << 21))) # CAP_NET_ADMIN, CAP_SYS_ADMIN
        if [ -z "$caps" ] || [ $((0x$caps & need)) != "$need" ]; then
            say "needs root (or CAP_SYS_ADMIN and CAP_NET_ADMIN) to build its private network; run it as root (sudo)"
            return 1
        fi
    fi
    for tool in ip flock setpriv; do
        command -v "$tool" >/dev/null 2>&1 || { say "needs '$tool' (packages iproute2, util-linux)"; return 1; }
    done
    if [ -z "${DISPLAY:-}" ]; then
        say "needs an X display: DISPLAY is not set"
        return 1
    fi
    # Inside a network namespace only the display's socket file reaches the
    # X server: not TCP, not the abstract socket.
    host=${DISPLAY%%:*} number=${DISPLAY#*:}
    number=${number%%.*}
    if { [ -n "$host" ] && [ "$host" != unix ]; } || [ ! -S "/tmp/.X11-unix/X$number" ]; then
        say "needs a local X display; $DISPLAY has no socket /tmp/.X11-unix/X$number"
        return 1
    fi
    return 0
}

if [ "${1:-}" = --check ]; then
    check
    exit
fi
if [ $# -ne 3 ]; then
    echo "usage: zol-demo.sh PROGRAM DATA_DIR DEVSIM | --check" >&2
    exit 2
fi
program=$1 data=$2 devsim=$3
check || exit 1
# Packaged apart from the window, with zolctl.
if [ ! -x "$devsim" ]; then
    say "needs the device simulator $devsim (package zolctl)"
    exit 1
fi

# One demo at a time. The lock goes with this shell; its children are not
# handed the descriptor (9>&- below).
lock=/run/lock/zol-demo.lock
if ! { command exec 9>>"$lock"; } 2>/dev/null || ! flock -n 9; then
    say "a demo is already running (or $lock cannot be used); close its window first"
    exit 1
fi

scratch=$(mktemp -d "${TMPDIR:-/tmp}/zol-demo.XXXXXX") || { say "cannot create a scratch folder"; exit 1; }
prefix=zdemo$$
window=
simulators=

# Whether any of these children still runs (an ended one is a zombie until
# it is waited for).
running() {
    for pid in "$@"; do
        case $(sed 's/^.*) //' "/proc/$pid/stat" 2>/dev/null) in
        Z* | X* | "") ;;
        *) return 0 ;;
        esac
    done
    return 1
}

# Whether every one of them still runs.
running_all() {
    for pid in "$@"; do
        running "$pid" || return 1
    done
}

# Stops the given children: SIGTERM, then SIGKILL after 5 s.
stop() {
    [ $# -gt 0 ] || return 0
    kill -TERM "$@" 2>/dev/null
    tries=50
    while [ "$tries" -gt 0 ] && running "$@"; do
        sleep 0.1
        tries=$((tries - 1))
    done
    kill -KILL "$@" 2>/dev/null
    for pid in "$@"; do wait "$pid" 2>/dev/null; done
}

# The processes first: a namespace that a process still lives in would
# outlast "ip netns del", and its veth pair with it.
cleanup() {
    trap '' INT TERM HUP
    # shellcheck disable=SC2086
    stop $window $simulators
    sh "$here/netns.sh" down "$prefix"
    cd / && rm -rf -- "$scratch"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

if ! sh "$here/netns.sh" up "$prefix" 2 2>"$scratch/netns.log"; then
    say "cannot create network namespaces: $(head -n 1 "$scratch/netns.log")"
    exit 1
fi

# Eight devices: DHCP on and off, one without a name, one of another type,
# one that refuses writes (security mode), one heard through both segments
# and two that share an IP address. Writes to the others are kept for the
# demo's life; the device on both segments takes each write on both.
both='00:1A:2B:3C:4D:10,4C00,10.77.1.50,255.255.255.0,10.77.1.1,FALSE,Bridge_1,Link Room'
cat >"$scratch/segment1.devices" <<EOF
00:1A:2B:3C:4D:01,1A2B,10.77.1.20,255.255.255.0,10.77.1.1,FALSE,Pump_1,Hall A
00:1A:2B:3C:4D:02,1A2C,10.77.1.21,255.255.255.0,10.77.1.1,TRUE,Pump_2,Hall A
00:1A:2B:3C:4D:03,2F10,10.77.1.30,255.255.255.0,10.77.1.1,FALSE,,Store Room
00:1A:2B:3C:4D:04,3A01,10.77.1.40,255.255.255.0,10.77.1.1,FALSE,Main_Gate,Gatehouse
$both
EOF
cat >"$scratch/segment2.devices" <<EOF
00:1A:2B:3C:4D:05,1A2D,10.77.2.20,255.255.255.0,10.77.2.1,TRUE,Fan_1,Roof
00:1A:2B:3C:4D:06,FFFF,10.77.2.21,255.255.255.0,10.77.2.1,FALSE,Door_2,Yard North,Gate Box
00:1A:2B:3C:4D:07,1A2E,10.77.2.21,255.255.255.0,10.77.2.1,FALSE,Fan_2,Roof
$both
EOF
for segment in 1 2; do
    ip netns exec "$prefix-s$segment" "$devsim" --devices-file "$scratch/segment$segment.devices" \
        --refuse 00:1A:2B:3C:4D:04 --log "$scratch/segment$segment.log" \
        </dev/null >/dev/null 2>"$scratch/segment$segment.err" 9>&- &
    simulators="$simulators $!"
done
# The window's first discovery is its only one until "Find All": the
# simulators must be listening before it starts.
tries=100
until [ "$(grep -l '^READY' "$scratch"/segment?.log 2>/dev/null | wc -l)" = 2 ]; do
    tries=$((tries - 1))
    # A simulator that could not start (its port taken) is said at once.
    if [ $tries = 0 ] || ! running_all $simulators; then
        say "the device simulator did not start: $(cat "$scratch"/segment?.err | head -n 1)"
        exit 1
    fi
    sleep 0.1
done

# The program reads its message files and keeps "config.cfg" in its current
# folder. A desktop in Chinese (zh_CN ...) finds the Chinese messages as qrt_zh.
cp -- "$data"/qrt_*.qm "$data/QOB.bmp" "$scratch/" || { say "no message files in $data"; exit 1; }
[ -f "$scratch/qrt_c.qm" ] && cp -- "$scratch/qrt_c.qm" "$scratch/qrt_zh.qm"
# Without a runtime folder (as under sudo) the toolkit would make one in /tmp
# that outlives the demo.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    mkdir -m 700 "$scratch/runtime" && export XDG_RUNTIME_DIR="$scratch/runtime"
fi
cd -- "$scratch" || exit 1

# A demo started with sudo shows its window as the user who called sudo, so
# that nothing in their session (font caches, X authority) is touched as root.
user=
if [ -n "${SUDO_UID:-}" ] && [ "${SUDO_UID}" != 0 ] && [ "$(id -u)" = 0 ]; then
    home=$(getent passwd "$SUDO_UID" | cut -d: -f6)
    user="setpriv --reuid=$SUDO_UID --regid=${SUDO_GID:-$SUDO_UID} --init-groups --"
    chown -R "$SUDO_UID:${SUDO_GID:-$SUDO_UID}" "$scratch"
    export HOME="${home:-$scratch}" USER="${SUDO_USER:-}" LOGNAME="${SUDO_USER:-}"
fi
# Its own instance lock: a copy of the program that the user runs on the real
# network is no reason to refuse the demo.
# shellcheck disable=SC2086
QT_QPA_PLATFORM=xcb ZOL_LOCK_DIR=$scratch ip netns exec "$prefix-c" $user "$program" 9>&- &
window=$!
wait "$window"
status=$?
window=
exit $status
