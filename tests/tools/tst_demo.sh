#!/bin/bash
# SPDX-License-Identifier: Apache-2.0
# The demo network: its window runs inside the demo's own client namespace,
# and closing it ends the demo with 0 and leaves no namespace, process or
# scratch folder. Without root it says so in one line and leaves nothing.
# Usage: tst_demo.sh <source folder> <folder with Zol_Client, zol-devsim and message files>
src=$1 bin=$2
demo=(sh "$src/tools/zol-demo.sh" "$bin/Zol_Client" "$bin" "$bin/zol-devsim")
skip() {
    echo "SKIP: $*" >&2
    [ "${CI:-}" = true ] && exit 1
    exit 77
}
[ "$(id -u)" = 0 ] || skip "needs root"
for tool in Xvfb xdotool ip setpriv flock; do
    command -v "$tool" >/dev/null || skip "$tool is missing"
done
tmp=$(mktemp -d) && chmod 755 "$tmp" && mkdir -m 1777 "$tmp/scratch" || exit 1
export TMPDIR=$tmp/scratch LC_ALL=C
xvfb=
trap 'kill $xvfb 2>/dev/null; rm -rf "$tmp"' EXIT
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# Whatever a demo could leave behind: its namespaces, processes started with
# or in its scratch folder, the folder's contents.
leftovers() {
    ip netns list | grep '^zdemo'
    for p in /proc/[0-9]*; do
        case "$(readlink "$p/cwd") $(tr '\0' ' ' <"$p/cmdline")" in
        *"$tmp/scratch"*) echo "process ${p#/proc/}: $(tr '\0' ' ' <"$p/cmdline")" ;;
        esac
    done 2>/dev/null
    ls -A "$tmp/scratch"
}
before=$(leftovers)

# A display number of our own: its lock file must name our server.
for n in $(seq $((100 + $$ % 800)) $((140 + $$ % 800))); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -nolisten tcp -screen 0 1024x768x24 2>/dev/null &
    xvfb=$!
    for _ in $(seq 100); do
        [ "$(tr -d ' ' 2>/dev/null <"/tmp/.X$n-lock")" = "$xvfb" ] && [ -S "/tmp/.X11-unix/X$n" ] && break 2
        kill -0 "$xvfb" 2>/dev/null || break
        sleep 0.1
    done
    kill "$xvfb" 2>/dev/null
    xvfb=
done
[ -n "$xvfb" ] || skip "no X server could be started"
export DISPLAY=:$n

timeout 60 "${demo[@]}" 2>"$tmp/demo.err" &
demo_pid=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^ZOL Client$' | head -n 1)
if [ -z "$window" ]; then
    fail "no window within 30 s: $(cat "$tmp/demo.err")"
else
    ns=$(ip netns identify "$(xdotool getwindowpid "$window")")
    [[ $ns == zdemo*-c ]] || fail "the window runs outside the demo's client namespace ('$ns')"
    xdotool windowfocus --sync "$window" key Escape
fi
wait "$demo_pid"
rc=$?
[ "$rc" = 0 ] || fail "the demo ended with $rc: $(cat "$tmp/demo.err")"
after=$(leftovers)
[ "$after" = "$before" ] || fail "left behind after the window closed: $after"

said=$(setpriv --reuid=nobody --regid=nogroup --clear-groups "${demo[@]}" 2>&1)
rc=$?
[ "$rc" != 0 ] && [ "$(wc -l <<<"$said")" = 1 ] || fail "without root: exit code $rc, said: $said"
after=$(leftovers)
[ "$after" = "$before" ] || fail "left behind without root: $after"
[ "$failures" = 0 ]
