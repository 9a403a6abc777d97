#!/bin/sh
# SPDX-License-Identifier: Apache-2.0
# Prints the performance figures of the README. Runs every benchmark in a
# network namespace of its own with nothing but loopback (the client
# broadcasts its start-up discovery), or, for B6, in a client namespace
# joined to two simulated segments (tools/netns.sh), so it needs root.
#   bench/run-benchmarks.sh [build folder]      (default: build)
# REPEAT=n runs each figure n times (default 5; the start-up one 4n+1 times).
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
bin=$(cd "$build/bin" 2>/dev/null && pwd) || { echo "no $build/bin: build first (./build.sh test)" >&2; exit 2; }
for p in zol_bench_burst zol_bench_find zol_bench_commission zol_bench_sender zol_bench_startup zol_bench_barewindow Zol_Client \
         zol_bench_zolctl zolctl zol-devsim; do
    [ -x "$bin/$p" ] || { echo "missing $bin/$p: build first" >&2; exit 2; }
done
if ! unshare -n true 2>/dev/null; then
    echo "cannot make a network namespace (needs root and util-linux unshare)" >&2
    exit 2
fi
export REPEAT="${REPEAT:-5}"

unshare -n sh -s "$bin" <<'SCRIPT'
set -eu
bin=$1
ip link set lo up
echo "machine: $(nproc) CPUs, $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1), $(uname -sr)"
echo "Qt: $(dpkg-query -W -f="\${Version}" libqt6widgets6 2>/dev/null || echo unknown)"
echo
echo "== B1: burst of 10,000 devices, each answering twice =="
"$bin/zol_bench_burst" --devices 10000 --repeat "$REPEAT"
echo
echo "== B2: scaling, 5,000 and 50,000 devices =="
"$bin/zol_bench_burst" --devices 5000,50000 --repeat "$REPEAT"
echo
echo "== B3: start-up to the first read query, offscreen platform =="
QT_QPA_PLATFORM=offscreen "$bin/zol_bench_startup" --repeat "$((REPEAT * 4 + 1))"
echo
echo "== B4: zolctl find --format json, 10,000 devices answering twice =="
"$bin/zol_bench_zolctl" --devices 10000 --repeat "$REPEAT"
echo
echo "== B5: 50,000 devices, 1,000 of them sharing addresses: in pairs, then all on one =="
"$bin/zol_bench_burst" --devices 50000 --shared 1000 --repeat "$REPEAT"
"$bin/zol_bench_burst" --devices 50000 --shared 1000/1000 --repeat "$REPEAT"
echo
echo "== B7: find bar over 50,000 devices: each key, and Esc =="
QT_QPA_PLATFORM=offscreen "$bin/zol_bench_find" --devices 50000 --repeat "$REPEAT"
echo
echo "== B8: Assign Addresses over 1,000 devices: opening, and each key of the first address =="
QT_QPA_PLATFORM=offscreen "$bin/zol_bench_commission" --devices 1000 --repeat "$REPEAT"
SCRIPT

echo
echo "== B6: zolctl apply, 250 devices on two segments given new addresses, names and locations =="
# Two segments of simulated devices, in namespaces of their own.
sh "$here/tools/netns.sh" run --segments 2 -- sh "$here/bench/zol_bench_apply.sh" "$bin"

command -v Xvfb >/dev/null 2>&1 || exit 0
echo
echo "== B3: start-up to the first read query, on an X server (Xvfb) =="
# The X server stays in the machine's namespace and the benchmark reaches it
# through its socket file. It gets a number of its own, which it locks: a
# server left to pick one (-displayfd) takes no lock, and one started inside
# a network namespace can take over another server's socket file.
xvfb=
trap '[ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null; true' EXIT
number=$((100 + $$ % 800))
for attempt in $(seq 40); do
    if [ ! -e "/tmp/.X$number-lock" ] && [ ! -e "/tmp/.X11-unix/X$number" ]; then
        Xvfb ":$number" -nolisten tcp -screen 0 1280x1024x24 2>/dev/null &
        xvfb=$!
        for _ in $(seq 50); do
            [ -S "/tmp/.X11-unix/X$number" ] && break
            kill -0 "$xvfb" 2>/dev/null || break
            sleep 0.1
        done
        [ -S "/tmp/.X11-unix/X$number" ] && kill -0 "$xvfb" 2>/dev/null && break
        kill "$xvfb" 2>/dev/null || true
        xvfb=
    fi
    number=$((100 + (number - 100 + 1) % 800))
done
if [ -z "$xvfb" ]; then
    echo "no X server could be started" >&2
    exit 1
fi
DISPLAY=":$number" QT_QPA_PLATFORM=xcb unshare -n sh -c 'ip link set lo up && exec "$@"' sh \
    "$bin/zol_bench_startup" --repeat "$((REPEAT * 4 + 1))" || true
