#!/bin/sh
# Prints the performance figures of the README. Runs every benchmark in a
# network namespace of its own with nothing but loopback (the client
# broadcasts its start-up discovery), so it needs root.
#   bench/run-benchmarks.sh [build folder]      (default: build)
# REPEAT=n runs each figure n times (default 5; the start-up one 4n+1 times).
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
bin=$(cd "$build/bin" 2>/dev/null && pwd) || { echo "no $build/bin: build first (./build.sh test)" >&2; exit 2; }
for p in zol_bench_burst zol_bench_sender zol_bench_startup zol_bench_barewindow Zol_Client; do
    [ -x "$bin/$p" ] || { echo "missing $bin/$p: build first" >&2; exit 2; }
done
if ! unshare -n true 2>/dev/null; then
    echo "cannot make a network namespace (needs root and util-linux unshare)" >&2
    exit 2
fi
export REPEAT="${REPEAT:-5}"

exec unshare -n sh -s "$bin" <<'SCRIPT'
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
starts=$((REPEAT * 4 + 1))
echo "== B3: start-up to the first read query, offscreen platform =="
QT_QPA_PLATFORM=offscreen "$bin/zol_bench_startup" --repeat "$starts"
if command -v Xvfb >/dev/null 2>&1; then
    echo
    echo "== B3: start-up to the first read query, on an X server (Xvfb) =="
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -nolisten tcp -screen 0 1280x1024x24 3>"$fifo" 2>/dev/null &
    xvfb=$!
    display=$(head -n 1 "$fifo")
    rm -f "$fifo"
    DISPLAY=":$display" QT_QPA_PLATFORM=xcb "$bin/zol_bench_startup" --repeat "$starts" || true
    kill "$xvfb" 2>/dev/null || true
    wait "$xvfb" 2>/dev/null || true
fi
SCRIPT
